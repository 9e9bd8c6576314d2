// Decompression of one member's data by its method: 0 stored, 1 shrunk, 2-5
// reduced, 6 imploded, 8 deflated. Deflated members up to kWholeMemberLimit
// are inflated at once by libdeflate into a buffer of their declared size
// (plus the 1000-byte tolerance and one byte), larger ones and partial reads
// are streamed through zlib's raw inflate. Produced bytes go to a ByteSink.
#pragma once

#include <cstddef>
#include <cstdint>

struct libdeflate_decompressor;

namespace zw::detail {

// Receives a member's bytes as they are produced, in order.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Takes the next bytes; false stops the decoding (the sink knows why).
    virtual bool take(const uint8_t* data, size_t size) = 0;
};

class MemberDecoder {
public:
    static constexpr uint64_t kWholeMemberLimit = 64u << 20;
    static constexpr size_t kStreamChunk = 256u << 10;
    // Bytes a member may produce beyond its declared size before it is stopped.
    static constexpr uint64_t kSizeTolerance = 1000;

    MemberDecoder();
    ~MemberDecoder();
    MemberDecoder(const MemberDecoder&) = delete;
    MemberDecoder& operator=(const MemberDecoder&) = delete;

    // True when the method can be decoded by this build.
    static bool supports(uint16_t method);

    // Decodes `in` (the member's compressed bytes, already decrypted). With
    // `streaming` deflated data is inflated in chunks even when small, so that
    // a sink that needs only the first bytes stops early. Returns 0 when the
    // data ended or the sink stopped; 2 for corrupt data; 5 when memory for the
    // output cannot be had; 42 for a method this build does not have.
    int32_t decode(uint16_t method, uint16_t flags, const uint8_t* in, size_t inSize, uint64_t declaredSize,
                   bool streaming, ByteSink& sink);

    // The most bytes `inSize` bytes of data of `method` can decode to; 0
    // for a method this build does not have.
    static uint64_t mostOutput(uint16_t method, uint64_t inSize);
    // True when decode() inflates such a member at once with libdeflate.
    static bool inflatesWhole(uint16_t method, uint64_t declaredSize, bool streaming) {
        return method == 8 && !streaming && declaredSize <= kWholeMemberLimit;
    }
    // The output buffer a member inflated at once is given: its declared
    // size, bounded by what `inSize` deflated bytes can produce, plus the
    // tolerance and one byte to tell a member that runs past it.
    static size_t wholeRoom(size_t inSize, uint64_t declaredSize);
    // Hands the outcome of inflating a member at once (`result` is a
    // libdeflate_result; `out` holds `produced` bytes of a `room`-byte
    // buffer) to the sink, and gives the member's code as decode() does.
    static int32_t deliverWhole(int result, const uint8_t* out, size_t produced, size_t room, ByteSink& sink);

private:
    int32_t inflateWhole(const uint8_t* in, size_t inSize, uint64_t declaredSize, ByteSink& sink);
    int32_t inflateStream(const uint8_t* in, size_t inSize, ByteSink& sink);
    int32_t legacy(uint16_t method, uint16_t flags, const uint8_t* in, size_t inSize, uint64_t declaredSize,
                   ByteSink& sink);
    uint8_t* buffer(size_t size);

    libdeflate_decompressor* m_inflater = nullptr;
    uint8_t* m_buffer = nullptr;
    size_t m_capacity = 0;
};

// Feeds a buffer to a sink in pieces of at most kStreamChunk bytes, so that
// progress is reported as the output is written; false when the sink stopped.
bool feedInPieces(ByteSink& sink, const uint8_t* data, size_t size);

}  // namespace zw::detail
