// Compiling picture texts, and the parts of formatting and reading shared by every kind.
// A numeric picture is read left to right as
//   n [ "$" | ~literal~ ] [ "-" ] [ "0" ] width [ "_" ] [ "." places ] [ "b" ] [ ~literal~ ] [ "b" ]
// which covers every picture the windows and reports use.
#include "quay/types/picture.h"

#include "picture_text.h"

namespace quay::core {

namespace {

using detail::isAsciiDigit;

char lower(char c) { return detail::asciiLower(c); }

// Reads a run of digits at pos as a number of at most 3 digits; false when none.
bool readCount(std::string_view s, std::size_t& pos, int& out) {
    const std::size_t start = pos;
    int v = 0;
    while (pos < s.size() && isAsciiDigit(s[pos]) && pos - start < 3) v = v * 10 + (s[pos++] - '0');
    if (pos == start || (pos < s.size() && isAsciiDigit(s[pos]))) return false;
    out = v;
    return true;
}

// Reads "~literal~" at pos; false when the closing tilde is missing.
bool readLiteral(std::string_view s, std::size_t& pos, std::string& out) {
    const std::size_t close = s.find('~', pos + 1);
    if (close == std::string_view::npos) return false;
    out = std::string(s.substr(pos + 1, close - pos - 1));
    pos = close + 1;
    return true;
}

}  // namespace

std::optional<Picture> Picture::parse(std::string_view text) {
    std::string_view s = text;
    if (!s.empty() && s.front() == '@') s.remove_prefix(1);
    if (s.size() < 2) return std::nullopt;
    Picture p;
    const char kind = lower(s.front());
    std::size_t pos = 1;

    if (kind == 'n') {
        p.m_kind = PictureKind::Numeric;
        if (s[pos] == '$') {
            p.m_prefix = "$";
            ++pos;
        } else if (s[pos] == '~' && !readLiteral(s, pos, p.m_prefix)) {
            return std::nullopt;
        }
        if (pos < s.size() && s[pos] == '-') ++pos;
        if (pos + 1 < s.size() && s[pos] == '0' && isAsciiDigit(s[pos + 1])) {
            p.m_zeroFill = true;
            p.m_grouping = false;
            ++pos;
        }
        if (!readCount(s, pos, p.m_width) || p.m_width == 0) return std::nullopt;
        if (pos < s.size() && s[pos] == '_') {
            p.m_grouping = false;
            ++pos;
        }
        if (pos < s.size() && s[pos] == '.') {
            ++pos;
            if (!readCount(s, pos, p.m_places) || p.m_places > 18) return std::nullopt;
        }
        while (pos < s.size()) {
            if (lower(s[pos]) == 'b' && !p.m_blankWhenZero) {
                p.m_blankWhenZero = true;
                ++pos;
            } else if (s[pos] == '~' && p.m_suffix.empty()) {
                if (!readLiteral(s, pos, p.m_suffix) || p.m_suffix.empty()) return std::nullopt;
            } else {
                return std::nullopt;
            }
        }
        return p;
    }

    int form = 0;
    if (!readCount(s, pos, form)) return std::nullopt;
    if (pos < s.size() && lower(s[pos]) == 'b') {
        p.m_blankWhenZero = true;
        ++pos;
    }
    if (pos != s.size()) return std::nullopt;

    // The date and time forms: picture letter and number, the width of their text.
    struct Form {
        char kind;
        int number;
        int width;
        DateForm date;
        TimeForm time;
    };
    static constexpr Form kForms[] = {
        {'d', 1, 8, DateForm::Short, TimeForm::HoursMinutes},
        {'d', 2, 10, DateForm::Long, TimeForm::HoursMinutes},
        {'d', 14, 7, DateForm::MonthYear, TimeForm::HoursMinutes},
        {'t', 1, 5, DateForm::Long, TimeForm::HoursMinutes},
        {'t', 4, 8, DateForm::Long, TimeForm::HoursMinutesSeconds},
        {'t', 7, 8, DateForm::Long, TimeForm::Short12Hour},
    };
    switch (kind) {
    case 'd':
    case 't':
        for (const Form& f : kForms) {
            if (f.kind == kind && f.number == form) {
                p.m_kind = kind == 'd' ? PictureKind::Date : PictureKind::Time;
                p.m_width = f.width;
                p.m_dateForm = f.date;
                p.m_timeForm = f.time;
                return p;
            }
        }
        return std::nullopt;
    case 's':
        if (form == 0 || p.m_blankWhenZero) return std::nullopt;
        p.m_kind = PictureKind::String;
        p.m_width = form;
        return p;
    default: return std::nullopt;
    }
}

std::string Picture::formatScaled(std::int64_t scaled, int places) const {
    switch (m_kind) {
    case PictureKind::Numeric: return formatNumber(scaled, places);
    case PictureKind::Date:
    case PictureKind::Time: {
        std::int64_t whole = scaled;
        for (int i = 0; i < places; ++i) whole /= 10;
        if (whole < INT32_MIN || whole > INT32_MAX) return std::string(static_cast<std::size_t>(m_width), '#');
        const auto v = static_cast<std::int32_t>(whole);
        return m_kind == PictureKind::Date ? formatDate(v) : formatTime(v);
    }
    case PictureKind::String: return format(detail::scaledToString(scaled, places));
    }
    return {};
}

std::string Picture::format(std::string_view text) const {
    if (m_kind == PictureKind::String) text = text.substr(0, static_cast<std::size_t>(m_width));
    return std::string(detail::trimTrailingBlanks(text));
}

EntryStatus Picture::readScaled(std::string_view text, int places, std::int64_t maxScaled, std::int64_t& out) const {
    if (m_kind == PictureKind::Date || m_kind == PictureKind::Time) {
        std::int32_t v = 0;
        const EntryStatus s = m_kind == PictureKind::Date ? readDate(text, v) : readTime(text, v);
        if (s != EntryStatus::Ok) return s;
        std::int64_t scaled = v;
        for (int i = 0; i < places; ++i) scaled *= 10;
        if (scaled > maxScaled) return EntryStatus::TooLarge;
        out = scaled;
        return EntryStatus::Ok;
    }
    return readNumber(text, places, maxScaled, out);
}

EntryStatus Picture::read(std::string_view text, std::int32_t& field) const {
    std::int32_t v = 0;
    EntryStatus s = EntryStatus::Ok;
    if (m_kind == PictureKind::Date) {
        s = readDate(text, v);
    } else if (m_kind == PictureKind::Time) {
        s = readTime(text, v);
    } else {
        std::int64_t n = 0;
        s = readNumber(text, 0, INT32_MAX, n);
        v = static_cast<std::int32_t>(n);
    }
    if (s == EntryStatus::Ok) field = v;
    return s;
}

std::string Picture::reason(EntryStatus status) const {
    switch (status) {
    case EntryStatus::Ok: return {};
    case EntryStatus::NotANumber: return "Enter a number, such as 1,234.56.";
    case EntryStatus::TooLarge: return "The number is too large for this field.";
    case EntryStatus::NotADate:
        switch (m_dateForm) {
        case DateForm::Short: return "Enter a date as mm/dd/yy, such as 12/31/26.";
        case DateForm::MonthYear: return "Enter a month as mm/yyyy, such as 12/2026.";
        case DateForm::Long: break;
        }
        return "Enter a date as mm/dd/yyyy, such as 12/31/2026.";
    case EntryStatus::NoSuchDate: return "There is no such date. Dates lie between 01/01/1801 and 12/31/9999.";
    case EntryStatus::NotATime: return "Enter a time as hh:mm, such as 9:05, 9:05 PM or 21:05.";
    case EntryStatus::NoSuchTime: return "There is no such time of day.";
    }
    return {};
}

std::string_view entryStatusName(EntryStatus status) {
    switch (status) {
    case EntryStatus::Ok: return "Ok";
    case EntryStatus::NotANumber: return "NotANumber";
    case EntryStatus::TooLarge: return "TooLarge";
    case EntryStatus::NotADate: return "NotADate";
    case EntryStatus::NoSuchDate: return "NoSuchDate";
    case EntryStatus::NotATime: return "NotATime";
    case EntryStatus::NoSuchTime: return "NoSuchTime";
    }
    return "Unknown";
}

std::string formatPicture(std::string_view picture, std::int64_t value) {
    const std::optional<Picture> p = Picture::parse(picture);
    return p ? p->format(value) : std::to_string(value);
}

}  // namespace quay::core
