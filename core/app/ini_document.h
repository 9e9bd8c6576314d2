// IniDocument: one settings file held as its lines, able to look a key up and to
// set one key while leaving every other line (comments, damaged lines, order,
// line endings) exactly as it was. The Settings service reads and writes through it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quay::core::detail {

class IniDocument {
public:
    enum class LineKind { Blank, Comment, Section, Entry, Malformed };

    struct Line {
        std::string text;  // as in the file, without the line ending
        LineKind kind = LineKind::Blank;
        std::string name;   // Section: the section name; Entry: the key
        std::string value;  // Entry: the value, blanks and one pair of quotes removed
        int section = -1;   // index of the Section line this line belongs to, -1 before any
    };

    // Splits `content` into lines (LF or CRLF; a leading UTF-8 byte-order mark is kept
    // aside and written back).
    explicit IniDocument(std::string_view content = {});

    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Sets the key, adding the section (at the end) or the key (after the section's
    // last entry) when missing. REQUIRES: names and value passed validName()/validValue().
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string content() const;
    const std::vector<Line>& lines() const { return m_lines; }

    static bool validSection(std::string_view name);
    static bool validKey(std::string_view name);
    static bool validValue(std::string_view value);
    // The value as written to the file: quoted when reading would otherwise change it.
    static std::string encodeValue(std::string_view value);

private:
    static Line classify(std::string text, int currentSection);
    int findSection(std::string_view section) const;
    void reindex();

    std::vector<Line> m_lines;
    std::string m_bom;
    std::string m_eol = "\n";
    bool m_finalNewline = true;
};

}  // namespace quay::core::detail
