// The archive's directory: the end-of-central-directory record (ZIP application
// note 4.3.16), the Zip64 end record and its locator (4.3.14, 4.3.15), the
// central directory headers (4.3.12) with their Zip64 extended information
// (4.5.3), and the check of each member's local header (4.3.7).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "volume_set.h"

namespace zw::detail {

class Messenger;

struct Member {
    std::string name;  // as stored, "/" separators
    uint16_t madeBy = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t size = 0;
    uint32_t disk = 0;
    uint32_t externalAttributes = 0;
    uint64_t localOffset = 0;

    bool isEncrypted() const { return flags & 0x0001; }
    bool hasDescriptor() const { return flags & 0x0008; }
    bool isUtf8() const { return flags & 0x0800; }
    // A name ending in a separator, or an empty entry that MS-DOS, OS/2 or
    // Windows marked with the directory attribute.
    bool isDirectory() const {
        if (!name.empty() && (name.back() == '/' || name.back() == '\\')) return true;
        const int host = madeBy >> 8;
        return (externalAttributes & 0x10) && size == 0 && (host == 0 || host == 6 || host == 11);
    }
    bool isVolumeLabel() const { return (externalAttributes & 0x08) && (madeBy >> 8) == 0; }
};

// Where a member's data lies, once its local header has been checked.
struct MemberData {
    uint32_t disk = 0;
    uint64_t offset = 0;
};

class CentralDirectory {
public:
    // Reads the end record and the directory of an opened set. Returns 0, or
    // 3 when the archive's structure cannot be understood, 48 when a needed
    // disk was not supplied.
    int32_t read(VolumeSet& volumes, Messenger& messenger);

    const std::vector<Member>& members() const { return m_members; }
    const std::string& comment() const { return m_comment; }
    uint32_t lastDisk() const { return m_lastDisk; }

    // Checks the member's local header and finds its data. Returns 0; 3 for a
    // missing signature or data that overlaps another member; 2 when the data
    // runs past the archive's end. On an earlier disk of a split set a header
    // without the signature or the member's name means the wrong segment is in
    // place: the user is told ("Invalid First Disk; Try again.") and asked for
    // the disk again; Cancel gives 48.
    int32_t locate(VolumeSet& volumes, size_t index, MemberData& out, Messenger& messenger) const;

private:
    int32_t findEnd(const MappedFile& file);
    int32_t readEntries(const uint8_t* p, uint64_t size);
    void buildOverlapTable();

    std::vector<Member> m_members;
    std::vector<uint64_t> m_sortedOffsets;  // local header offsets, ascending
    std::string m_comment;
    uint64_t m_entries = 0;
    uint64_t m_cdOffset = 0;
    uint64_t m_cdSize = 0;
    uint64_t m_endPosition = 0;  // where the (Zip64) end record starts in the last disk
    uint64_t m_shift = 0;        // bytes prepended before the archive (self-extractor stub)
    uint32_t m_cdDisk = 0;
    uint32_t m_lastDisk = 0;
};

}  // namespace zw::detail
