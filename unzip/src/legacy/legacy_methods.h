// Decoders for the ZIP compression methods that predate deflate: shrinking (method 1),
// reducing with compression factors 1 to 4 (methods 2 to 5) and imploding (method 6),
// as the ZIP application note describes them. The archive reader hands each decoder one
// whole member and checks the CRC-32 of the result itself.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zw::legacy {

// Outcome of decoding one member.
enum class Status {
    Ok,      // exactly outSize bytes were produced; the caller goes on to the CRC check
    BadData  // the data is corrupt, ends before outSize bytes, or holds a string or match
             // that would run past outSize; the caller reports a data error for the member.
             // `out` then holds no usable result.
};

// Each decoder decodes one whole member: `in` holds exactly the member's compressed bytes
// (after decryption), `out` receives exactly outSize bytes. Returns Status::Ok, or
// Status::BadData when the data is corrupt or ends early. A decoder never reads outside
// `in` nor writes outside `out`, and its working memory is a fixed-size table whatever the
// input says (at most about 70 KB, on the stack; nothing is allocated). The functions keep
// no state between calls and may run on several threads at once.
// REQUIRES: `in` is valid for inSize bytes and `out` for outSize bytes (either may be null
// when its size is 0).

// Method 1: dynamic LZW with 9- to 13-bit codes and partial clearing.
Status unshrink(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize);

// Methods 2 to 5: follower sets and the probabilistic expander. `factor` is the
// compression factor, the method number minus 1; a factor outside 1 to 4 gives BadData.
Status unreduce(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, int factor);

// Method 6: sliding dictionary with Shannon-Fano trees. General-purpose flag bit 1 selects
// the 8K dictionary (else 4K), bit 2 the three-tree form with a literal tree (else two
// trees and raw literal bytes); the other bits are ignored.
Status explode(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, uint16_t generalFlags);

}  // namespace zw::legacy
