// Display pictures both ways: the text a column or entry field shows for a value, and
// the value typed text reads back as, with the reason given for text that is refused.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "quay/types/clock.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"

namespace quay::core {
namespace {

Picture compile(const char* text) {
    const std::optional<Picture> p = Picture::parse(text);
    EXPECT_TRUE(p.has_value()) << text;
    return p.value_or(*Picture::parse("@s1"));
}

std::int32_t day(int y, int m, int d) { return *dateFromCivil(y, m, d); }

struct NumberShown {
    const char* picture;
    const char* value;     // held with 4 places
    const char* expected;  // exactly as shown, blanks included
};

TEST(PictureNumberFormat, ShowsRightAlignedGroupedAndRounded) {
    const NumberShown cases[] = {
        {"@n$-13.2", "1234.56", "    $1,234.56"},
        {"@n$-13.2", "-1234.56", "   -$1,234.56"},
        {"@n$-13.2", "0", "        $0.00"},
        {"@n$-13.2", "2.345", "        $2.35"},
        {"@n$-13.2", "-2.345", "       -$2.35"},
        {"@n$-13.2", "-0.004", "        $0.00"},  // rounds to zero: no minus
        {"@n-13.2", "1234567.891", " 1,234,567.89"},
        {"@n-13.2", "-999.995", "    -1,000.00"},
        {"@n$-14.4", "12.3456", "      $12.3456"},
        {"@n$-13.4", "-0.5", "     -$0.5000"},
        {"@n$-15.2", "100000", "    $100,000.00"},
        {"@n$-11.2", "12.5", "     $12.50"},
        {"@n9.2~%~", "8.25", "    8.25%"},
        {"@n9.2~%~", "-12.5", "  -12.50%"},
        {"n-9.4~%~", "8.25", "  8.2500%"},
        {"n$-13.2", "5", "        $5.00"},
        {"@N-7", "1234", "  1,234"},
        {"@n7_", "1234", "   1234"},
        {"@n05", "42", "00042"},
        {"@n-6.2", "-12.34", "-12.34"},
    };
    for (const NumberShown& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " " + c.value);
        Decimal<15, 4> v;
        ASSERT_EQ(v.parse(c.value), DecimalStatus::Ok);
        EXPECT_EQ(compile(c.picture).format(v), c.expected);
    }
}

TEST(PictureNumberFormat, OverflowFillsTheWidthWithHashes) {
    Decimal<15, 2> v;
    ASSERT_EQ(v.parse("1234567890.12"), DecimalStatus::Ok);
    EXPECT_EQ(compile("@n$-13.2").format(v), "#############");
    ASSERT_EQ(v.parse("-123.45"), DecimalStatus::Ok);
    EXPECT_EQ(compile("@n-6.2").format(v), "######");
    EXPECT_EQ(compile("@n9.2~%~").format(Decimal<9, 2>(1000000)), "#########");
}

TEST(PictureNumberFormat, BlankWhenZero) {
    const Picture p = compile("@n$-13.2b");
    EXPECT_TRUE(p.blankWhenZero());
    EXPECT_EQ(p.format(Decimal<11, 2>()), "");
    // A value that shows as zero at the picture's places is blank too.
    EXPECT_EQ(p.format(Decimal<11, 4>::fromScaled(40)), "");
    EXPECT_EQ(p.format(Decimal<11, 2>::fromScaled(1)), "        $0.01");
    EXPECT_EQ(compile("@n9.2b~%~").format(Decimal<7, 4>()), "");
    EXPECT_EQ(compile("@n9.2~%~b").format(Decimal<7, 4>()), "");
}

TEST(PictureNumberFormat, WholeNumbersOfLongFields) {
    EXPECT_EQ(compile("@n-13.2").format(std::int64_t{-42}), "       -42.00");
    EXPECT_EQ(compile("@n6").format(std::int64_t{1000}), " 1,000");
    EXPECT_EQ(formatPicture("@n$-11.2", std::int64_t{7}), "      $7.00");
}

struct NumberTyped {
    const char* picture;
    const char* text;
    const char* stored;  // a DECIMAL(13,2) field afterwards
};

TEST(PictureNumberRead, ReadsTypedNumbers) {
    const NumberTyped cases[] = {
        {"@n$-13.2", "1,234.56", "1234.56"},
        {"@n$-13.2", "$1,234.56", "1234.56"},
        {"@n$-13.2", "-12", "-12.00"},
        {"@n$-13.2", "-$12.5", "-12.50"},
        {"@n$-13.2", "$-12.5", "-12.50"},
        {"@n$-13.2", "  7.005 ", "7.01"},
        {"@n$-13.2", "", "0.00"},
        {"@n$-13.2", "   ", "0.00"},
        {"@n$-13.2", "1,234,567", "1234567.00"},
        {"@n$-13.2", ".5", "0.50"},
        {"@n9.2~%~", "8.25%", "8.25"},
        {"@n9.2~%~", "8.25", "8.25"},
        {"@n-13.2", "+3", "3.00"},
        {"@n$-13.2", "    $1,234.56", "1234.56"},
    };
    for (const NumberTyped& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " '" + c.text + "'");
        Decimal<13, 2> field;
        ASSERT_EQ(compile(c.picture).read(c.text, field), EntryStatus::Ok);
        EXPECT_EQ(field.toString(), c.stored);
    }
}

TEST(PictureNumberRead, RefusesBadTextWithAReasonAndKeepsTheField) {
    const Picture p = compile("@n$-13.2");
    for (const char* bad : {"abc", "12abc", "1,23.00", "12,3456", ",123", "1.2.3", "$", "-", "1.2,5", "(12.00)",
                            "1 234", "--5", "12-", "12%"}) {
        SCOPED_TRACE(bad);
        Decimal<13, 2> field = Decimal<13, 2>(9);
        EXPECT_EQ(p.read(bad, field), EntryStatus::NotANumber);
        EXPECT_EQ(field.toString(), "9.00");
    }
    EXPECT_EQ(p.reason(EntryStatus::NotANumber), "Enter a number, such as 1,234.56.");
    // Too many digits for the field is refused, not cut.
    Decimal<5, 2> small = Decimal<5, 2>(1);
    EXPECT_EQ(p.read("1,000.00", small), EntryStatus::TooLarge);
    EXPECT_EQ(p.read("999.995", small), EntryStatus::TooLarge);
    EXPECT_EQ(small.toString(), "1.00");
    EXPECT_EQ(p.read("999.994", small), EntryStatus::Ok);
    EXPECT_EQ(small.toString(), "999.99");
    EXPECT_EQ(p.reason(EntryStatus::TooLarge), "The number is too large for this field.");
}

TEST(PictureNumberRead, PricesKeepTheFieldsPlacesWhateverThePictureShows) {
    // A 4-place price shown with 2 places still keeps what was typed to 4 places.
    Decimal<13, 4> price;
    ASSERT_EQ(compile("@n$-13.2").read("12.3456", price), EntryStatus::Ok);
    EXPECT_EQ(price.toString(), "12.3456");
    std::int32_t count = 5;
    EXPECT_EQ(compile("@n-7").read("1,200", count), EntryStatus::Ok);
    EXPECT_EQ(count, 1200);
    EXPECT_EQ(compile("@n-13").read("3000000000", count), EntryStatus::TooLarge);
    EXPECT_EQ(count, 1200);
}

TEST(PictureNumberRead, ReadsIntoFieldsKnownOnlyByTheirDescription) {
    // A DECIMAL(7,2) field described at run time: 99,999.99 at most.
    const Picture p = compile("@n-13.2");
    std::int64_t scaled = 77;
    EXPECT_EQ(p.readScaled("99,999.99", 2, maxScaledForDigits(7), scaled), EntryStatus::Ok);
    EXPECT_EQ(scaled, 9999999);
    EXPECT_EQ(p.readScaled("-99,999.99", 2, maxScaledForDigits(7), scaled), EntryStatus::Ok);
    EXPECT_EQ(scaled, -9999999);
    EXPECT_EQ(p.readScaled("100,000", 2, maxScaledForDigits(7), scaled), EntryStatus::TooLarge);
    EXPECT_EQ(scaled, -9999999);
    EXPECT_EQ(p.formatScaled(scaled, 2), "   -99,999.99");
}

TEST(PictureNumberRead, WhatIsShownReadsBackAsTheSameValue) {
    std::mt19937_64 rng(8122026);
    // Every value up to the widest that "-$99,999,999.99" leaves room for.
    std::uniform_int_distribution<std::int64_t> cents(-9999999999, 9999999999);
    const Picture money = compile("@n$-15.2");
    const Picture plain = compile("@n-14_.2");
    for (int i = 0; i < 5000; ++i) {
        const auto v = Decimal<13, 2>::fromScaled(i < 2500 ? cents(rng) : cents(rng) % 100000);
        for (const Picture* p : {&money, &plain}) {
            const std::string shown = p->format(v);
            ASSERT_EQ(shown.size(), p == &plain ? 14u : 15u) << v;
            Decimal<13, 2> back;
            ASSERT_EQ(p->read(shown, back), EntryStatus::Ok) << "[" << shown << "]";
            ASSERT_EQ(back, v) << shown;
        }
    }
    // A figure too wide for its column shows hashes, which never read back as a number.
    const std::string hashes = money.format(Decimal<13, 2>::max());
    EXPECT_EQ(hashes, std::string(15, '#'));
    Decimal<13, 2> back = Decimal<13, 2>(3);
    EXPECT_EQ(money.read(hashes, back), EntryStatus::NotANumber);
    EXPECT_EQ(back, 3);
}

TEST(PictureDate, WhatIsShownReadsBackAsTheSameDate) {
    const Picture p = compile("@d2");
    for (std::int32_t d = kFirstDate; d <= kLastDate; d += 97) {
        std::int32_t back = 0;
        ASSERT_EQ(p.read(p.format(d), back), EntryStatus::Ok) << d;
        ASSERT_EQ(back, d);
    }
}

TEST(PictureDate, ShowsTheThreeDateForms) {
    const std::int32_t d = day(2026, 1, 5);
    EXPECT_EQ(compile("@d1").format(d), "01/05/26");
    EXPECT_EQ(compile("@d2").format(d), "01/05/2026");
    EXPECT_EQ(compile("@d14").format(d), "01/2026");
    EXPECT_EQ(compile("@d2").format(day(1801, 1, 1)), "01/01/1801");
    EXPECT_EQ(compile("@d1").format(day(1999, 12, 31)), "12/31/99");
    // No date shows nothing, with or without b; a number that is no date shows hashes.
    EXPECT_EQ(compile("@d2").format(kNoDate), "");
    EXPECT_EQ(compile("@d2b").format(kNoDate), "");
    EXPECT_EQ(compile("@d2").format(-3), "##########");
    EXPECT_EQ(compile("@d1").width(), 8);
}

struct DateTyped {
    const char* picture;
    const char* text;
    CivilDate expected;
};

TEST(PictureDate, ReadsTypedDates) {
    const DateTyped cases[] = {
        {"@d2", "12/31/2026", {2026, 12, 31}},
        {"@d2", "12/31/26", {2026, 12, 31}},
        {"@d2", "1/5/2026", {2026, 1, 5}},
        {"@d2", " 1/5/26 ", {2026, 1, 5}},
        {"@d2", "2/29/2000", {2000, 2, 29}},
        {"@d2", "6/1/49", {2049, 6, 1}},
        {"@d2", "6/1/50", {1950, 6, 1}},
        {"@d2", "6/1/00", {2000, 6, 1}},
        {"@d1", "07-04-1976", {1976, 7, 4}},
        {"@d1", "1/1/1801", {1801, 1, 1}},
        // A card expiry month is good through its last day.
        {"@d14", "02/2028", {2028, 2, 29}},
        {"@d14", "4/27", {2027, 4, 30}},
    };
    for (const DateTyped& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " " + c.text);
        std::int32_t field = 0;
        ASSERT_EQ(compile(c.picture).read(c.text, field), EntryStatus::Ok);
        EXPECT_EQ(civilFromDate(field), c.expected);
    }
    std::int32_t field = 77;
    EXPECT_EQ(compile("@d2").read("  ", field), EntryStatus::Ok);
    EXPECT_EQ(field, kNoDate);
}

TEST(PictureDate, RefusesTextThatIsNoDate) {
    struct Case {
        const char* picture;
        const char* text;
        EntryStatus status;
    };
    const Case cases[] = {
        {"@d2", "abc", EntryStatus::NotADate},         {"@d2", "12/31", EntryStatus::NotADate},
        {"@d2", "12/31/202", EntryStatus::NotADate},   {"@d2", "123/1/2026", EntryStatus::NotADate},
        {"@d2", "12//2026", EntryStatus::NotADate},    {"@d2", "1/2/3/4", EntryStatus::NotADate},
        {"@d2", "12.31.2026", EntryStatus::NotADate},  {"@d14", "1/5/2026", EntryStatus::NotADate},
        {"@d2", "2/31/2026", EntryStatus::NoSuchDate}, {"@d2", "2/29/1900", EntryStatus::NoSuchDate},
        {"@d2", "13/1/2026", EntryStatus::NoSuchDate}, {"@d2", "0/10/2026", EntryStatus::NoSuchDate},
        {"@d2", "1/1/1800", EntryStatus::NoSuchDate},  {"@d14", "13/2026", EntryStatus::NoSuchDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " " + c.text);
        std::int32_t field = 1234;
        EXPECT_EQ(compile(c.picture).read(c.text, field), c.status);
        EXPECT_EQ(field, 1234);
    }
    EXPECT_EQ(compile("@d2").reason(EntryStatus::NotADate), "Enter a date as mm/dd/yyyy, such as 12/31/2026.");
    EXPECT_EQ(compile("@d14").reason(EntryStatus::NotADate), "Enter a month as mm/yyyy, such as 12/2026.");
}

TEST(PictureTime, ShowsTheThreeTimeForms) {
    const std::int32_t evening = *timeFromClock(21, 5, 9, 99);
    EXPECT_EQ(compile("@t1").format(evening), "21:05");
    EXPECT_EQ(compile("@t4").format(evening), "21:05:09");
    EXPECT_EQ(compile("@t7").format(evening), "9:05 PM");
    EXPECT_EQ(compile("@t7").format(*timeFromClock(9, 5)), "9:05 AM");
    EXPECT_EQ(compile("@t7").format(*timeFromClock(12, 0)), "12:00 PM");
    EXPECT_EQ(compile("@t7").format(kMidnight), "12:00 AM");
    EXPECT_EQ(compile("@t1").format(kMidnight), "00:00");
    EXPECT_EQ(compile("@t7").format(kNoTime), "");
    EXPECT_EQ(compile("@t4").format(kHundredthsPerDay), "########");
}

TEST(PictureTime, ReadsTypedTimes) {
    struct Case {
        const char* text;
        ClockTime expected;
    };
    const Case cases[] = {
        {"9:05", {9, 5, 0, 0}},       {"9:05 PM", {21, 5, 0, 0}}, {"21:05", {21, 5, 0, 0}},
        {"9:05pm", {21, 5, 0, 0}},    {"9:05 a", {9, 5, 0, 0}},   {"12:00 AM", {0, 0, 0, 0}},
        {"12:30 PM", {12, 30, 0, 0}}, {"0:00", {0, 0, 0, 0}},     {"23:59:59", {23, 59, 59, 0}},
        {"7 PM", {19, 0, 0, 0}},      {" 09:05 ", {9, 5, 0, 0}},
    };
    const Picture p = compile("@t7");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::int32_t field = 0;
        ASSERT_EQ(p.read(c.text, field), EntryStatus::Ok);
        EXPECT_NE(field, kNoTime);
        EXPECT_EQ(clockFromTime(field), c.expected);
    }
    std::int32_t field = 5;
    EXPECT_EQ(p.read("", field), EntryStatus::Ok);
    EXPECT_EQ(field, kNoTime);
}

TEST(PictureTime, RefusesTextThatIsNoTime) {
    struct Case {
        const char* text;
        EntryStatus status;
    };
    const Case cases[] = {
        {"abc", EntryStatus::NotATime},       {"9:5", EntryStatus::NotATime},     {"9:05:1", EntryStatus::NotATime},
        {"9::05", EntryStatus::NotATime},     {"9:05 XM", EntryStatus::NotATime}, {"123:00", EntryStatus::NotATime},
        {"9.05", EntryStatus::NotATime},      {"m", EntryStatus::NotATime},       {"25:00", EntryStatus::NoSuchTime},
        {"24:00", EntryStatus::NoSuchTime},   {"12:60", EntryStatus::NoSuchTime}, {"13:00 PM", EntryStatus::NoSuchTime},
        {"0:30 AM", EntryStatus::NoSuchTime},
    };
    const Picture p = compile("@t1");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::int32_t field = 4321;
        EXPECT_EQ(p.read(c.text, field), c.status);
        EXPECT_EQ(field, 4321);
    }
    EXPECT_EQ(p.reason(EntryStatus::NotATime), "Enter a time as hh:mm, such as 9:05, 9:05 PM or 21:05.");
}

TEST(PictureString, CutsToItsLength) {
    const Picture p = compile("@s5");
    EXPECT_EQ(p.format(std::string_view("Acme Supply")), "Acme");
    EXPECT_EQ(p.format(FixedString<20>("Ace")), "Ace");
    FixedString<20> field = "old";
    EXPECT_EQ(p.read("Widgets", field), EntryStatus::Ok);
    EXPECT_EQ(field.str(), "Widge");
    FixedString<3> shortField;
    EXPECT_EQ(p.read("Widgets", shortField), EntryStatus::Ok);
    EXPECT_EQ(shortField.str(), "Wid");
}

TEST(PictureCompile, RefusesTextThatIsNoPicture) {
    for (const char* bad : {"", "@", "@x12", "@n", "@n$", "@n-.2", "@n9.", "@n9.2~%", "@n9.2q", "@d3", "@d", "@t2",
                            "@s0", "@s", "@d2x", "@n9.2bb", "@s12b"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(Picture::parse(bad).has_value());
    }
    const Picture p = compile("@N$-13.2");
    EXPECT_EQ(p.kind(), PictureKind::Numeric);
    EXPECT_EQ(p.width(), 13);
    EXPECT_EQ(p.places(), 2);
    // A layout with a broken picture still shows the figure.
    EXPECT_EQ(formatPicture("@q", Decimal<9, 2>::fromScaled(-150)), "-1.50");
}

}  // namespace
}  // namespace quay::core
