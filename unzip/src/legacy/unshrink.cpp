// Unshrinking (method 1): the dynamic Ziv-Lempel-Welch decoder with partial clearing that
// the ZIP application note describes under "UnShrinking".
//
// The code table has 8192 entries. Codes 0-255 stand for themselves, 256 is the control
// code, and 257-8191 are strings, each stored as (prefix code, final byte). Codes start at
// 9 bits and grow only when the compressor says so (256 followed by 1), up to 13 bits.
// 256 followed by 2 is a partial clear: every string code that is no other string's
// prefix (a leaf of the tree) becomes free; free codes are reused lowest first.
//
// After each code other than a control sequence, the decoder adds the string "previous
// string + first byte of this string" at the lowest free code, so it stays one step
// behind the compressor. When the code just read is that very free code (the compressor
// used the string it had only just added, the KwKwK case), its string is the previous
// string followed by its own first byte. The previous code carries across a control
// sequence.
//
// A freed code keeps its (prefix, byte) pair until it is reused, so a string added right
// after a clear on top of a previous string that the clear freed still expands to the
// bytes the compressor meant.
//
// Safety: every code read is checked against the table; a code that is neither a byte,
// nor in use, nor the next free code is bad data. Strings are expanded through a fixed
// stack whose depth is bounded by the table size, so a prefix chain that loops (possible
// only in forged data) is caught instead of followed for ever. Output never runs past
// outSize: a string that would overrun it is bad data.
#include "bit_reader.h"
#include "legacy_methods.h"

#include <array>
#include <memory>

namespace zw::legacy {
namespace {

constexpr unsigned kTableSize = 8192;
constexpr unsigned kControlCode = 256;
constexpr unsigned kFirstStringCode = 257;
constexpr unsigned kInitialCodeSize = 9;
constexpr unsigned kMaxCodeSize = 13;
constexpr uint16_t kNoCode = 0xFFFF;

// The decoder's working memory, about 40 KB, kept off the caller's stack.
struct ShrinkTable {
    std::array<uint16_t, kTableSize> prefix{};  // kNoCode for a code never assigned
    std::array<uint8_t, kTableSize> suffix{};
    std::array<bool, kTableSize> used{};        // the code is in the tree now
    std::array<uint8_t, kTableSize + 1> stack{};  // one string, last byte first
    std::array<bool, kTableSize> hasChild{};
};

class Unshrinker {
public:
    Unshrinker(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize)
        : m_bits(in, inSize), m_out(out), m_outSize(outSize), m_table(std::make_unique<ShrinkTable>())
    {
        for (unsigned code = 0; code < kTableSize; ++code) {
            m_table->prefix[code] = code < kControlCode ? code : kNoCode;
            m_table->suffix[code] = static_cast<uint8_t>(code);
            m_table->used[code] = code < kControlCode;
        }
    }

    Status run();

private:
    bool isUsed(unsigned code) const { return m_table->used[code]; }
    void assign(unsigned code, unsigned prefix, uint8_t suffix);
    void findNextFree();
    void partialClear();
    bool expand(unsigned code, uint8_t& first);
    bool emitString(unsigned code);

    detail::BitReader m_bits;
    uint8_t* m_out;
    size_t m_outSize;
    size_t m_outPos = 0;
    std::unique_ptr<ShrinkTable> m_table;
    unsigned m_codeSize = kInitialCodeSize;
    unsigned m_nextFree = kFirstStringCode;  // kTableSize when the table is full
};

void Unshrinker::findNextFree()
{
    while (m_nextFree < kTableSize && m_table->used[m_nextFree])
        ++m_nextFree;
}

void Unshrinker::assign(unsigned code, unsigned prefix, uint8_t suffix)
{
    m_table->prefix[code] = static_cast<uint16_t>(prefix);
    m_table->suffix[code] = suffix;
    m_table->used[code] = true;
    findNextFree();
}

void Unshrinker::partialClear()
{
    ShrinkTable& t = *m_table;
    t.hasChild.fill(false);
    for (unsigned code = kFirstStringCode; code < kTableSize; ++code) {
        if (t.used[code])
            t.hasChild[t.prefix[code]] = true;
    }
    for (unsigned code = kFirstStringCode; code < kTableSize; ++code) {
        if (!t.hasChild[code])
            t.used[code] = false;
    }
    m_nextFree = kFirstStringCode;
    findNextFree();
}

// Writes the string of a code in use to the output and reports its first byte.
bool Unshrinker::expand(unsigned code, uint8_t& first)
{
    ShrinkTable& t = *m_table;
    size_t depth = 0;
    while (code >= kFirstStringCode) {
        if (depth == kTableSize || t.prefix[code] == kNoCode)
            return false;  // a loop or a link never assigned: only forged data gets here
        t.stack[depth++] = t.suffix[code];
        code = t.prefix[code];
    }
    if (code == kControlCode)
        return false;
    t.stack[depth++] = static_cast<uint8_t>(code);
    if (depth > m_outSize - m_outPos)
        return false;
    first = static_cast<uint8_t>(code);
    while (depth > 0)
        m_out[m_outPos++] = t.stack[--depth];
    return true;
}

Status Unshrinker::run()
{
    unsigned previous = kNoCode;
    uint8_t previousFirst = 0;
    while (m_outPos < m_outSize) {
        uint32_t code = 0;
        if (!m_bits.read(m_codeSize, code))
            return Status::BadData;
        if (code == kControlCode) {
            uint32_t command = 0;
            if (!m_bits.read(m_codeSize, command))
                return Status::BadData;
            if (command == 1 && m_codeSize < kMaxCodeSize)
                ++m_codeSize;
            else if (command == 2)
                partialClear();
            else
                return Status::BadData;
            continue;
        }

        uint8_t first = 0;
        if (isUsed(code)) {
            if (!expand(code, first))
                return Status::BadData;
            if (previous != kNoCode && m_nextFree < kTableSize)
                assign(m_nextFree, previous, first);
        } else if (code == m_nextFree && previous != kNoCode) {
            // KwKwK: the new string is the previous one plus its own first byte.
            assign(code, previous, previousFirst);
            if (!expand(code, first))
                return Status::BadData;
        } else {
            return Status::BadData;
        }
        previous = code;
        previousFirst = first;
    }
    return Status::Ok;
}

}  // namespace

Status unshrink(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize)
{
    if (outSize == 0)
        return Status::Ok;
    Unshrinker decoder(in, inSize, out, outSize);
    return decoder.run();
}

}  // namespace zw::legacy
