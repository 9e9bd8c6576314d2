// IniDocument: parsing keeps each line's text, so that writing one key rewrites one
// line and nothing else. Names compare case-insensitively in ASCII, as the
// settings file's keys are plain ASCII words.
#include "ini_document.h"

#include <cctype>

namespace quay::core::detail {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view s) {
    const auto b = s.find_first_not_of(kBlanks);
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(kBlanks);
    return s.substr(b, e - b + 1);
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool hasLineBreak(std::string_view s) {
    return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

}  // namespace

IniDocument::IniDocument(std::string_view content) {
    if (content.substr(0, 3) == "\xEF\xBB\xBF") {
        m_bom = "\xEF\xBB\xBF";
        content.remove_prefix(3);
    }
    if (content.find("\r\n") != std::string_view::npos) m_eol = "\r\n";
    m_finalNewline = content.empty() || content.back() == '\n';

    int section = -1;
    std::size_t pos = 0;
    while (pos < content.size()) {
        auto end = content.find('\n', pos);
        if (end == std::string_view::npos) end = content.size();
        std::string_view raw = content.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        Line line = classify(std::string(raw), section);
        if (line.kind == LineKind::Section) section = static_cast<int>(m_lines.size());
        m_lines.push_back(std::move(line));
        pos = end + 1;
    }
}

IniDocument::Line IniDocument::classify(std::string text, int currentSection) {
    Line line;
    line.section = currentSection;
    const std::string_view t = trim(text);
    if (t.empty()) {
        line.kind = LineKind::Blank;
    } else if (t.front() == ';' || t.front() == '#') {
        line.kind = LineKind::Comment;
    } else if (t.front() == '[') {
        const auto close = t.find(']');
        const std::string_view name =
            close == std::string_view::npos ? std::string_view{} : trim(t.substr(1, close - 1));
        if (name.empty()) {
            line.kind = LineKind::Malformed;
        } else {
            line.kind = LineKind::Section;
            line.name = std::string(name);
        }
    } else {
        const auto eq = t.find('=');
        const std::string_view key = eq == std::string_view::npos ? std::string_view{} : trim(t.substr(0, eq));
        if (key.empty() || currentSection < 0) {
            line.kind = LineKind::Malformed;
        } else {
            line.kind = LineKind::Entry;
            line.name = std::string(key);
            std::string_view value = trim(t.substr(eq + 1));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            line.value = std::string(value);
        }
    }
    line.text = std::move(text);
    return line;
}

int IniDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section && equalsNoCase(m_lines[i].name, section)) return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
    const int s = findSection(section);
    if (s < 0) return std::nullopt;
    for (std::size_t i = static_cast<std::size_t>(s) + 1; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        if (l.kind == LineKind::Section) break;
        if (l.kind == LineKind::Entry && equalsNoCase(l.name, key)) return l.value;
    }
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = std::string(key) + "=" + encodeValue(value);
    m_finalNewline = true;
    const int s = findSection(section);
    if (s < 0) {
        if (!m_lines.empty() && m_lines.back().kind != LineKind::Blank)
            m_lines.push_back(classify("", m_lines.back().section));
        m_lines.push_back(classify("[" + std::string(section) + "]", -1));
        const int header = static_cast<int>(m_lines.size()) - 1;
        m_lines.push_back(classify(std::move(text), header));
        return;
    }
    std::size_t insertAt = static_cast<std::size_t>(s) + 1;
    for (std::size_t i = static_cast<std::size_t>(s) + 1; i < m_lines.size(); ++i) {
        Line& l = m_lines[i];
        if (l.kind == LineKind::Section) break;
        if (l.kind == LineKind::Entry) {
            if (equalsNoCase(l.name, key)) {
                l = classify(std::move(text), s);
                return;
            }
            insertAt = i + 1;
        }
    }
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), classify(std::move(text), s));
    reindex();
}

void IniDocument::reindex() {
    int section = -1;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == LineKind::Section) {
            m_lines[i].section = -1;
            section = static_cast<int>(i);
        } else {
            m_lines[i].section = section;
        }
    }
}

std::string IniDocument::content() const {
    std::string out = m_bom;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i].text;
        if (i + 1 < m_lines.size() || m_finalNewline) out += m_eol;
    }
    return out;
}

bool IniDocument::validSection(std::string_view name) {
    return !name.empty() && trim(name) == name && !hasLineBreak(name) && name.find(']') == std::string_view::npos;
}

bool IniDocument::validKey(std::string_view name) {
    return !name.empty() && trim(name) == name && !hasLineBreak(name) && name.find('=') == std::string_view::npos &&
           name.front() != ';' && name.front() != '#' && name.front() != '[';
}

bool IniDocument::validValue(std::string_view value) { return !hasLineBreak(value); }

std::string IniDocument::encodeValue(std::string_view value) {
    const bool edgeBlanks = !value.empty() && trim(value).size() != value.size();
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    std::string out;
    if (!edgeBlanks && !quoted) return out.assign(value);
    out.reserve(value.size() + 2);
    out.push_back('"');
    out.append(value);
    out.push_back('"');
    return out;
}

}  // namespace quay::core::detail
