// Member selection by file spec: the selection text is upper-cased and split at blanks
// outside double quotes into patterns with "*" and "?" wild cards. A pattern
// without "\" is matched against a member's base name (and, unless recursion
// is asked for, only members without a path qualify); a pattern with "\" is
// matched against the whole name. "/" and "\" are both separators.
#pragma once

#include <string>
#include <vector>

namespace zw::detail {

class FileSpec {
public:
    // Parses the selection text; false when its double quotes are unbalanced.
    bool parse(const std::string& spec);

    // True when one of the patterns selects the member name.
    bool matches(const std::string& memberName, bool recurse) const;

    bool empty() const { return m_patterns.empty(); }
    size_t size() const { return m_patterns.size(); }
    const std::vector<std::string>& patterns() const { return m_patterns; }

    // Case-insensitive match of a whole text against one pattern.
    static bool wildMatch(const std::string& pattern, const std::string& text);
    // The name with "/" turned into "\" and upper-cased.
    static std::string normalized(const std::string& name);
    // The part after the last "\" of a normalized name.
    static std::string baseName(const std::string& normalizedName);

private:
    std::vector<std::string> m_patterns;
};

}  // namespace zw::detail
