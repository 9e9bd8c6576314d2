// The files of one archive, memory-mapped: a single archive is one segment; a
// split archive (name.z01, name.z02, ..., name.zip) is one segment per disk,
// disk n being segment n + 1 and the last disk the file the caller named.
// A segment that cannot be found is asked for through the message protocol
// ("Please insert Disk Volume %d of %d."), so that a caller can supply it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zw::detail {

class Messenger;

// One read-only mapping of a file; unmapped on destruction.
class MappedFile {
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Maps the whole file; false when it cannot be opened or mapped.
    bool open(const std::string& path);
    const uint8_t* data() const { return m_data; }
    uint64_t size() const { return m_size; }

private:
    const uint8_t* m_data = nullptr;
    uint64_t m_size = 0;
};

class VolumeSet {
public:
    // Opens the archive the caller named (the last disk of a split set).
    // Returns 0, or 9 when the file cannot be read.
    int32_t open(const std::string& path);

    // Declares the set's disk count once the end record is read; disk
    // `lastDisk` is the named file.
    void setLastDisk(uint32_t lastDisk) {
        m_lastDisk = lastDisk;
        m_segments.assign(size_t(lastDisk) + 1, nullptr);
    }
    uint32_t lastDisk() const { return m_lastDisk; }
    bool isSplit() const { return m_lastDisk > 0; }

    // The mapped bytes of the named file.
    const MappedFile& lastSegment() const { return *m_last; }

    // Reads `length` bytes from `offset` of `disk`, continuing into the
    // following disks. Points `out` either into the mapping or into `scratch`.
    // Returns 0; 2 when the set ends first; 48 when a missing disk was not
    // supplied; 29 when a disk cannot be opened.
    int32_t read(uint32_t disk, uint64_t offset, uint64_t length, std::vector<uint8_t>& scratch, const uint8_t*& out,
                 Messenger& messenger);

    // Size of one disk's segment (loading it when needed); 0 on failure.
    int32_t segment(uint32_t disk, const MappedFile*& out, Messenger& messenger);

    // Drops a loaded segment, so that the next read opens its file again
    // (after the user was asked to put the right one in place).
    void forget(uint32_t disk) {
        if (disk < m_lastDisk && disk < m_segments.size()) m_segments[disk].reset();
    }

    std::string segmentPath(uint32_t disk) const;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
    uint32_t m_lastDisk = 0;
    std::shared_ptr<MappedFile> m_last;
    std::vector<std::shared_ptr<MappedFile>> m_segments;
};

}  // namespace zw::detail
