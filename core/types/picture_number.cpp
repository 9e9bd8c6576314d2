// Numeric pictures: showing a number in its column and reading a typed number back.
// Display rounds half away from zero to the picture's places, the same rule every stored
// result follows, so a price kept with 4 places shown with 2 agrees with the total
// computed from it.
#include <string>

#include "picture_text.h"
#include "quay/types/picture.h"

namespace quay::core {

namespace {

using detail::trimTyped;

bool isDigit(char c) { return detail::isAsciiDigit(c); }

bool consumePrefix(std::string_view& s, std::string_view prefix) {
    if (prefix.empty() || s.substr(0, prefix.size()) != prefix) return false;
    s.remove_prefix(prefix.size());
    return true;
}

bool consumeSuffix(std::string_view& s, std::string_view suffix) {
    if (suffix.empty() || s.size() < suffix.size() || s.substr(s.size() - suffix.size()) != suffix) return false;
    s.remove_suffix(suffix.size());
    return true;
}

// True when the commas of an integer part group its digits by thousands ("1,234,567").
bool wellGrouped(std::string_view whole) {
    const std::size_t first = whole.find(',');
    if (first == std::string_view::npos) return true;
    if (first == 0 || first > 3 || (whole.size() - first) % 4 != 0) return false;
    for (std::size_t i = first; i < whole.size(); i += 4) {
        if (whole[i] != ',' || !isDigit(whole[i + 1]) || !isDigit(whole[i + 2]) || !isDigit(whole[i + 3])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string Picture::formatNumber(std::int64_t scaled, int places) const {
    const detail::Int128 rounded =
        places >= m_places ? detail::roundDown(scaled, places - m_places) : scaled * detail::pow10(m_places - places);
    if (rounded == 0 && m_blankWhenZero) return {};

    const detail::Int128 magnitude = rounded < 0 ? -rounded : rounded;
    std::string digits = detail::scaledToString(magnitude, m_places);  // "1234.56"
    std::string body;
    const std::size_t point = m_places > 0 ? digits.size() - static_cast<std::size_t>(m_places) - 1 : digits.size();
    if (m_grouping) {
        for (std::size_t i = 0; i < point; ++i) {
            if (i > 0 && (point - i) % 3 == 0) body.push_back(',');
            body.push_back(digits[i]);
        }
        body.append(digits, point, std::string::npos);
    } else {
        body = digits;
    }

    std::string sign = rounded < 0 ? "-" : "";
    std::string text = sign + m_prefix + body + m_suffix;
    const auto width = static_cast<std::size_t>(m_width);
    if (text.size() > width) return std::string(width, '#');
    if (m_zeroFill) return sign + m_prefix + std::string(width - text.size(), '0') + body + m_suffix;
    return std::string(width - text.size(), ' ') + text;
}

EntryStatus Picture::readNumber(std::string_view text, int places, std::int64_t maxScaled, std::int64_t& out) const {
    std::string_view s = trimTyped(text);
    if (s.empty()) {
        out = 0;
        return EntryStatus::Ok;
    }
    // The picture's own decorations may be typed back: "-$1,234.56", "$-12", "12.5%".
    consumeSuffix(s, m_suffix);
    s = trimTyped(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (consumePrefix(s, m_prefix) || consumePrefix(s, "$")) {
        s = trimTyped(s);
        if (!negative && !s.empty() && (s.front() == '-' || s.front() == '+')) {
            negative = s.front() == '-';
            s.remove_prefix(1);
        }
    }
    if (s.empty()) return EntryStatus::NotANumber;

    const std::size_t point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    if (!wellGrouped(whole)) return EntryStatus::NotANumber;
    std::string plain;
    for (char c : whole) {
        if (c != ',') plain.push_back(c);
    }
    if (point != std::string_view::npos) {
        if (fraction.find_first_of(",.") != std::string_view::npos) return EntryStatus::NotANumber;
        plain.push_back('.');
        plain.append(fraction);
    }
    if (plain.empty() || plain == ".") return EntryStatus::NotANumber;
    for (char c : plain) {
        if (!isDigit(c) && c != '.') return EntryStatus::NotANumber;
    }

    detail::Int128 v = 0;
    const DecimalStatus st = detail::parseScaled(plain, places, v);
    if (st == DecimalStatus::InvalidText) return EntryStatus::NotANumber;
    if (st != DecimalStatus::Ok || v > maxScaled) return EntryStatus::TooLarge;
    out = static_cast<std::int64_t>(negative ? -v : v);
    return EntryStatus::Ok;
}

}  // namespace quay::core
