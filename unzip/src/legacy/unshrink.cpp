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
// nor in use, nor the next free code is bad data, as is a sixth code-size increase or
// an unknown control sequence. The table (shrink_code_table.h) expands strings through
// a fixed stack, so a prefix chain that loops (possible only in forged data) is caught
// instead of followed for ever. Output never runs past outSize: a string that would
// overrun it is bad data.
#include "bit_reader.h"
#include "legacy_methods.h"
#include "shrink_code_table.h"

namespace zw::legacy {
namespace {

using detail::ShrinkCodeTable;

constexpr unsigned kInitialCodeSize = 9;
constexpr unsigned kMaxCodeSize = 13;
constexpr uint32_t kIncreaseCodeSize = 1;
constexpr uint32_t kPartialClear = 2;

Status unshrinkWith(ShrinkCodeTable& table, detail::BitReader& bits, uint8_t* out, size_t outSize) {
    unsigned codeSize = kInitialCodeSize;
    bool hasPrevious = false;
    unsigned previous = 0;
    uint8_t previousFirst = 0;
    size_t pos = 0;
    while (pos < outSize) {
        uint32_t code = 0;
        if (!bits.read(codeSize, code)) return Status::BadData;
        if (code == ShrinkCodeTable::kControlCode) {
            uint32_t command = 0;
            if (!bits.read(codeSize, command)) return Status::BadData;
            if (command == kIncreaseCodeSize && codeSize < kMaxCodeSize)
                ++codeSize;
            else if (command == kPartialClear)
                table.partialClear();
            else
                return Status::BadData;
            continue;
        }

        uint8_t first = 0;
        if (table.isUsed(code)) {
            if (!table.expand(code, out, outSize, pos, first)) return Status::BadData;
            if (hasPrevious && table.nextFree() < ShrinkCodeTable::kTableSize) table.addString(previous, first);
        } else if (hasPrevious && code == table.nextFree()) {
            // KwKwK: the new string is the previous one plus its own first byte.
            table.addString(previous, previousFirst);
            if (!table.expand(code, out, outSize, pos, first)) return Status::BadData;
        } else {
            return Status::BadData;
        }
        hasPrevious = true;
        previous = code;
        previousFirst = first;
    }
    return Status::Ok;
}

}  // namespace

Status unshrink(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) {
    if (outSize == 0) return Status::Ok;
    ShrinkCodeTable table;
    detail::BitReader bits(in, inSize);
    return unshrinkWith(table, bits, out, outSize);
}

}  // namespace zw::legacy
