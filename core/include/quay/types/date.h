// Dates as day numbers, the form every date field of the records takes (a LONG): day 4
// is 1 January 1801, each day after adds one, so (day mod 7) = 0 falls on a Sunday, and
// 0 means "no date". Dates from 1 January 1801 to 31 December 9999 are representable.
// The conversions to and from year, month and day follow the Gregorian calendar and
// refuse dates that do not exist (31 February, month 13).
#pragma once

#include <cstdint>
#include <optional>

#include "quay/export.h"

namespace quay::core {

inline constexpr std::int32_t kNoDate = 0;

struct CivilDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

enum class Weekday : std::uint8_t { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

inline constexpr int kFirstYear = 1801;
inline constexpr int kLastYear = 9999;

constexpr bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days in the month; 0 for a month outside 1..12.
constexpr int daysInMonth(int year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

constexpr bool isValidCivilDate(int year, int month, int day) {
    return year >= kFirstYear && year <= kLastYear && day >= 1 && day <= daysInMonth(year, month);
}

namespace detail {

// Days since 1 March of year 0 in the proleptic Gregorian calendar (Hinnant's method:
// years begin in March so that the leap day is the last day of its year).
constexpr std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

inline constexpr std::int64_t kDayNumberOffset = daysFromCivil(1801, 1, 1) - 4;

}  // namespace detail

// The day number of 31 December 9999, the last date representable.
inline constexpr std::int32_t kLastDate =
    static_cast<std::int32_t>(detail::daysFromCivil(9999, 12, 31) - detail::kDayNumberOffset);
// Day 4, 1 January 1801.
inline constexpr std::int32_t kFirstDate = 4;

constexpr bool isValidDate(std::int32_t day) { return day >= kFirstDate && day <= kLastDate; }

// The day number of a calendar date, or nullopt when the date does not exist or lies
// outside 1801..9999.
constexpr std::optional<std::int32_t> dateFromCivil(int year, int month, int day) {
    if (!isValidCivilDate(year, month, day)) return std::nullopt;
    return static_cast<std::int32_t>(detail::daysFromCivil(year, month, day) - detail::kDayNumberOffset);
}

// The calendar date of a day number, or nullopt for 0 ("no date") and numbers outside
// the representable range.
constexpr std::optional<CivilDate> civilFromDate(std::int32_t dayNumber) {
    if (!isValidDate(dayNumber)) return std::nullopt;
    const std::int64_t z = dayNumber + detail::kDayNumberOffset;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return CivilDate{y, m, d};
}

// REQUIRES: dayNumber > 0 (the weekday of "no date" means nothing).
constexpr Weekday weekdayOf(std::int32_t dayNumber) { return static_cast<Weekday>(dayNumber % 7); }

// The same day of the month `months` later (earlier when negative), moved back to the
// month's last day when the month is shorter (31 January + 1 month = 28/29 February).
// nullopt when the date is not valid or the result leaves the representable range.
constexpr std::optional<std::int32_t> addMonths(std::int32_t dayNumber, int months) {
    const std::optional<CivilDate> c = civilFromDate(dayNumber);
    if (!c) return std::nullopt;
    const std::int64_t index = static_cast<std::int64_t>(c->year) * 12 + (c->month - 1) + months;
    const std::int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    if (year < kFirstYear || year > kLastYear) return std::nullopt;
    const int month = static_cast<int>(index - year * 12) + 1;
    const int lastDay = daysInMonth(static_cast<int>(year), month);
    return dateFromCivil(static_cast<int>(year), month, c->day < lastDay ? c->day : lastDay);
}

// The first and the last day of the month the date falls in; nullopt for an invalid date.
constexpr std::optional<std::int32_t> firstOfMonth(std::int32_t dayNumber) {
    const std::optional<CivilDate> c = civilFromDate(dayNumber);
    if (!c) return std::nullopt;
    return dateFromCivil(c->year, c->month, 1);
}
constexpr std::optional<std::int32_t> lastOfMonth(std::int32_t dayNumber) {
    const std::optional<CivilDate> c = civilFromDate(dayNumber);
    if (!c) return std::nullopt;
    return dateFromCivil(c->year, c->month, daysInMonth(c->year, c->month));
}

// Today's date on this workstation's clock, in local time.
QUAY_EXPORT std::int32_t today();

}  // namespace quay::core
