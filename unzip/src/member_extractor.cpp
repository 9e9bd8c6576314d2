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

class CountingSink : public ByteSink {
public:
    CountingSink(uint64_t expected, Destination where, OutputFile* out, MemoryBlock* block, Progress& progress,
                 const std::string& text)
        : m_expected(expected), m_where(where), m_out(out), m_block(block), m_progress(progress), m_text(text) {}

    // The CRC-32 of every byte this sink will take, already computed where
    // the bytes were inflated.
    void setKnownCrc(uint32_t crc) {
        m_crc = crc;
        m_crcKnown = true;
    }

    bool take(const uint8_t* data, size_t size) override {
        if (m_where == Destination::Memory) return takeForMemory(data, size);
        if (!m_crcKnown) m_crc = libdeflate_crc32(m_crc, data, size);
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
    bool m_crcKnown = false;
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
    return !m_ctx.volumes.isSplit() && !m.isEncrypted() && !m.isDirectory() &&
           MemberDecoder::inflatesWhole(m.method, m.size, false);
}

void MemberExtractor::planAhead(const std::vector<size_t>& members) {
    const InflateAhead::Settings settings = InflateAhead::Settings::fromEnvironment();
    if (settings.workers == 0 || m_ctx.volumes.isSplit()) return;
    m_plan = members;
    m_planned = 0;
    m_ahead = std::make_unique<InflateAhead>(settings, [this](InflateAhead::Candidate& c) { return nextAhead(c); });
}

void MemberExtractor::stopAhead() {
    if (m_ahead) m_ahead->stop();
}

bool MemberExtractor::nextAhead(InflateAhead::Candidate& out) {
    const size_t count = m_ctx.directory.members().size();
    while (m_planned < m_plan.size()) {
        const size_t next = m_plan[m_planned++];
        if (next >= count || !aheadWorthy(next)) continue;
        // In an archive of one file, finding the member reads only its
        // mapping: no disk prompt, no message. A member that cannot be found
        // is left for its own turn, which reports why.
        MemberData where;
        if (m_ctx.directory.locate(m_ctx.volumes, next, where, m_ctx.messenger)) continue;
        const Member& m = m_ctx.directory.members()[next];
        if (m.compressedSize > SIZE_MAX / 2) continue;
        const uint8_t* data = nullptr;
        std::vector<uint8_t> scratch;
        if (m_ctx.volumes.read(where.disk, where.offset, m.compressedSize, scratch, data, m_ctx.messenger)) continue;
        if (!scratch.empty()) continue;  // not inside the mapping, which alone outlives the call
        out.member = next;
        out.in = data;
        out.inSize = static_cast<size_t>(m.compressedSize);
        out.room = MemberDecoder::wholeRoom(out.inSize, m.size);
        return true;
    }
    return false;
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
    InflateAhead::Inflated done;
    if (where != Destination::Memory && m_ahead && m_ahead->take(index, done)) {
        if (done.result == LIBDEFLATE_SUCCESS) sink.setKnownCrc(done.crc);
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
