// Traditional PKWARE decryption (ZIP application note 6.1): three 32-bit keys
// initialised from the password and updated with every plain byte; a member's
// data begins with a 12-byte encryption header whose last plain byte checks
// the password.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zw::detail {

class TraditionalCrypto {
public:
    explicit TraditionalCrypto(const std::string& password);

    // Decrypts the 12-byte header; true when its check byte equals `check`
    // (the high byte of the CRC, or of the DOS time when the member has a
    // data descriptor; 6.1.6).
    bool checkHeader(const uint8_t* header, uint8_t check);

    // Decrypts n bytes from `in` into `out` (which may be the same buffer).
    void decrypt(const uint8_t* in, uint8_t* out, size_t n);

private:
    void update(uint8_t plain);
    uint8_t streamByte() const;

    uint32_t m_key0 = 305419896u;
    uint32_t m_key1 = 591751049u;
    uint32_t m_key2 = 878082192u;
};

}  // namespace zw::detail
