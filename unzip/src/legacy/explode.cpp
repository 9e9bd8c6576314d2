// Exploding imploded members (method 6), as the ZIP application note describes under
// "Imploding - Method 6".
//
// The member starts with its Shannon-Fano trees, whole bytes each: the literal tree (256
// symbols) when general-purpose flag bit 2 is set, then the length tree and the distance
// tree (64 symbols each). The bit stream that follows is a sequence of items:
//   1 bit 1: a literal, decoded with the literal tree, or 8 raw bits without one;
//   1 bit 0: a match: the low 7 (8K dictionary, flag bit 1) or 6 (4K) bits of the
//            distance raw, its high 6 bits from the distance tree, then the length from
//            the length tree plus the minimum match length (3 with a literal tree, 2
//            without); the largest length code is followed by 8 raw bits more to add.
//            The match copies from distance + 1 bytes back; bytes before the start of the
//            output read as zeros.
// The output buffer is the whole member, so it doubles as the sliding dictionary.
//
// Safety: invalid trees, codes matching no symbol, a match running past outSize and input
// ending before outSize bytes are all bad data.
#include "bit_reader.h"
#include "legacy_methods.h"
#include "shannon_fano_tree.h"

namespace zw::legacy {
namespace {

constexpr uint16_t kEightKDictionaryFlag = 0x0002;
constexpr uint16_t kLiteralTreeFlag = 0x0004;
constexpr unsigned kLiteralSymbols = 256;
constexpr unsigned kLengthSymbols = 64;
constexpr unsigned kDistanceSymbols = 64;
constexpr unsigned kExtendedLengthCode = 63;

struct ImplodeTrees {
    detail::ShannonFanoTree literal;
    detail::ShannonFanoTree length;
    detail::ShannonFanoTree distance;
};

}  // namespace

Status explode(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, uint16_t generalFlags) {
    if (outSize == 0) return Status::Ok;
    const bool hasLiteralTree = (generalFlags & kLiteralTreeFlag) != 0;
    const unsigned lowDistanceBits = (generalFlags & kEightKDictionaryFlag) != 0 ? 7 : 6;
    const size_t minimumMatch = hasLiteralTree ? 3 : 2;

    ImplodeTrees trees;
    const uint8_t* pos = in;
    const uint8_t* const end = in + inSize;
    if (hasLiteralTree && !trees.literal.read(pos, end, kLiteralSymbols)) return Status::BadData;
    if (!trees.length.read(pos, end, kLengthSymbols) || !trees.distance.read(pos, end, kDistanceSymbols))
        return Status::BadData;

    detail::BitReader bits(pos, static_cast<size_t>(end - pos));
    size_t outPos = 0;
    while (outPos < outSize) {
        uint32_t isLiteral = 0;
        if (!bits.readBit(isLiteral)) return Status::BadData;
        if (isLiteral != 0) {
            unsigned literal = 0;
            uint32_t raw = 0;
            if (hasLiteralTree) {
                if (!trees.literal.decode(bits, literal)) return Status::BadData;
            } else {
                if (!bits.read(8, raw)) return Status::BadData;
                literal = raw;
            }
            out[outPos++] = static_cast<uint8_t>(literal);
            continue;
        }

        uint32_t lowDistance = 0;
        unsigned highDistance = 0;
        unsigned lengthCode = 0;
        if (!bits.read(lowDistanceBits, lowDistance) || !trees.distance.decode(bits, highDistance) ||
            !trees.length.decode(bits, lengthCode))
            return Status::BadData;
        size_t length = lengthCode + minimumMatch;
        if (lengthCode == kExtendedLengthCode) {
            uint32_t extra = 0;
            if (!bits.read(8, extra)) return Status::BadData;
            length += extra;
        }
        const size_t distance = ((static_cast<size_t>(highDistance) << lowDistanceBits) | lowDistance) + 1;
        if (length > outSize - outPos) return Status::BadData;
        for (size_t i = 0; i < length; ++i, ++outPos) out[outPos] = outPos >= distance ? out[outPos - distance] : 0;
    }
    return Status::Ok;
}

}  // namespace zw::legacy
