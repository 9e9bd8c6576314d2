// One member's decoding. The bytes produced pass through CountingSink, which
// keeps the CRC-32 (libdeflate's, the ZIP polynomial), stops a member that
// runs more than 1000 bytes past its declared size (as cancelled, code 40),
// forwards the bytes to the output and reports the minor status.
#include "member_extractor.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>

#include "call_context.h"
#include "output_file.h"
#include "progress.h"
#include "traditional_crypto.h"
#include "zwunzip.h"

namespace zw::detail {
namespace {

// Below this a member inflates in about the time handing it to the worker
// and back takes.
constexpr uint64_t kAheadMinimum = 128u << 10;

class CountingSink : public ByteSink {
public:
    CountingSink(uint64_t expected, Destination where, OutputFile* out, MemoryBlock* block,
                 Progress& progress, const std::string& text)
        : m_expected(expected), m_where(where), m_out(out), m_block(block), m_progress(progress), m_text(text) {}

    bool take(const uint8_t* data, size_t size) override {
        if (m_where == Destination::Memory) return takeForMemory(data, size);
        m_crc = libdeflate_crc32(m_crc, data, size);
        m_produced += size;
        if (m_produced > m_expected + MemberDecoder::kSizeTolerance) {
            m_code = ZW_APP_CANCELLED;
            return false;
        }
        if (m_where == Destination::File && !m_out->write(data, size)) {
            m_code = ZW_DISK_FULL;
            return false;
        }
        if (m_progress.minor(m_produced, m_expected, m_text)) {
            m_code = ZW_USER_CANCELLED;
            return false;
        }
        return true;
    }

    uint32_t crc() const { return m_crc; }
    uint64_t produced() const { return m_produced; }
    int32_t code() const { return m_code; }
    bool filledEarly() const { return m_filled; }

private:
    bool takeForMemory(const uint8_t* data, size_t size) {
        m_crc = libdeflate_crc32(m_crc, data, size);
        uint64_t before = m_produced;
        m_produced += size;
        if (m_produced > m_expected + MemberDecoder::kSizeTolerance) {
            m_code = ZW_APP_CANCELLED;
            return false;
        }
        MemoryBlock& b = *m_block;
        if (m_produced > b.start && b.copied < b.size) {
            uint64_t from = b.start > before ? b.start - before : 0;
            uint64_t n = std::min<uint64_t>(size - from, b.size - b.copied);
            std::memcpy(b.data + b.copied, data + from, static_cast<size_t>(n));
            b.copied += n;
        }
        bool cancel = m_progress.minor(m_produced, m_expected, m_text);
        if (b.copied >= b.size && b.copied > 0) {
            // The block is full: a normal end, whatever the callbacks say.
            m_filled = true;
            return false;
        }
        if (cancel) {
            m_code = ZW_USER_CANCELLED;
            return false;
        }
        return true;
    }

    uint64_t m_expected;
    Destination m_where;
    OutputFile* m_out;
    MemoryBlock* m_block;
    Progress& m_progress;
    const std::string& m_text;
    uint32_t m_crc = 0;
    uint64_t m_produced = 0;
    int32_t m_code = 0;
    bool m_filled = false;
};

}  // namespace

MemberExtractor::MemberExtractor(CallContext& ctx, Progress& progress) : m_ctx(ctx), m_progress(progress) {}

int32_t MemberExtractor::memberBytes(size_t index, const uint8_t*& data, uint64_t& size) {
    MemberData where;
    if (int32_t rc = m_ctx.directory.locate(m_ctx.volumes, index, where, m_ctx.messenger)) return rc;
    const Member& m = m_ctx.directory.members()[index];
    size = m.compressedSize;
    if (size > SIZE_MAX / 2) return ZW_NO_MEMORY;
    int32_t rc = m_ctx.volumes.read(where.disk, where.offset, size, m_scratch, data, m_ctx.messenger);
    return rc;
}

bool MemberExtractor::aheadWorthy(size_t index) const {
    const Member& m = m_ctx.directory.members()[index];
    return !m_ctx.volumes.isSplit() && !m.isEncrypted() && !m.isDirectory() && m.size >= kAheadMinimum &&
           MemberDecoder::inflatesWhole(m.method, m.size, false);
}

void MemberExtractor::startExpected(size_t current) {
    const size_t next = m_expected;
    if (next == kNoMember || next == current || next >= m_ctx.directory.members().size() || !aheadWorthy(next))
        return;
    // In an archive of one file, finding the member reads only its mapping:
    // no disk prompt, no message. A member that cannot be found is left for
    // its own turn, which reports why.
    MemberData where;
    if (m_ctx.directory.locate(m_ctx.volumes, next, where, m_ctx.messenger)) return;
    const Member& m = m_ctx.directory.members()[next];
    if (m.compressedSize > SIZE_MAX / 2) return;
    std::vector<uint8_t> scratch;
    const uint8_t* data = nullptr;
    if (m_ctx.volumes.read(where.disk, where.offset, m.compressedSize, scratch, data, m_ctx.messenger)) return;
    if (!scratch.empty()) return;  // not inside the mapping, which alone outlives this call
    const size_t size = static_cast<size_t>(m.compressedSize);
    m_ahead.start(next, data, size, MemberDecoder::wholeRoom(size, m.size));
}

int32_t MemberExtractor::checkPassword(size_t index) {
    const Member& m = m_ctx.directory.members()[index];
    if (!m.isEncrypted()) return ZW_OK;
    if (!m_ctx.cmd.decryptFlag || !m_ctx.cmd.lpszDecryptCode) return ZW_SKIPPED_ENCRYPTED;
    const uint8_t* data = nullptr;
    uint64_t size = 0;
    if (int32_t rc = memberBytes(index, data, size)) return rc;
    if (size < 12) return ZW_BAD_KEY;
    TraditionalCrypto crypto(m_ctx.cmd.lpszDecryptCode);
    uint8_t check = m.hasDescriptor() ? uint8_t(m.dosTime >> 8) : uint8_t(m.crc >> 24);
    return crypto.checkHeader(data, check) ? ZW_OK : ZW_BAD_KEY;
}

int32_t MemberExtractor::run(size_t index, Destination where, OutputFile* out, MemoryBlock* block,
                             const std::string& statusText) {
    const Member& m = m_ctx.directory.members()[index];
    const uint8_t* data = nullptr;
    uint64_t size = 0;
    if (int32_t rc = memberBytes(index, data, size)) return rc;
    if (m.isEncrypted()) {
        if (!m_ctx.cmd.decryptFlag || !m_ctx.cmd.lpszDecryptCode) return ZW_SKIPPED_ENCRYPTED;
        if (size < 12) return ZW_BAD_KEY;
        TraditionalCrypto crypto(m_ctx.cmd.lpszDecryptCode);
        uint8_t check = m.hasDescriptor() ? uint8_t(m.dosTime >> 8) : uint8_t(m.crc >> 24);
        if (!crypto.checkHeader(data, check)) return ZW_BAD_KEY;
        m_plain.resize(static_cast<size_t>(size - 12));
        crypto.decrypt(data + 12, m_plain.data(), m_plain.size());
        data = m_plain.data();
        size -= 12;
    }
    const bool partial = where == Destination::Memory && (block->start > 0 || block->size < m.size);
    CountingSink sink(m.size, where, out, block, m_progress, statusText);
    int32_t rc = ZW_OK;
    const size_t inSize = static_cast<size_t>(size);
    if (where == Destination::File && aheadWorthy(index) &&
        (m_ahead.holds(index) || m_ahead.start(index, data, inSize, MemberDecoder::wholeRoom(inSize, m.size)))) {
        InflateAhead::Inflated done = m_ahead.take(index);
        // The next member inflates while this one is checked and written.
        startExpected(index);
        rc = MemberDecoder::deliverWhole(done.result, done.data, done.produced, done.room, sink);
    } else {
        rc = m_decoder.decode(m.method, m.flags, data, inSize, m.size, partial, sink);
    }
    if (rc) return rc;
    if (sink.code()) return sink.code();
    if (where == Destination::Memory && partial) return ZW_OK;
    if (sink.filledEarly() && sink.produced() < m.size) return ZW_OK;
    if (sink.crc() != m.crc) return ZW_BAD_CRC;
    if (sink.produced() != m.size) return ZW_UNEXPECTED_EOF;
    if (m.size == 0) m_progress.minor(0, 0, statusText);
    return ZW_OK;
}

}  // namespace zw::detail
