// The key schedule of 6.1.5 and the decryption of 6.1.6. The CRC-32 step of
// the key update uses the same reflected polynomial (0xEDB88320) as the
// member checksum, one byte at a time.
#include "traditional_crypto.h"

#include <array>

namespace zw::detail {
namespace {

constexpr std::array<uint32_t, 256> makeTable() {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}
constexpr std::array<uint32_t, 256> kCrcTable = makeTable();

inline uint32_t crcByte(uint32_t crc, uint8_t b) { return kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8); }

}  // namespace

TraditionalCrypto::TraditionalCrypto(const std::string& password) {
    for (unsigned char c : password) update(c);
}

void TraditionalCrypto::update(uint8_t plain) {
    m_key0 = crcByte(m_key0, plain);
    m_key1 = (m_key1 + (m_key0 & 0xFF)) * 134775813u + 1;
    m_key2 = crcByte(m_key2, uint8_t(m_key1 >> 24));
}

uint8_t TraditionalCrypto::streamByte() const {
    // Unsigned arithmetic: the product of two 16-bit values overflows an int.
    uint32_t temp = (m_key2 & 0xFFFF) | 2;
    return uint8_t((temp * (temp ^ 1)) >> 8);
}

void TraditionalCrypto::decrypt(const uint8_t* in, uint8_t* out, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        uint8_t plain = uint8_t(in[i] ^ streamByte());
        update(plain);
        out[i] = plain;
    }
}

bool TraditionalCrypto::checkHeader(const uint8_t* header, uint8_t check) {
    uint8_t plain[12];
    decrypt(header, plain, 12);
    return plain[11] == check;
}

}  // namespace zw::detail
