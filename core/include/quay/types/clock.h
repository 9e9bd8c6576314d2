// Times of day as the records keep them (a LONG): hundredths of a second after midnight,
// so one hour is 360000 and a whole day 8640000; 0 means "no time". Midnight itself would
// read as "no time", so a time of exactly midnight is kept as 1 (one hundredth past
// midnight), which shows as 00:00:00 in every picture. Valid times are 1 to 8639999.
#pragma once

#include <cstdint>
#include <optional>

#include "quay/export.h"
#include "quay/types/date.h"

namespace quay::core {

inline constexpr std::int32_t kNoTime = 0;
inline constexpr std::int32_t kMidnight = 1;
inline constexpr std::int32_t kHundredthsPerSecond = 100;
inline constexpr std::int32_t kHundredthsPerMinute = 6000;
inline constexpr std::int32_t kHundredthsPerHour = 360000;
inline constexpr std::int32_t kHundredthsPerDay = 8640000;

struct ClockTime {
    int hour = 0;        // 0..23
    int minute = 0;      // 0..59
    int second = 0;      // 0..59
    int hundredths = 0;  // 0..99
    friend constexpr bool operator==(const ClockTime&, const ClockTime&) = default;
};

constexpr bool isValidTime(std::int32_t time) { return time >= 1 && time < kHundredthsPerDay; }

// The time value of a clock reading; midnight becomes kMidnight. nullopt when a part is
// out of range (25:00, 12:60).
constexpr std::optional<std::int32_t> timeFromClock(int hour, int minute, int second = 0, int hundredths = 0) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || hundredths < 0 ||
        hundredths > 99) {
        return std::nullopt;
    }
    const std::int32_t t =
        hour * kHundredthsPerHour + minute * kHundredthsPerMinute + second * kHundredthsPerSecond + hundredths;
    return t == 0 ? kMidnight : t;
}

// The clock reading of a time value; kMidnight reads as 00:00:00.00. nullopt for 0 ("no
// time") and values outside a day.
constexpr std::optional<ClockTime> clockFromTime(std::int32_t time) {
    if (!isValidTime(time)) return std::nullopt;
    const std::int32_t t = time == kMidnight ? 0 : time;
    return ClockTime{t / kHundredthsPerHour, t / kHundredthsPerMinute % 60, t / kHundredthsPerSecond % 60,
                     t % kHundredthsPerSecond};
}

// A moment: a day number and a time of that day.
struct DateTime {
    std::int32_t date = 0;
    std::int32_t time = 0;
    friend constexpr bool operator==(const DateTime&, const DateTime&) = default;
};

// The moment `hundredths` after (before, when negative) the given date and time, whole
// days carried into the date: 23:50 plus 15 minutes is 00:05 of the next day, and a sum
// of exactly a day is the next day's midnight (kept as kMidnight), never a time of
// 24:00. nullopt when the date or time is not valid or the result leaves the
// representable dates.
constexpr std::optional<DateTime> addToDateTime(std::int32_t date, std::int32_t time, std::int64_t hundredths) {
    if (!isValidDate(date) || !isValidTime(time)) return std::nullopt;
    const std::int64_t t = (time == kMidnight ? 0 : time) + hundredths;
    std::int64_t days = t / kHundredthsPerDay;
    std::int64_t rest = t % kHundredthsPerDay;
    if (rest < 0) {
        rest += kHundredthsPerDay;
        --days;
    }
    const std::int64_t newDate = date + days;
    if (newDate < kFirstDate || newDate > kLastDate) return std::nullopt;
    return DateTime{static_cast<std::int32_t>(newDate), rest == 0 ? kMidnight : static_cast<std::int32_t>(rest)};
}

// The current local time on this workstation's clock, never 0.
QUAY_EXPORT std::int32_t now();

// Holds today() and now() at a fixed moment, for tests of windows that compare with
// "today" and "now" (alarms in the past, aging buckets). The override is process-wide
// and safe to set from any thread; clearing it returns to the workstation's clock.
// REQUIRES: moment.date and moment.time are valid.
QUAY_EXPORT void setClockOverride(DateTime moment);
QUAY_EXPORT void clearClockOverride();

// Sets the override for the life of the object and restores the previous state after.
class QUAY_EXPORT ScopedClockOverride {
public:
    explicit ScopedClockOverride(DateTime moment);
    ~ScopedClockOverride();
    ScopedClockOverride(const ScopedClockOverride&) = delete;
    ScopedClockOverride& operator=(const ScopedClockOverride&) = delete;

private:
    std::int64_t m_previous;
};

}  // namespace quay::core
