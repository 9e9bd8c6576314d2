// How the caller's Windows-style paths and the members' stored names map onto
// this platform's file system.
//
// Both "/" and "\" separate path levels. A caller's path that starts with a
// drive letter ("D:\work") is resolved under that drive's root: the directory
// named by $ZWUNZIP_DRIVE_D when set, else "/" for drive C and "/mnt/d" for the
// other letters. A network path ("\\server\share\dir") is resolved under
// $ZWUNZIP_UNC_ROOT (default "/net") as "/net/server/share/dir". Absolute paths
// of this platform ("/home/...") are taken as they are.
#pragma once

#include <string>
#include <vector>

namespace zw::detail {

// The caller's path as a path of this platform (separators turned into "/").
std::string mapCallerPath(const std::string& path);

// True when the destination names a drive, a network share or an absolute path:
// the forms that make a destination complete.
bool hasDriveOrShare(const std::string& path);

// Makes a relative path absolute against the current directory.
std::string absolutePath(const std::string& path);

// A member name split into safe path levels. `reason` is empty when the name
// can be written below the destination; otherwise it says why it cannot (a
// ".." level, an absolute name, a drive prefix, a NUL character).
struct MemberPath {
    std::vector<std::string> levels;
    bool isDirectory = false;  // the name ends with a separator
    std::string reason;
};
MemberPath splitMemberName(const std::string& name);

// Joins levels below a directory with "/".
std::string joinBelow(const std::string& directory, const std::vector<std::string>& levels);

}  // namespace zw::detail
