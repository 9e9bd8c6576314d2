// Path mapping and the safety check for member names. A stored name may never
// lead outside the destination: names with ".." levels, absolute names and
// names with a drive prefix are refused before any file is touched.
#include "platform_paths.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>

namespace zw::detail {
namespace {

std::string slashes(std::string p) {
    for (char& c : p)
        if (c == '\\') c = '/';
    return p;
}

std::string envOr(const std::string& name, const std::string& fallback) {
    const char* v = std::getenv(name.c_str());
    return v && *v ? std::string(v) : fallback;
}

std::string driveRoot(char letter) {
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return envOr(std::string("ZWUNZIP_DRIVE_") + upper, upper == 'C' ? "/" : std::string("/mnt/") + lower);
}

bool isDriveSpec(const std::string& p) {
    return p.size() >= 2 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':';
}

std::string joinRoot(const std::string& root, const std::string& rest) {
    std::string r = root;
    while (r.size() > 1 && r.back() == '/') r.pop_back();
    size_t i = 0;
    while (i < rest.size() && rest[i] == '/') ++i;
    if (i == rest.size()) return r;
    return (r == "/" ? "" : r) + "/" + rest.substr(i);
}

}  // namespace

std::string mapCallerPath(const std::string& path) {
    std::string p = slashes(path);
    if (isDriveSpec(p)) return joinRoot(driveRoot(p[0]), p.substr(2));
    if (p.size() >= 2 && p[0] == '/' && p[1] == '/') return joinRoot(envOr("ZWUNZIP_UNC_ROOT", "/net"), p.substr(2));
    return p;
}

bool hasDriveOrShare(const std::string& path) {
    std::string p = slashes(path);
    return isDriveSpec(p) || (!p.empty() && p[0] == '/');
}

std::string absolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char buf[4096];
    if (!::getcwd(buf, sizeof buf)) return path;
    return joinRoot(buf, path);
}

MemberPath splitMemberName(const std::string& name) {
    MemberPath out;
    if (name.find('\0') != std::string::npos) {
        out.reason = "member name holds a NUL character";
        return out;
    }
    std::string p = slashes(name);
    if (!p.empty() && p[0] == '/') {
        out.reason = "member name is an absolute path";
        return out;
    }
    if (isDriveSpec(p)) {
        out.reason = "member name carries a drive prefix";
        return out;
    }
    out.isDirectory = !p.empty() && p.back() == '/';
    size_t start = 0;
    while (start <= p.size()) {
        size_t end = p.find('/', start);
        if (end == std::string::npos) end = p.size();
        std::string level = p.substr(start, end - start);
        if (level == "..") {
            out.levels.clear();
            out.reason = "member name leads outside the destination";
            return out;
        }
        if (!level.empty() && level != ".") out.levels.push_back(level);
        start = end + 1;
    }
    return out;
}

std::string joinBelow(const std::string& directory, const std::vector<std::string>& levels) {
    std::string out = directory;
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    for (const std::string& l : levels) out += (out == "/" ? "" : "/") + l;
    return out;
}

}  // namespace zw::detail
