// The code table of shrunk data: the Ziv-Lempel tree of strings that the unshrinker grows,
// partially clears and reuses, with the bookkeeping that keeps a partial clear in
// proportion to the strings it frees.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zw::legacy::detail {

// Codes 0-255 are single bytes and always in use, 256 is the control code and never a
// string, 257-8191 are strings (prefix code + final byte) that are in use or free.
// Invariants: nextFree() is the lowest free string code (kTableSize when none is free);
// every string code in use that is no other used string's prefix is on the leaf list.
// About 64 KB, small enough for the decoder's stack. Not thread-safe.
class ShrinkCodeTable {
public:
    static constexpr unsigned kTableSize = 8192;
    static constexpr unsigned kControlCode = 256;
    static constexpr unsigned kFirstStringCode = 257;

    ShrinkCodeTable();

    bool isUsed(unsigned code) const;
    unsigned nextFree() const { return m_nextFree; }

    // Gives the lowest free code the string "string of prefix + byte".
    // REQUIRES: nextFree() < kTableSize; prefix < kTableSize and prefix != kControlCode.
    void addString(unsigned prefix, uint8_t byte);

    // Frees every string code in use that is no other used string's prefix. A freed code
    // keeps its prefix and byte until it is given out again.
    void partialClear();

    // Expands a code into `out` at `pos`, which moves past it, and reports the string's
    // first byte. Returns false, writing nothing, when the string would not fit before
    // outSize, or when its prefix chain reaches a code never given out or loops (forged
    // data only).
    // REQUIRES: isUsed(code) or code == nextFree() after addString() gave it out.
    bool expand(unsigned code, uint8_t* out, size_t outSize, size_t& pos, uint8_t& first);

private:
    void setFree(unsigned code, bool isFree);
    unsigned findFree(unsigned from) const;

    static constexpr uint16_t kNeverAssigned = 0xFFFF;
    static constexpr unsigned kWords = kTableSize / 64;

    std::array<uint16_t, kTableSize> m_prefix{};
    std::array<uint8_t, kTableSize> m_byte{};
    std::array<uint16_t, kTableSize> m_children{};  // used strings with this code as prefix
    std::array<uint64_t, kWords> m_free{};          // one bit per code, set when free
    std::array<uint16_t, kTableSize> m_leaves{};    // may also hold codes that gained children
    std::array<uint8_t, kTableSize + 1> m_stack{};  // one string, last byte first
    size_t m_leafCount = 0;
    unsigned m_nextFree = kFirstStringCode;
};

}  // namespace zw::legacy::detail
