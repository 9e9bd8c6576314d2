// Reading the archive's directory. Every length and offset read from the file
// is checked against the bytes really present before it is used, and nothing
// is allocated from a count the file states without a bound the file's size
// gives, so a hostile archive can neither read outside the mapping nor make
// the library allocate without limit.
#include "central_directory.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>

#include "messenger.h"
#include "zwunzip.h"

namespace zw::detail {
namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kEnd64Signature = 0x06064b50;
constexpr uint32_t kLocator64Signature = 0x07064b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint64_t le64(const uint8_t* p) { return uint64_t(le32(p)) | (uint64_t(le32(p + 4)) << 32); }

// Applies the extra fields of a central header: the Zip64 extended
// information (4.5.3), whose 8-byte values are present only when their 32-bit
// fields are saturated, and the Info-ZIP Unicode Path field (4.6.9).
void applyExtras(Member& m, const uint8_t* extra, size_t length, bool sizeFull, bool compFull, bool offsetFull,
                 bool diskFull, std::string* unicodeName) {
    size_t pos = 0;
    bool zip64Done = false;
    while (pos + 4 <= length) {
        uint16_t id = le16(extra + pos);
        uint16_t len = le16(extra + pos + 2);
        pos += 4;
        if (len > length - pos) return;
        if (id == 0x7075 && unicodeName && len >= 5 && extra[pos] == 1) {
            // Info-ZIP Unicode Path (4.6.9): used when it belongs to this very name.
            uint32_t nameCrc = le32(extra + pos + 1);
            if (nameCrc == uint32_t(::crc32(0, reinterpret_cast<const Bytef*>(m.name.data()), uInt(m.name.size())))) {
                *unicodeName = std::string(reinterpret_cast<const char*>(extra + pos + 5), len - 5);
            }
        }
        if (id == 0x0001 && !zip64Done) {
            const uint8_t* f = extra + pos;
            size_t left = len;
            auto take64 = [&](uint64_t& v) {
                if (left < 8) return;
                v = le64(f);
                f += 8;
                left -= 8;
            };
            if (sizeFull) take64(m.size);
            if (compFull) take64(m.compressedSize);
            if (offsetFull) take64(m.localOffset);
            if (diskFull && left >= 4) m.disk = le32(f);
            zip64Done = true;
        }
        pos += len;
    }
}

}  // namespace

int32_t CentralDirectory::findEnd(const MappedFile& file) {
    const uint8_t* d = file.data();
    const uint64_t size = file.size();
    if (size < kEndSize) return ZW_BAD_STRUCTURE;
    // The end record sits within the last 65535 + 22 bytes (its comment may be that long).
    uint64_t lowest = size > 65535 + kEndSize ? size - 65535 - kEndSize : 0;
    for (uint64_t pos = size - kEndSize + 1; pos-- > lowest;) {
        const uint8_t* p = d + pos;
        if (le32(p) != kEndSignature) continue;
        uint32_t thisDisk = le16(p + 4);
        m_cdDisk = le16(p + 6);
        m_entries = le16(p + 10);
        m_cdSize = le32(p + 12);
        m_cdOffset = le32(p + 16);
        uint64_t commentLength = le16(p + 20);
        uint64_t available = size - pos - kEndSize;
        m_comment.assign(reinterpret_cast<const char*>(p + kEndSize),
                         static_cast<size_t>(std::min(commentLength, available)));
        m_endPosition = pos;
        m_lastDisk = thisDisk;
        // Zip64 end record, found through its locator just before the end record.
        if (pos >= 20 && le32(p - 20) == kLocator64Signature) {
            uint64_t at = le64(p - 20 + 8);
            uint32_t totalDisks = le32(p - 20 + 16);
            if (size >= 56 && at <= size - 56 && le32(d + at) == kEnd64Signature) {
                const uint8_t* e = d + at;
                m_lastDisk = le32(e + 16);
                m_cdDisk = le32(e + 20);
                m_entries = le64(e + 32);
                m_cdSize = le64(e + 40);
                m_cdOffset = le64(e + 48);
                m_endPosition = at;
            } else if (totalDisks > 0) {
                m_lastDisk = totalDisks - 1;
            }
        }
        if (m_cdDisk > m_lastDisk) return ZW_BAD_STRUCTURE;
        return ZW_OK;
    }
    return ZW_BAD_STRUCTURE;
}

int32_t CentralDirectory::readEntries(const uint8_t* p, uint64_t size) {
    m_members.clear();
    m_members.reserve(static_cast<size_t>(std::min<uint64_t>(m_entries, size / kCentralSize)));
    uint64_t pos = 0;
    for (uint64_t i = 0; i < m_entries; ++i) {
        if (size - pos < kCentralSize || le32(p + pos) != kCentralSignature) return ZW_BAD_STRUCTURE;
        const uint8_t* h = p + pos;
        Member m;
        m.madeBy = le16(h + 4);
        m.flags = le16(h + 8);
        m.method = le16(h + 10);
        m.dosTime = le16(h + 12);
        m.dosDate = le16(h + 14);
        m.crc = le32(h + 16);
        m.compressedSize = le32(h + 20);
        m.size = le32(h + 24);
        size_t nameLength = le16(h + 28), extraLength = le16(h + 30), commentLength = le16(h + 32);
        m.disk = le16(h + 34);
        m.externalAttributes = le32(h + 38);
        m.localOffset = le32(h + 42);
        uint64_t total = kCentralSize + nameLength + extraLength + commentLength;
        if (size - pos < total) return ZW_BAD_STRUCTURE;
        m.name.assign(reinterpret_cast<const char*>(h + kCentralSize), nameLength);
        std::string unicodeName;
        applyExtras(m, h + kCentralSize + nameLength, extraLength, m.size == 0xFFFFFFFFu,
                    m.compressedSize == 0xFFFFFFFFu, m.localOffset == 0xFFFFFFFFu, m.disk == 0xFFFFu, &unicodeName);
        if (!unicodeName.empty()) {
            m.name = unicodeName;
            m.flags |= 0x0800;
        }
        m_members.push_back(std::move(m));
        pos += total;
    }
    return ZW_OK;
}

void CentralDirectory::buildOverlapTable() {
    m_sortedOffsets.clear();
    m_sortedOffsets.reserve(m_members.size());
    for (const Member& m : m_members) m_sortedOffsets.push_back(m.localOffset);
    std::sort(m_sortedOffsets.begin(), m_sortedOffsets.end());
}

int32_t CentralDirectory::read(VolumeSet& volumes, Messenger& messenger) {
    if (int32_t rc = findEnd(volumes.lastSegment())) return rc;
    // The classic end record numbers disks in 16 bits; a Zip64 record that claims more
    // disks than that is lying, and taking it at its word would size the segment table
    // by an untrusted 32-bit count.
    if (m_lastDisk > 0xFFFFu) return ZW_BAD_STRUCTURE;
    volumes.setLastDisk(m_lastDisk);
    std::vector<uint8_t> scratch;
    const uint8_t* cd = nullptr;
    if (!volumes.isSplit()) {
        // A stub before the archive shifts every offset by the same amount;
        // the gap between the directory's stated end and the end record tells how much.
        uint64_t statedEnd = m_cdOffset + m_cdSize;
        if (statedEnd < m_cdOffset || statedEnd > m_endPosition) {
            if (m_cdSize > m_endPosition) return ZW_BAD_STRUCTURE;
            // A directory size that overstates what is present: read from the stated offset.
            statedEnd = m_cdOffset + std::min(m_cdSize, m_endPosition);
        }
        const MappedFile& f = volumes.lastSegment();
        uint64_t shift = m_endPosition >= statedEnd ? m_endPosition - statedEnd : 0;
        bool plain = m_cdOffset + 4 <= f.size() && le32(f.data() + m_cdOffset) == kCentralSignature;
        bool shifted =
            shift && m_cdOffset + shift + 4 <= f.size() && le32(f.data() + m_cdOffset + shift) == kCentralSignature;
        m_shift = (!plain && shifted) ? shift : 0;
        if (m_entries == 0) {
            m_members.clear();
            return ZW_OK;
        }
        uint64_t start = m_cdOffset + m_shift;
        if (start > m_endPosition) return ZW_BAD_STRUCTURE;
        if (int32_t rc = readEntries(f.data() + start, m_endPosition - start)) return rc;
        buildOverlapTable();
        return ZW_OK;
    }
    // Split set: the directory may start on an earlier disk and run on.
    const MappedFile* first = nullptr;
    if (int32_t rc = volumes.segment(m_cdDisk, first, messenger)) return rc;
    uint64_t available = m_cdSize;
    if (int32_t rc = volumes.read(m_cdDisk, m_cdOffset, available, scratch, cd, messenger))
        return rc == ZW_UNEXPECTED_EOF ? ZW_BAD_STRUCTURE : rc;
    return readEntries(cd, available);
}

int32_t CentralDirectory::locate(VolumeSet& volumes, size_t index, MemberData& out, Messenger& messenger) const {
    const Member& m = m_members[index];
    std::vector<uint8_t> scratch;
    const uint8_t* h = nullptr;
    uint64_t at = m.localOffset + m_shift;
    if (at < m.localOffset) return ZW_BAD_STRUCTURE;
    uint64_t dataAt = 0;
    for (int attempt = 0;; ++attempt) {
        int32_t rc = volumes.read(m.disk, at, kLocalSize, scratch, h, messenger);
        if (rc && rc != ZW_UNEXPECTED_EOF) return rc;
        bool fits = rc == ZW_OK && le32(h) == kLocalSignature;
        size_t nameLength = fits ? le16(h + 26) : 0;
        dataAt = at + kLocalSize + nameLength + (fits ? le16(h + 28) : 0);
        if (fits && volumes.isSplit() && m.disk != volumes.lastDisk()) {
            // On an earlier disk the local header must also carry the member's name.
            const uint8_t* name = nullptr;
            fits = volumes.read(m.disk, at + kLocalSize, nameLength, scratch, name, messenger) == ZW_OK &&
                   nameLength == m.name.size() && std::equal(m.name.begin(), m.name.end(), name);
        }
        if (fits) break;
        if (!volumes.isSplit() || m.disk == volumes.lastDisk() || attempt >= 20) return ZW_BAD_STRUCTURE;
        // The segment in place is not the disk this member starts on: say so and ask again.
        messenger.ask(ZW_MSG_INVALID_DISK, ZW_MB_OK, int32_t(m.disk + 1), 0, "Invalid First Disk; Try again.",
                      ZW_ID_OK);
        char text[160];
        std::snprintf(text, sizeof text,
                      "Please insert Disk Volume %u of %u. \nPress OK when ready or Cancel to abort.", m.disk + 1,
                      volumes.lastDisk() + 1);
        if (messenger.ask(ZW_MSG_INSERT_DISK_OF, ZW_MB_OKCANCEL, int32_t(m.disk + 1), int32_t(volumes.lastDisk() + 1),
                          text, ZW_ID_CANCEL) != ZW_ID_OK)
            return ZW_USER_CANCELLED;
        volumes.forget(m.disk);
    }
    out.disk = m.disk;
    out.offset = dataAt;
    if (volumes.isSplit()) return ZW_OK;
    // Overlap check: the member's data must end before the next member's
    // local header and before the central directory, and no other member may
    // share its local header (a quoted or fully overlapping archive).
    const uint64_t fileSize = volumes.lastSegment().size();
    if (dataAt > fileSize || m.compressedSize > fileSize - dataAt) return ZW_UNEXPECTED_EOF;
    uint64_t dataEnd = dataAt + m.compressedSize;
    auto range = std::equal_range(m_sortedOffsets.begin(), m_sortedOffsets.end(), m.localOffset);
    if (range.second - range.first > 1) return ZW_BAD_STRUCTURE;
    if (range.second != m_sortedOffsets.end() && *range.second + m_shift < dataEnd) return ZW_BAD_STRUCTURE;
    if (m_entries && dataEnd > m_cdOffset + m_shift) return ZW_BAD_STRUCTURE;
    return ZW_OK;
}

}  // namespace zw::detail
