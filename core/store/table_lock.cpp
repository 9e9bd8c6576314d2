// Open-file-description locks (F_OFD_SETLK) rather than classic POSIX record locks:
// POSIX locks belong to the process, so a second handle in the same process would
// silently share them and closing any descriptor of the file would drop them all.
// OFD locks belong to the open file description, are released when the handle closes
// it or the process dies, and conflict between handles of one process.
//
// The slot is a 40-bit FNV-1a hash of the SQL table name, so any process finds the
// same byte without consulting the database; the lock file itself stays empty (locks
// may lie past its end).
#include "table_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "shared_files.h"

namespace quay::core::detail {

namespace {

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : (slash == 0 ? std::string("/") : path.substr(0, slash));
}

}  // namespace

TableLock::~TableLock() { release(); }

std::uint64_t TableLock::slotFor(const std::string& sqlTable) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : sqlTable) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return 1 + (h & ((1ull << 40) - 1));
}

TableLock::Outcome TableLock::acquire(const std::string& path, std::uint64_t slot, bool exclusive) {
    release();
    m_fd = openSharedFile(path, directoryOf(path));
    if (m_fd < 0) {
        m_errorText = "cannot open lock file " + path + ": " + std::strerror(errno);
        return Outcome::Failed;
    }
    m_slot = slot;
    const Outcome o = setLock(exclusive ? F_WRLCK : F_RDLCK);
    if (o != Outcome::Held) {
        ::close(m_fd);
        m_fd = -1;
    }
    return o;
}

TableLock::Outcome TableLock::upgrade() { return setLock(F_WRLCK); }

void TableLock::downgrade() { setLock(F_RDLCK); }

void TableLock::release() {
    if (m_fd >= 0) {
        ::close(m_fd);  // closing the only descriptor of the description drops its lock
        m_fd = -1;
    }
}

TableLock::Outcome TableLock::setLock(short type) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(m_slot);
    fl.l_len = 1;
    fl.l_pid = 0;  // required to be 0 for OFD locks
    for (;;) {
        if (::fcntl(m_fd, F_OFD_SETLK, &fl) == 0) return Outcome::Held;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EACCES) return Outcome::Conflict;
        m_errorText = std::string("cannot lock table: ") + std::strerror(errno);
        return Outcome::Failed;
    }
}

}  // namespace quay::core::detail
