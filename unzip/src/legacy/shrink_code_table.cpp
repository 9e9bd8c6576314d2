// The shrink code table. A partial clear must free exactly the leaves of the tree as it
// stands when the clear is read: a string whose only children are freed by this clear
// stays, and becomes a leaf for the next one. Rather than scanning all 8192 codes for
// every clear, which forged data could repeat every 18 bits, the table keeps a count of
// used children per code and a list of the codes that may be leaves: a code joins it when
// it is given out without children and when a clear takes away its last child. A clear
// therefore costs in proportion to the strings added or freed since the one before, and
// the lowest free code is found with a bit scan over 128 words.
//
// Child counts go by code slot, not by string: a string built on a freed code counts as
// a child of that slot, and keeps the slot from being freed again once it is reused.
#include "shrink_code_table.h"

#include <algorithm>
#include <bit>

namespace zw::legacy::detail {

ShrinkCodeTable::ShrinkCodeTable() {
    for (unsigned code = 0; code < kTableSize; ++code) {
        m_prefix[code] = code < kControlCode ? static_cast<uint16_t>(code) : kNeverAssigned;
        m_byte[code] = static_cast<uint8_t>(code);
        if (code >= kFirstStringCode) setFree(code, true);
    }
}

bool ShrinkCodeTable::isUsed(unsigned code) const {
    if (code < kControlCode) return true;
    if (code == kControlCode || code >= kTableSize) return false;
    return (m_free[code / 64] >> (code % 64) & 1u) == 0;
}

void ShrinkCodeTable::setFree(unsigned code, bool isFree) {
    const uint64_t bit = uint64_t{1} << (code % 64);
    m_free[code / 64] = isFree ? m_free[code / 64] | bit : m_free[code / 64] & ~bit;
}

unsigned ShrinkCodeTable::findFree(unsigned from) const {
    if (from >= kTableSize) return kTableSize;
    unsigned word = from / 64;
    uint64_t bits = m_free[word] & (~uint64_t{0} << (from % 64));
    while (bits == 0) {
        if (++word == kWords) return kTableSize;
        bits = m_free[word];
    }
    return word * 64 + static_cast<unsigned>(std::countr_zero(bits));
}

void ShrinkCodeTable::addString(unsigned prefix, uint8_t byte) {
    const unsigned code = m_nextFree;
    m_prefix[code] = static_cast<uint16_t>(prefix);
    m_byte[code] = byte;
    setFree(code, false);
    if (prefix >= kFirstStringCode) ++m_children[prefix];
    if (m_children[code] == 0) m_leaves[m_leafCount++] = static_cast<uint16_t>(code);
    m_nextFree = findFree(code + 1);
}

void ShrinkCodeTable::partialClear() {
    // First decide which codes go, all against the tree as it stands, gathering them at
    // the front of the list; then free them, writing the prefixes that lose their last
    // child after them. The two groups are distinct used codes, so they fit the list.
    size_t freedCount = 0;
    for (size_t i = 0; i < m_leafCount; ++i) {
        const unsigned code = m_leaves[i];
        if (isUsed(code) && m_children[code] == 0) m_leaves[freedCount++] = static_cast<uint16_t>(code);
    }
    size_t newLeaves = freedCount;
    for (size_t i = 0; i < freedCount; ++i) {
        const unsigned code = m_leaves[i];
        setFree(code, true);
        if (code < m_nextFree) m_nextFree = code;
        const unsigned prefix = m_prefix[code];
        if (prefix >= kFirstStringCode && --m_children[prefix] == 0 && isUsed(prefix))
            m_leaves[newLeaves++] = static_cast<uint16_t>(prefix);
    }
    std::copy(m_leaves.begin() + static_cast<long>(freedCount), m_leaves.begin() + static_cast<long>(newLeaves),
              m_leaves.begin());
    m_leafCount = newLeaves - freedCount;
}

bool ShrinkCodeTable::expand(unsigned code, uint8_t* out, size_t outSize, size_t& pos, uint8_t& first) {
    size_t depth = 0;
    while (code >= kFirstStringCode) {
        if (depth == kTableSize || m_prefix[code] == kNeverAssigned) return false;
        m_stack[depth++] = m_byte[code];
        code = m_prefix[code];
    }
    if (code == kControlCode) return false;
    m_stack[depth++] = static_cast<uint8_t>(code);
    if (depth > outSize - pos) return false;
    first = static_cast<uint8_t>(code);
    while (depth > 0) out[pos++] = m_stack[--depth];
    return true;
}

}  // namespace zw::legacy::detail
