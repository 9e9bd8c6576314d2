// The Shannon-Fano code trees of imploded data: read from their run-length coded form at
// the start of the member and used to decode symbols from the bit stream.
#pragma once

#include "bit_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace zw::legacy::detail {

// One code tree over 64 or 256 symbols, built from its stored bit lengths. Invariant after
// a successful read(): the codes are prefix-free and every symbol has a code of 1 to 16
// bits. Decoding needs no memory beyond the object; not thread-safe to read() while
// another thread decodes.
class ShannonFanoTree {
public:
    static constexpr unsigned kMaxSymbols = 256;
    static constexpr unsigned kMaxBits = 16;

    // Reads a stored tree of `symbolCount` symbols starting at `pos`, which moves past it.
    // Returns false, leaving the tree unusable, when the tree runs past `end`, does not
    // give exactly symbolCount lengths, or its lengths cannot form a prefix code.
    // REQUIRES: 0 < symbolCount <= kMaxSymbols.
    bool read(const uint8_t*& pos, const uint8_t* end, unsigned symbolCount);

    // Decodes one symbol. Returns false when the input ends first or the bits read match
    // no code of the tree.
    bool decode(BitReader& bits, unsigned& symbol) const;

private:
    bool assignCodes(unsigned symbolCount);

    std::array<uint8_t, kMaxSymbols> m_lengths{};
    std::array<uint16_t, kMaxSymbols> m_symbols{};       // symbols in the order of their codes
    std::array<uint16_t, kMaxBits + 1> m_count{};        // codes of each length
    std::array<uint32_t, kMaxBits + 1> m_firstCode{};    // lowest code of each length
    std::array<uint16_t, kMaxBits + 1> m_firstSymbol{};  // its place in m_symbols
};

}  // namespace zw::legacy::detail
