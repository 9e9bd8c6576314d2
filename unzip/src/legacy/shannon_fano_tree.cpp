// Shannon-Fano trees of imploded data, as the ZIP application note describes under
// "Imploding - Method 6".
//
// Stored form: one byte giving the number of bytes that follow minus one, then bytes
// whose high nibble is a run count minus one and whose low nibble is a bit length minus
// one, listing the lengths of the symbols in order.
//
// Codes: the lengths are sorted ascending, symbols of equal length keeping their order;
// walking that list from its end, each symbol gets the running 16-bit code, which grows
// by 2^(16 - length) per step. The longest codes thus start at 0 and every length's codes
// are consecutive. The note then reverses the bits of each code because the stream is
// read lowest bit first; reading one bit at a time and appending it at the bottom of the
// value read so far matches the unreversed code directly, which is what decode() does.
//
// A forged set of lengths can make the running code overflow 16 bits, or leave it
// unaligned to a shorter length so that one code would be a prefix of another; both are
// refused. A set that leaves codes unused is accepted: those codes decode as bad data.
#include "shannon_fano_tree.h"

namespace zw::legacy::detail {

bool ShannonFanoTree::read(const uint8_t*& pos, const uint8_t* end, unsigned symbolCount) {
    if (pos == end) return false;
    const size_t storedBytes = static_cast<size_t>(*pos++) + 1;
    if (storedBytes > static_cast<size_t>(end - pos)) return false;
    unsigned filled = 0;
    for (size_t i = 0; i < storedBytes; ++i) {
        const uint8_t entry = *pos++;
        const unsigned run = (entry >> 4) + 1u;
        const auto length = static_cast<uint8_t>((entry & 0x0F) + 1);
        if (run > symbolCount - filled) return false;
        for (unsigned k = 0; k < run; ++k) m_lengths[filled++] = length;
    }
    return filled == symbolCount && assignCodes(symbolCount);
}

bool ShannonFanoTree::assignCodes(unsigned symbolCount) {
    // Sorting by length while keeping symbol order is a counting sort; the walk from the
    // end of the sorted list visits lengths from longest to shortest and, within one
    // length, symbols from highest to lowest.
    m_count.fill(0);
    for (unsigned s = 0; s < symbolCount; ++s) ++m_count[m_lengths[s]];

    uint32_t code = 0;
    uint32_t increment = 0;
    unsigned placed = 0;
    for (unsigned length = kMaxBits; length >= 1; --length) {
        if (m_count[length] == 0) continue;
        code += increment;
        increment = uint32_t{1} << (kMaxBits - length);
        if ((code & (increment - 1)) != 0) return false;
        m_firstCode[length] = code >> (kMaxBits - length);
        m_firstSymbol[length] = static_cast<uint16_t>(placed);
        for (unsigned s = symbolCount; s-- > 0;) {
            if (m_lengths[s] == length) m_symbols[placed++] = static_cast<uint16_t>(s);
        }
        code += increment * (m_count[length] - 1u);
        if (code > 0xFFFF) return false;
    }
    return true;
}

bool ShannonFanoTree::decode(BitReader& bits, unsigned& symbol) const {
    uint32_t value = 0;
    for (unsigned length = 1; length <= kMaxBits; ++length) {
        uint32_t bit = 0;
        if (!bits.readBit(bit)) return false;
        value = (value << 1) | bit;
        if (m_count[length] != 0 && value >= m_firstCode[length] && value - m_firstCode[length] < m_count[length]) {
            symbol = m_symbols[m_firstSymbol[length] + (value - m_firstCode[length])];
            return true;
        }
    }
    return false;
}

}  // namespace zw::legacy::detail
