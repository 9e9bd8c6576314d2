// Date and time pictures: showing day numbers and times of day, and reading typed dates
// and times back. Months and days show with two digits ("01/05/26"). Two-digit years are
// read as 2000-2049 for 00-49 and 1950-1999 for 50-99. A month typed under the mm/yyyy
// picture (card expiry) is read as the last day of that month, the day through which the
// card is good. Times show cut to the minute or second, never rounded up to a minute that
// has not yet come.
#include <array>
#include <cstdio>

#include "picture_text.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"

namespace quay::core {

namespace {

using detail::trimTyped;

// Splits s at '/' or '-' into up to 3 runs of digits; false when anything else appears,
// a run is empty, or a run is longer than 4 digits.
bool splitNumbers(std::string_view s, std::array<std::string_view, 3>& parts, int& count) {
    count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == '/' || s[i] == '-') {
            if (i == start || i - start > 4 || count == 3) return false;
            parts[static_cast<std::size_t>(count++)] = s.substr(start, i - start);
            start = i + 1;
        } else if (s[i] < '0' || s[i] > '9') {
            return false;
        }
    }
    return true;
}

int toInt(std::string_view digits) {
    int v = 0;
    for (char c : digits) v = v * 10 + (c - '0');
    return v;
}

// A typed year of 2 or 4 digits as a full year; -1 for any other length.
int fullYear(std::string_view digits) {
    if (digits.size() == 4) return toInt(digits);
    if (digits.size() != 2) return -1;
    const int y = toInt(digits);
    return y < 50 ? 2000 + y : 1900 + y;
}

std::string twoDigits(int v) {
    std::array<char, 8> buf{};
    std::snprintf(buf.data(), buf.size(), "%02d", v);
    return buf.data();
}

}  // namespace

std::string Picture::formatDate(std::int32_t day) const {
    if (day == kNoDate) return {};
    const std::optional<CivilDate> c = civilFromDate(day);
    if (!c) return std::string(static_cast<std::size_t>(m_width), '#');
    switch (m_dateForm) {
    case DateForm::Short: return twoDigits(c->month) + "/" + twoDigits(c->day) + "/" + twoDigits(c->year % 100);
    case DateForm::Long: return twoDigits(c->month) + "/" + twoDigits(c->day) + "/" + std::to_string(c->year);
    case DateForm::MonthYear: return twoDigits(c->month) + "/" + std::to_string(c->year);
    }
    return {};
}

std::string Picture::formatTime(std::int32_t time) const {
    if (time == kNoTime) return {};
    const std::optional<ClockTime> c = clockFromTime(time);
    if (!c) return std::string(static_cast<std::size_t>(m_width), '#');
    switch (m_timeForm) {
    case TimeForm::HoursMinutes: return twoDigits(c->hour) + ":" + twoDigits(c->minute);
    case TimeForm::HoursMinutesSeconds:
        return twoDigits(c->hour) + ":" + twoDigits(c->minute) + ":" + twoDigits(c->second);
    case TimeForm::Short12Hour: {
        const int h12 = c->hour % 12 == 0 ? 12 : c->hour % 12;
        return std::to_string(h12) + ":" + twoDigits(c->minute) + (c->hour < 12 ? " AM" : " PM");
    }
    }
    return {};
}

EntryStatus Picture::readDate(std::string_view text, std::int32_t& out) const {
    const std::string_view s = trimTyped(text);
    if (s.empty()) {
        out = kNoDate;
        return EntryStatus::Ok;
    }
    std::array<std::string_view, 3> parts{};
    int count = 0;
    if (!splitNumbers(s, parts, count)) return EntryStatus::NotADate;
    const bool monthYear = m_dateForm == DateForm::MonthYear;
    if (count != (monthYear ? 2 : 3) || parts[0].size() > 2) return EntryStatus::NotADate;
    if (!monthYear && parts[1].size() > 2) return EntryStatus::NotADate;
    const int year = fullYear(parts[monthYear ? 1 : 2]);
    if (year < 0) return EntryStatus::NotADate;
    const int month = toInt(parts[0]);
    const int day = monthYear ? daysInMonth(year, month) : toInt(parts[1]);
    const std::optional<std::int32_t> d = dateFromCivil(year, month, day);
    if (!d) return EntryStatus::NoSuchDate;
    out = *d;
    return EntryStatus::Ok;
}

EntryStatus Picture::readTime(std::string_view text, std::int32_t& out) {
    std::string_view s = trimTyped(text);
    if (s.empty()) {
        out = kNoTime;
        return EntryStatus::Ok;
    }
    // An AM/PM mark, in either case, with or without the M and the blank before it.
    int half = 0;  // 0 none, 1 AM, 2 PM
    const auto lower = detail::asciiLower;
    if (!s.empty() && lower(s.back()) == 'm') s.remove_suffix(1);
    if (!s.empty() && (lower(s.back()) == 'a' || lower(s.back()) == 'p')) {
        half = lower(s.back()) == 'a' ? 1 : 2;
        s.remove_suffix(1);
        s = trimTyped(s);
    } else if (s.size() != trimTyped(text).size()) {
        return EntryStatus::NotATime;  // an "m" without "a" or "p"
    }

    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == ':') {
            const std::size_t len = i - start;
            if (count == 3 || len == 0 || len > 2 || (count > 0 && len != 2)) return EntryStatus::NotATime;
            parts[count++] = toInt(s.substr(start, len));
            start = i + 1;
        } else if (s[i] < '0' || s[i] > '9') {
            return EntryStatus::NotATime;
        }
    }
    int hour = parts[0];
    if (half != 0) {
        if (hour < 1 || hour > 12) return EntryStatus::NoSuchTime;
        hour = hour % 12 + (half == 2 ? 12 : 0);
    }
    const std::optional<std::int32_t> t = timeFromClock(hour, parts[1], parts[2]);
    if (!t) return EntryStatus::NoSuchTime;
    out = *t;
    return EntryStatus::Ok;
}

}  // namespace quay::core
