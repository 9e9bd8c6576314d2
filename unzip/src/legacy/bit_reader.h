// A reader of the least-significant-bit-first bit streams that shrinking, reducing and
// imploding write: the first bit of the stream is bit 0 of the first byte, and a field of
// n bits is stored with its lowest bit first.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zw::legacy::detail {

// Reads fields of 0 to 24 bits from a byte buffer it does not own. Never reads past the
// buffer's end: a field that needs more bits than remain fails and leaves the reader at
// the end. Not thread-safe; one reader per decode.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : m_next(data), m_end(data + size) {}

    // Stores the next `count` bits in `value` (first bit lowest) and returns true, or
    // returns false when the input ends first.
    // REQUIRES: count <= 24.
    bool read(unsigned count, uint32_t& value) {
        while (m_count < count && m_next != m_end) {
            m_buffer |= static_cast<uint32_t>(*m_next++) << m_count;
            m_count += 8;
        }
        if (m_count < count) {
            m_count = 0;
            m_buffer = 0;
            return false;
        }
        value = m_buffer & ((uint32_t{1} << count) - 1);
        m_buffer >>= count;
        m_count -= count;
        return true;
    }

    // Reads one bit; returns false when the input has ended.
    bool readBit(uint32_t& bit) { return read(1, bit); }

private:
    const uint8_t* m_next;
    const uint8_t* m_end;
    uint32_t m_buffer = 0;  // bits fetched but not yet consumed, the next one lowest
    unsigned m_count = 0;   // number of valid bits in m_buffer (below 32)
};

}  // namespace zw::legacy::detail
