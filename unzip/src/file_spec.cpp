// File-spec parsing and wild-card matching. The matcher is iterative with one
// backtracking point per "*", so its time stays linear in practice and it
// cannot overflow the stack on hostile patterns.
#include "file_spec.h"

#include <cctype>

namespace zw::detail {

std::string FileSpec::normalized(const std::string& name) {
    std::string out = name;
    for (char& c : out) {
        if (c == '/') c = '\\';
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string FileSpec::baseName(const std::string& n) {
    size_t slash = n.find_last_of('\\');
    return slash == std::string::npos ? n : n.substr(slash + 1);
}

bool FileSpec::parse(const std::string& spec) {
    m_patterns.clear();
    std::string upper = normalized(spec);
    std::string current;
    bool quoted = false, any = false;
    for (char c : upper) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) m_patterns.push_back(current);
            current.clear();
            any = false;
        } else {
            current.push_back(c);
            any = true;
        }
    }
    if (quoted) {
        m_patterns.clear();
        return false;
    }
    if (any) m_patterns.push_back(current);
    return true;
}

bool FileSpec::wildMatch(const std::string& pattern, const std::string& text) {
    size_t p = 0, t = 0, starP = std::string::npos, starT = 0;
    auto up = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || up(pattern[p]) == up(text[t]))) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool FileSpec::matches(const std::string& memberName, bool recurse) const {
    const std::string name = normalized(memberName);
    const std::string base = baseName(name);
    const bool hasPath = name.find('\\') != std::string::npos && name.find('\\') != name.size() - 1;
    for (const std::string& pattern : m_patterns) {
        if (pattern.find('\\') == std::string::npos) {
            if (base.empty()) {
                // A directory entry matches only "*.*".
                if (pattern == "*.*" && (recurse || name.find('\\') == name.size() - 1)) return true;
                continue;
            }
            if (!recurse && hasPath) continue;
            if (pattern == "*.*" || wildMatch(pattern, base)) return true;
        } else if (wildMatch(pattern, name)) {
            return true;
        }
    }
    return false;
}

}  // namespace zw::detail
