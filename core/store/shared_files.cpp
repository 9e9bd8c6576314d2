// Creation is exclusive (O_EXCL) so that only the process that made a file changes
// its group and mode; an existing file, perhaps another account's, is left as it is.
#include "shared_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quay::core::detail {

void shareLikeDirectory(int fd, const std::string& directory) {
    struct stat dir {};
    if (::stat(directory.c_str(), &dir) != 0 || (dir.st_mode & S_IWGRP) == 0) return;
    struct stat file {};
    if (::fstat(fd, &file) != 0) return;
    if (file.st_gid != dir.st_gid) (void)::fchown(fd, static_cast<uid_t>(-1), dir.st_gid);
    const mode_t wanted = (file.st_mode & 07777) | S_IRGRP | S_IWGRP;
    if ((file.st_mode & 07777) != wanted) (void)::fchmod(fd, wanted);
}

int openSharedFile(const std::string& path, const std::string& directory) {
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT) return fd;
        const int made = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (made >= 0) {
            shareLikeDirectory(made, directory);
            return made;
        }
        if (errno != EEXIST) return -1;
        // Another process made it between the two opens: open theirs.
    }
}

}  // namespace quay::core::detail
