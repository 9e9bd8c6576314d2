// Member decoding. The whole-member path reuses one output buffer for every
// member of a call, so that large extractions do not pay for fresh pages each
// time; the buffer never exceeds kWholeMemberLimit plus the tolerance, and a
// declared size is also bounded by what the method can produce from the
// compressed bytes present (deflate expands at most 1032:1), so a lying header
// cannot make the library allocate more than its data could fill.
#include "member_decoder.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>

#include "zwunzip.h"

#ifdef ZW_HAVE_LEGACY_METHODS
#include "legacy/legacy_methods.h"
#endif

namespace zw::detail {
namespace {

constexpr uint64_t kDeflateMaxRatio = 1032;
// Shrink, reduce and implode expand far less than this per compressed byte.
constexpr uint64_t kLegacyMaxRatio = 8192;
constexpr uint64_t kLegacyLimit = 1u << 30;

}  // namespace

bool feedInPieces(ByteSink& sink, const uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        size_t n = std::min(size - done, MemberDecoder::kStreamChunk);
        if (!sink.take(data + done, n)) return false;
        done += n;
    }
    return true;
}

MemberDecoder::MemberDecoder() = default;

MemberDecoder::~MemberDecoder() {
    if (m_inflater) libdeflate_free_decompressor(m_inflater);
    std::free(m_buffer);
}

bool MemberDecoder::supports(uint16_t method) {
    if (method == 0 || method == 8) return true;
#ifdef ZW_HAVE_LEGACY_METHODS
    return method >= 1 && method <= 6;
#else
    return false;
#endif
}

uint8_t* MemberDecoder::buffer(size_t size) {
    if (size <= m_capacity) return m_buffer;
    void* p = std::realloc(m_buffer, size);
    if (!p) return nullptr;
    m_buffer = static_cast<uint8_t*>(p);
    m_capacity = size;
    return m_buffer;
}

int32_t MemberDecoder::decode(uint16_t method, uint16_t flags, const uint8_t* in, size_t inSize, uint64_t declaredSize,
                              bool streaming, ByteSink& sink) {
    switch (method) {
    case 0: feedInPieces(sink, in, inSize); return ZW_OK;
    case 8:
        if (!inflatesWhole(method, declaredSize, streaming)) return inflateStream(in, inSize, sink);
        return inflateWhole(in, inSize, declaredSize, sink);
    default:
        if (method >= 1 && method <= 6 && supports(method))
            return legacy(method, flags, in, inSize, declaredSize, sink);
        return ZW_UNKNOWN_METHOD;
    }
}

uint64_t MemberDecoder::mostOutput(uint16_t method, uint64_t inSize) {
    if (!supports(method) || inSize > (uint64_t(1) << 40)) return 0;
    if (method == 0) return inSize;
    if (method == 8) return inSize * kDeflateMaxRatio + 1024;
    return inSize * kLegacyMaxRatio + 65536;
}

size_t MemberDecoder::wholeRoom(size_t inSize, uint64_t declaredSize) {
    uint64_t possible = uint64_t(inSize) * kDeflateMaxRatio + 1024;
    return static_cast<size_t>(std::min(declaredSize, possible) + kSizeTolerance + 1);
}

int32_t MemberDecoder::deliverWhole(int result, const uint8_t* out, size_t produced, size_t room, ByteSink& sink) {
    if (result == LIBDEFLATE_INSUFFICIENT_SPACE) {
        // More than the declared size plus the tolerance: hand the sink what
        // fits, which exceeds the tolerance and stops the member.
        feedInPieces(sink, out, room);
        return ZW_OK;
    }
    if (result != LIBDEFLATE_SUCCESS) return ZW_UNEXPECTED_EOF;
    feedInPieces(sink, out, produced);
    return ZW_OK;
}

int32_t MemberDecoder::inflateWhole(const uint8_t* in, size_t inSize, uint64_t declaredSize, ByteSink& sink) {
    if (!m_inflater) {
        m_inflater = libdeflate_alloc_decompressor();
        if (!m_inflater) return ZW_NO_MEMORY;
    }
    size_t room = wholeRoom(inSize, declaredSize);
    uint8_t* out = buffer(room);
    if (!out) return ZW_NO_MEMORY;
    size_t produced = 0;
    libdeflate_result r = libdeflate_deflate_decompress(m_inflater, in, inSize, out, room, &produced);
    return deliverWhole(r, out, produced, room, sink);
}

int32_t MemberDecoder::inflateStream(const uint8_t* in, size_t inSize, ByteSink& sink) {
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return ZW_NO_MEMORY;
    uint8_t* out = buffer(kStreamChunk);
    if (!out) {
        inflateEnd(&z);
        return ZW_NO_MEMORY;
    }
    size_t consumed = 0;
    int32_t code = ZW_OK;
    for (;;) {
        if (z.avail_in == 0 && consumed < inSize) {
            size_t n = std::min<size_t>(inSize - consumed, 1u << 30);
            z.next_in = const_cast<Bytef*>(in + consumed);
            z.avail_in = static_cast<uInt>(n);
            consumed += n;
        }
        z.next_out = out;
        z.avail_out = static_cast<uInt>(kStreamChunk);
        int rc = inflate(&z, Z_NO_FLUSH);
        size_t got = kStreamChunk - z.avail_out;
        if (got && !sink.take(out, got)) break;
        if (rc == Z_STREAM_END) break;
        if (rc == Z_BUF_ERROR && z.avail_in == 0 && consumed >= inSize) {
            code = ZW_UNEXPECTED_EOF;  // the data ends before the stream does
            break;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) {
            code = rc == Z_MEM_ERROR ? ZW_NO_MEMORY : ZW_UNEXPECTED_EOF;
            break;
        }
    }
    inflateEnd(&z);
    return code;
}

int32_t MemberDecoder::legacy(uint16_t method, uint16_t flags, const uint8_t* in, size_t inSize, uint64_t declaredSize,
                              ByteSink& sink) {
#ifdef ZW_HAVE_LEGACY_METHODS
    if (declaredSize > kLegacyLimit || declaredSize > uint64_t(inSize) * kLegacyMaxRatio + 65536)
        return ZW_UNEXPECTED_EOF;
    size_t size = static_cast<size_t>(declaredSize);
    uint8_t* out = buffer(size ? size : 1);
    if (!out) return ZW_NO_MEMORY;
    zw::legacy::Status st;
    if (method == 1)
        st = zw::legacy::unshrink(in, inSize, out, size);
    else if (method <= 5)
        st = zw::legacy::unreduce(in, inSize, out, size, method - 1);
    else
        st = zw::legacy::explode(in, inSize, out, size, flags);
    if (st != zw::legacy::Status::Ok) return ZW_UNEXPECTED_EOF;
    feedInPieces(sink, out, size);
    return ZW_OK;
#else
    (void)method, (void)flags, (void)in, (void)inSize, (void)declaredSize, (void)sink;
    return ZW_UNKNOWN_METHOD;
#endif
}

}  // namespace zw::detail
