// The phone formatter, the calendar's month grid and stepping, and the mail and
// web launch targets.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/tools/date_select.h"
#include "quay/tools/format_phone.h"
#include "quay/tools/mail_launch.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::core {
namespace {

std::int32_t date(int y, int m, int d) { return *dateFromCivil(y, m, d); }

TEST(FormatPhone, FormatsTenAndSevenCharacterNumbers) {
    // Columns: typed text, area code, result, accepted.
    struct Case {
        const char* typed;
        const char* area;
        const char* result;
        bool accepted;
    };
    const Case cases[] = {
        {"1-800-555-0199", "212", "(800)555-0199", true},
        {"555-0199", "212", "(212)555-0199", true},
        {"12345", "212", "", false},
        {"1-800-FLOWERS", "212", "(800)FLO-WERS", true},
        {"1-800-flowers", "212", "(800)FLO-WERS", true},
        {"(617) 555 0100", "212", "(617)555-0100", true},
        {"", "212", "", true},
        {"     ", "212", "", true},
        {"1555-0199", "212", "(212)555-0199", true},
        {"800.555.01999", "212", "", false},
        {"617555010012345", "212", "", false},
        {"+1 (800) 555-0199 ", "212", "(800)555-0199", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Defaults company{};
        company.DEFAREACODE = c.area;
        glo.GlobalResponse = Response::None;
        const FixedString<13> out = FORMATPHONE(c.typed, company);
        EXPECT_EQ(out.str(), c.result);
        EXPECT_EQ(glo.GlobalResponse, c.accepted ? Response::Completed : Response::Cancelled);
    }
}

TEST(DateSelectGrid, FirstOfTheMonthSitsUnderItsWeekday) {
    // 1 March 2026 is a Sunday, 1 May 2026 a Friday.
    DateSelect march(date(2026, 3, 18));
    EXPECT_EQ(march.monthName(), "March");
    EXPECT_EQ(march.year(), 2026);
    auto g = march.grid();
    EXPECT_EQ(g[0], 1);
    EXPECT_EQ(g[30], 31);
    EXPECT_EQ(g[31], 0);
    EXPECT_EQ(march.highlightedCell(), 17);

    DateSelect may(date(2026, 5, 1));
    g = may.grid();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(g[static_cast<std::size_t>(i)], 0) << i;
    EXPECT_EQ(g[5], 1);
    EXPECT_EQ(g[35], 31);  // 31 May fills the sixth row's first button
    EXPECT_EQ(may.pick(5), date(2026, 5, 1));
    EXPECT_EQ(may.pick(0), 0);  // a hidden button picks nothing
    EXPECT_EQ(may.pick(42), 0);
}

TEST(DateSelectStepping, MonthsWrapAcrossYearsAndTheDayIsKept) {
    DateSelect c(date(2026, 1, 31));
    c.previousMonth();
    EXPECT_EQ(c.month(), 12);
    EXPECT_EQ(c.year(), 2025);
    c.nextMonth();
    c.nextMonth();
    EXPECT_EQ(c.month(), 2);
    EXPECT_EQ(c.year(), 2026);
    EXPECT_EQ(c.day(), 31);
    // February shows its last day highlighted; the kept 31 comes back in March.
    EXPECT_EQ(c.grid()[static_cast<std::size_t>(c.highlightedCell())], 28);
    c.nextMonth();
    EXPECT_EQ(c.grid()[static_cast<std::size_t>(c.highlightedCell())], 31);
    c.nextYear();
    EXPECT_EQ(c.year(), 2027);
    c.previousYear();
    c.previousYear();
    EXPECT_EQ(c.year(), 2025);
    EXPECT_EQ(c.month(), 3);
    c.nextMonth();
    EXPECT_EQ(c.month(), 4);
    // A pick returns the shown month's day; cancel the date passed in.
    EXPECT_EQ(c.pick(c.highlightedCell()), date(2025, 4, 30));
    EXPECT_EQ(c.cancel(), date(2026, 1, 31));
}

TEST(DateSelectStepping, ZeroMeansTodayAndCancelReturnsToday) {
    ScopedClockOverride clock(DateTime{date(2026, 12, 8), kMidnight});
    DateSelect c(0);
    EXPECT_EQ(c.month(), 12);
    EXPECT_EQ(c.year(), 2026);
    c.previousYear();
    EXPECT_EQ(c.cancel(), date(2026, 12, 8));
}

TEST(DateSelectStepping, StaysWithinTheCalendarsYears) {
    DateSelect c(date(kFirstYear, 1, 5));
    c.previousMonth();
    c.previousYear();
    EXPECT_EQ(c.year(), kFirstYear);
    EXPECT_EQ(c.month(), 1);
}

TEST(DateSelectProcedure, RunsTheWindowAndFallsBackToTheDatePassed) {
    ScriptedUi ui;
    ui.onWindow("DATESELECT", [](const WindowRequest& r) {
        EXPECT_EQ(r.number, 12345);
        return WindowResponse{Response::Completed, 12350, {}};
    });
    EXPECT_EQ(DATESELECT(ui, 12345), 12350);
    ScriptedUi cancelling;
    cancelling.onWindow("DATESELECT", [](const WindowRequest&) { return WindowResponse{Response::Cancelled, 0, {}}; });
    EXPECT_EQ(DATESELECT(cancelling, 12345), 12345);
}

class RecordingLauncher : public Launcher {
public:
    void open(const std::string& target) override { targets.push_back(target); }
    std::vector<std::string> targets;
};

TEST(MailLaunch, TargetsLoseTrailingBlanksAndAreCutTo79) {
    ScriptedUi ui;
    RecordingLauncher l;
    glo.GlobalResponse = Response::None;
    SENDEMAIL(ui, l, 0, "sales@harbour.example   ");
    SENDEMAIL(ui, l, 0, "   ");
    OPENURL(ui, l, 0, "www.harbour.example  ");
    OPENURL(ui, l, 0, std::string(100, 'w'));
    ASSERT_EQ(l.targets.size(), 4u);
    EXPECT_EQ(l.targets[0], "mailto:sales@harbour.example");
    EXPECT_EQ(l.targets[1], "mailto:");
    EXPECT_EQ(l.targets[2], "www.harbour.example");
    EXPECT_EQ(l.targets[3], std::string(79, 'w'));
    EXPECT_EQ(glo.GlobalResponse, Response::Completed);
    // The busy cursor showed around each hand-over and is off again.
    EXPECT_EQ(ui.busyChanges(), (std::vector<bool>{true, false, true, false, true, false, true, false}));
    EXPECT_FALSE(ui.isBusy());
}

}  // namespace
}  // namespace quay::core
