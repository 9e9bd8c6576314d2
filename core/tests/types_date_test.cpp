// Day numbers and times of day: conversion to and from the calendar and the clock, the
// Sunday rule, leap years, month arithmetic, and the kept-apart midnight.
#include <gtest/gtest.h>

#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::core {
namespace {

TEST(DayNumber, AnchorsOnTheFirstOfJanuary1801) {
    EXPECT_EQ(dateFromCivil(1801, 1, 1), 4);
    EXPECT_EQ(dateFromCivil(1801, 1, 2), 5);
    EXPECT_EQ(dateFromCivil(1801, 2, 1), 35);
    EXPECT_EQ(dateFromCivil(1802, 1, 1), 4 + 365);
    EXPECT_EQ(civilFromDate(4), (CivilDate{1801, 1, 1}));
    // Day 0 is no date and converts to nothing.
    EXPECT_FALSE(civilFromDate(kNoDate).has_value());
    EXPECT_FALSE(civilFromDate(-5).has_value());
    EXPECT_FALSE(civilFromDate(kLastDate + 1).has_value());
    EXPECT_EQ(civilFromDate(kLastDate), (CivilDate{9999, 12, 31}));
}

TEST(DayNumber, SundaysAreMultiplesOfSeven) {
    // 4 January 1801, 2 January 2000 and 6 December 2026 were or are Sundays.
    for (const CivilDate& sunday : {CivilDate{1801, 1, 4}, CivilDate{2000, 1, 2}, CivilDate{2026, 12, 6}}) {
        SCOPED_TRACE(sunday.year);
        const auto d = dateFromCivil(sunday.year, sunday.month, sunday.day);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(*d % 7, 0);
        EXPECT_EQ(weekdayOf(*d), Weekday::Sunday);
    }
    EXPECT_EQ(weekdayOf(*dateFromCivil(1801, 1, 1)), Weekday::Thursday);
    EXPECT_EQ(weekdayOf(*dateFromCivil(2026, 12, 8)), Weekday::Tuesday);
}

TEST(DayNumber, RoundTripsEveryDayFrom1801To2200) {
    std::int32_t expected = 4;
    for (int y = 1801; y <= 2200; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= daysInMonth(y, m); ++d) {
                const auto n = dateFromCivil(y, m, d);
                ASSERT_TRUE(n.has_value()) << y << "-" << m << "-" << d;
                ASSERT_EQ(*n, expected) << y << "-" << m << "-" << d;
                ASSERT_EQ(civilFromDate(*n), (CivilDate{y, m, d})) << *n;
                ++expected;
            }
        }
    }
}

TEST(DayNumber, LeapYearsFollowTheGregorianRule) {
    struct Case {
        int year;
        bool leap;
    };
    for (const Case& c : {Case{1900, false}, Case{2000, true}, Case{2024, true}, Case{2026, false}, Case{2100, false},
                          Case{1804, true}, Case{2400, true}}) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(isLeapYear(c.year), c.leap);
        EXPECT_EQ(dateFromCivil(c.year, 2, 29).has_value(), c.leap);
        EXPECT_EQ(*dateFromCivil(c.year, 3, 1) - *dateFromCivil(c.year, 2, 28), c.leap ? 2 : 1);
    }
}

TEST(DayNumber, RefusesDatesThatDoNotExist) {
    EXPECT_FALSE(dateFromCivil(2026, 2, 31).has_value());
    EXPECT_FALSE(dateFromCivil(2026, 4, 31).has_value());
    EXPECT_FALSE(dateFromCivil(2026, 13, 1).has_value());
    EXPECT_FALSE(dateFromCivil(2026, 0, 1).has_value());
    EXPECT_FALSE(dateFromCivil(2026, 1, 0).has_value());
    EXPECT_FALSE(dateFromCivil(1800, 12, 31).has_value());
    EXPECT_FALSE(dateFromCivil(10000, 1, 1).has_value());
}

TEST(DayNumberMonths, AddingMonthsKeepsTheDayOrTakesTheMonthsEnd) {
    struct Case {
        CivilDate from;
        int months;
        CivilDate to;
    };
    const Case cases[] = {
        {{2026, 1, 15}, 1, {2026, 2, 15}},  {{2026, 1, 31}, 1, {2026, 2, 28}},  {{2024, 1, 31}, 1, {2024, 2, 29}},
        {{2026, 3, 31}, -1, {2026, 2, 28}}, {{2026, 11, 30}, 2, {2027, 1, 30}}, {{2026, 1, 10}, -1, {2025, 12, 10}},
        {{2026, 5, 5}, -30, {2023, 11, 5}}, {{2026, 5, 5}, 0, {2026, 5, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.months);
        const auto r = addMonths(*dateFromCivil(c.from.year, c.from.month, c.from.day), c.months);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(civilFromDate(*r), c.to);
    }
    EXPECT_FALSE(addMonths(*dateFromCivil(1801, 1, 5), -1).has_value());
    EXPECT_FALSE(addMonths(kNoDate, 1).has_value());
    EXPECT_EQ(civilFromDate(*lastOfMonth(*dateFromCivil(2000, 2, 3))), (CivilDate{2000, 2, 29}));
    EXPECT_EQ(civilFromDate(*firstOfMonth(*dateFromCivil(2000, 2, 3))), (CivilDate{2000, 2, 1}));
}

TEST(DayNumber, TodayIsAValidDate) {
    const std::int32_t t = today();
    EXPECT_TRUE(isValidDate(t));
    EXPECT_GE(civilFromDate(t)->year, 2024);
}

TEST(ClockTime, HundredthsAfterMidnight) {
    EXPECT_EQ(timeFromClock(1, 0), 360000);
    EXPECT_EQ(timeFromClock(23, 59, 59, 99), kHundredthsPerDay - 1);
    EXPECT_EQ(timeFromClock(21, 5), 21 * 360000 + 5 * 6000);
    EXPECT_EQ(clockFromTime(21 * 360000 + 5 * 6000 + 3 * 100 + 7), (ClockTime{21, 5, 3, 7}));
    EXPECT_FALSE(timeFromClock(24, 0).has_value());
    EXPECT_FALSE(timeFromClock(12, 60).has_value());
    EXPECT_FALSE(clockFromTime(kNoTime).has_value());
    EXPECT_FALSE(clockFromTime(kHundredthsPerDay).has_value());
    EXPECT_FALSE(clockFromTime(-1).has_value());
}

TEST(ClockTime, MidnightIsKeptApartFromNoTime) {
    const auto midnight = timeFromClock(0, 0);
    ASSERT_TRUE(midnight.has_value());
    EXPECT_NE(*midnight, kNoTime);
    EXPECT_EQ(*midnight, kMidnight);
    EXPECT_EQ(clockFromTime(*midnight), (ClockTime{0, 0, 0, 0}));
    // Midnight still sorts before every later time of the day.
    EXPECT_LT(*midnight, *timeFromClock(0, 0, 0, 2));
    EXPECT_TRUE(isValidTime(now()));
}

TEST(ClockTime, TestsCanHoldTheClockAtAKnownMoment) {
    const DateTime moment{*dateFromCivil(2026, 2, 28), *timeFromClock(23, 59)};
    {
        const ScopedClockOverride held(moment);
        EXPECT_EQ(today(), moment.date);
        EXPECT_EQ(now(), moment.time);
        {
            const ScopedClockOverride inner(DateTime{*dateFromCivil(1999, 12, 31), kMidnight});
            EXPECT_EQ(civilFromDate(today()), (CivilDate{1999, 12, 31}));
            EXPECT_EQ(now(), kMidnight);
        }
        // The outer moment comes back when the inner one ends.
        EXPECT_EQ(today(), moment.date);
    }
    // Back on the workstation's clock.
    EXPECT_GE(civilFromDate(today())->year, 2024);
}

TEST(ClockTime, PostponingCarriesWholeDaysIntoTheDate) {
    const std::int32_t d = *dateFromCivil(2026, 12, 31);
    struct Case {
        std::int32_t time;
        std::int64_t add;
        std::int32_t dayShift;
        ClockTime expected;
    };
    const Case cases[] = {
        {*timeFromClock(10, 0), 90000, 0, {10, 15, 0, 0}},
        {*timeFromClock(23, 50), 90000, 1, {0, 5, 0, 0}},   // 15 minutes past midnight
        {*timeFromClock(16, 0), 2880000, 1, {0, 0, 0, 0}},  // exactly a day: next midnight
        {kMidnight, 360000, 0, {1, 0, 0, 0}},
        {*timeFromClock(9, 30), 3 * kHundredthsPerDay, 3, {9, 30, 0, 0}},
        {*timeFromClock(0, 10), -90000, -1, {23, 55, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.add);
        const auto r = addToDateTime(d, c.time, c.add);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->date, d + c.dayShift);
        EXPECT_NE(r->time, kNoTime);
        EXPECT_EQ(clockFromTime(r->time), c.expected);
    }
    // The new year arrives in the date.
    EXPECT_EQ(civilFromDate(addToDateTime(d, *timeFromClock(23, 0), 360000)->date), (CivilDate{2027, 1, 1}));
    EXPECT_FALSE(addToDateTime(kNoDate, *timeFromClock(9, 0), 100).has_value());
    EXPECT_FALSE(addToDateTime(d, kNoTime, 100).has_value());
    EXPECT_FALSE(addToDateTime(kLastDate, *timeFromClock(23, 0), 360000).has_value());
}

}  // namespace
}  // namespace quay::core
