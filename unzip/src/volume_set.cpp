// Segment mapping and reads that run across segment ends. Disk prompts repeat
// until the segment is there or the user cancels; a caller that keeps
// answering OK without supplying it is stopped after a bounded number of
// prompts, so that no call can hang for ever.
#include "volume_set.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "messenger.h"
#include "zwunzip.h"

namespace zw::detail {
namespace {
constexpr int kMaxDiskPrompts = 20;
}

MappedFile::~MappedFile() {
    if (m_data && m_size) ::munmap(const_cast<uint8_t*>(m_data), static_cast<size_t>(m_size));
}

bool MappedFile::open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    uint64_t size = static_cast<uint64_t>(st.st_size);
    if (size > static_cast<uint64_t>(SIZE_MAX / 2)) {
        ::close(fd);
        return false;
    }
    if (size > 0) {
        void* p = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (p == MAP_FAILED) {
            ::close(fd);
            return false;
        }
        m_data = static_cast<const uint8_t*>(p);
    }
    m_size = size;
    ::close(fd);
    return true;
}

int32_t VolumeSet::open(const std::string& path) {
    m_path = path;
    m_last = std::make_shared<MappedFile>();
    if (!m_last->open(path)) return ZW_FILE_NOT_FOUND;
    m_lastDisk = 0;
    m_segments.assign(1, m_last);
    return ZW_OK;
}

std::string VolumeSet::segmentPath(uint32_t disk) const {
    if (disk == m_lastDisk) return m_path;
    std::string base = m_path;
    size_t dot = base.find_last_of('.');
    size_t slash = base.find_last_of('/');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.resize(dot);
    char ext[16];
    std::snprintf(ext, sizeof ext, ".z%02u", disk + 1);
    // Segments written on a case-insensitive system may carry upper-case names.
    std::string lower = base + ext, upper = base + ext;
    for (size_t i = base.size(); i < upper.size(); ++i) upper[i] = static_cast<char>(std::toupper(upper[i]));
    if (::access(lower.c_str(), F_OK) != 0 && ::access(upper.c_str(), F_OK) == 0) return upper;
    return lower;
}

int32_t VolumeSet::segment(uint32_t disk, const MappedFile*& out, Messenger& messenger) {
    if (disk > m_lastDisk) return ZW_UNEXPECTED_EOF;
    if (disk == m_lastDisk) {
        out = m_last.get();
        return ZW_OK;
    }
    if (m_segments[disk]) {
        out = m_segments[disk].get();
        return ZW_OK;
    }
    for (int attempt = 0; attempt < kMaxDiskPrompts; ++attempt) {
        std::string p = segmentPath(disk);
        if (::access(p.c_str(), F_OK) == 0) {
            auto file = std::make_shared<MappedFile>();
            if (!file->open(p)) return ZW_OPEN_ERROR;
            m_segments[disk] = file;
            out = file.get();
            return ZW_OK;
        }
        char text[160];
        std::snprintf(text, sizeof text,
                      "Please insert Disk Volume %u of %u. \nPress OK when ready or Cancel to abort.", disk + 1,
                      m_lastDisk + 1);
        int32_t answer = messenger.ask(ZW_MSG_INSERT_DISK_OF, ZW_MB_OKCANCEL, int32_t(disk + 1),
                                       int32_t(m_lastDisk + 1), text, ZW_ID_CANCEL);
        if (answer != ZW_ID_OK) return ZW_USER_CANCELLED;
    }
    return ZW_USER_CANCELLED;
}

int32_t VolumeSet::read(uint32_t disk, uint64_t offset, uint64_t length, std::vector<uint8_t>& scratch,
                        const uint8_t*& out, Messenger& messenger) {
    const MappedFile* seg = nullptr;
    if (int32_t rc = segment(disk, seg, messenger)) return rc;
    if (offset <= seg->size() && length <= seg->size() - offset) {
        out = seg->data() + offset;
        return ZW_OK;
    }
    if (!isSplit()) return ZW_UNEXPECTED_EOF;
    // Gather across segment ends; the total is bounded by the set's size.
    scratch.clear();
    uint64_t remaining = length;
    while (remaining > 0) {
        if (offset > seg->size()) return ZW_UNEXPECTED_EOF;
        uint64_t here = seg->size() - offset;
        if (here > remaining) here = remaining;
        scratch.insert(scratch.end(), seg->data() + offset, seg->data() + offset + here);
        remaining -= here;
        if (remaining == 0) break;
        ++disk;
        offset = 0;
        if (int32_t rc = segment(disk, seg, messenger)) return rc;
    }
    out = scratch.data();
    return ZW_OK;
}

}  // namespace zw::detail
