// Files the store makes in a data directory are shared the way the directory is: when
// the directory is group-writable (the usual set-up for several operating-system
// accounts, best with the set-group-id bit so new files take its group), a file
// made there is given the directory's group and group read and write, whatever the
// creating account's umask. Otherwise the umask stands.
#pragma once

#include <string>

namespace quay::core::detail {

// Opens `path` read-write, creating it when missing; a file this call created is
// shared like `directory`. Returns the descriptor (close-on-exec) or -1 with errno.
int openSharedFile(const std::string& path, const std::string& directory);

// Gives the file open on `fd` the group and group permissions of `directory` when the
// directory is group-writable. Failures (an account outside the group) are ignored:
// the file then keeps what the account could give it.
void shareLikeDirectory(int fd, const std::string& directory);

}  // namespace quay::core::detail
