// The alarm window on a real data set with the clock held still: the postponement
// choices (across midnight, days keeping the time), what Postpone, Complete, Ignore
// and Open Item write and do to the alarm list, the alarm number taken at once, and
// entries deleted, completed or moved at another station opening no window.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "../../core/tests/masterlists_test_support.h"
#include "quay/app/alarm_queue.h"
#include "quay/schedule/schedule_queue.h"
#include "quay/types/clock.h"
#include "quay/util/alarm_window.h"
#include "../../core/tests/offscreen_app.h"
#include "../views/alarm_window_view.h"

namespace quay::util {
namespace {

using namespace quay::core;
using core::testing::MasterDataTest;

const std::int32_t kDay = *dateFromCivil(2026, 12, 9);
constexpr std::int32_t kHour = kHundredthsPerHour;

TEST(AlarmPostponement, ChoicesCarryAcrossMidnightAndDaysKeepTheTime) {
    // Each row: the choice's caption, the clock, the moment it gives.
    struct Case {
        const char* caption;
        std::int32_t time;
        DateTime expected;
    };
    const Case cases[] = {
        {"4 hours", 22 * kHour, {kDay + 1, 2 * kHour}},
        {"15 minutes", 9 * kHour, {kDay, 9 * kHour + 15 * kHundredthsPerMinute}},
        {"5 minutes", 23 * kHour + 58 * kHundredthsPerMinute, {kDay + 1, 3 * kHundredthsPerMinute}},
        {"8 hours", 16 * kHour, {kDay + 1, kMidnight}},  // exactly midnight is the next day's
        {"1 day", 14 * kHour + 7, {kDay + 1, 14 * kHour + 7}},
        {"3 days", 22 * kHour, {kDay + 3, 22 * kHour}},
    };
    const auto& choices = AlarmWindow::postponeChoices();
    ASSERT_EQ(choices.size(), 10u);
    EXPECT_STREQ(choices[AlarmWindow::kDefaultChoice].caption, "15 minutes");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        int index = -1;
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (std::string(choices[i].caption) == c.caption) index = static_cast<int>(i);
        ASSERT_GE(index, 0);
        EXPECT_EQ(AlarmWindow::postponed(DateTime{kDay, c.time}, index), c.expected);
    }
}

class AlarmWindows : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        AlarmQueue::instance().clear();
        Schedule e{};
        e.SCHID = 7;
        e.UserID = "PAT";
        e.Customer = "Harbour Chandlery";
        e.ACTION = "Call about the winter order";
        e.ALARMDATE = kDay;
        e.ALARMTIME = 21 * kHour;
        store(e);
        UPDATESCHEDULEQUEUE(7, ScheduleChange::Added, e);
        AlarmQueue::instance().markDone(7);  // the frame fired it and chose the next
        AlarmQueue::instance().chooseNext();
        glo.CurrentAlarmID = 7;
    }
    void TearDown() override {
        AlarmQueue::instance().clear();
        MasterDataTest::TearDown();
    }
    Schedule stored() { return all<Schedule>().at(0); }
    // Another station's change of entry 7.
    template <class F>
    void elsewhere(F change) {
        Database other(dir());
        Handle<Schedule> h(other);
        ASSERT_EQ(h.open(), ErrorCode::None);
        h.rec.SCHID = 7;
        ASSERT_EQ(h.get(Schedule::bySchID), ErrorCode::None);
        if (change(h.rec)) {
            ASSERT_EQ(h.put(), ErrorCode::None);
        } else {
            ASSERT_EQ(h.erase(), ErrorCode::None);
        }
    }
    ScopedClockOverride clock{DateTime{kDay, 22 * kHour}};
};

TEST_F(AlarmWindows, PostponeMakesTheAlarmPendingAgainAtItsNewMoment) {
    AlarmWindow w(*db, ui);
    ASSERT_TRUE(w.open());
    EXPECT_EQ(glo.CurrentAlarmID.load(), 0);  // taken at once for the next alarm
    EXPECT_EQ(w.entry().ACTION, "Call about the winter order");
    w.postpone(5);  // "4 hours"
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(stored().ALARMDATE, kDay + 1);
    EXPECT_EQ(stored().ALARMTIME, 2 * kHour);
    EXPECT_EQ(AlarmQueue::instance().find(7)->EVENTDONE, 0);
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 7);
    EXPECT_EQ(glo.nextAlarm().NextEventDay, kDay + 1);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(AlarmWindows, CompleteClosesTheEntryAndDropsItsAlarm) {
    AlarmWindow w(*db, ui);
    ASSERT_TRUE(w.open());
    w.complete();
    const Schedule e = stored();
    EXPECT_EQ(e.Completed, 1);
    EXPECT_EQ(e.COMPLETEDDATE, kDay);
    EXPECT_EQ(e.COMPLETEDTIME, 22 * kHour);
    EXPECT_EQ(e.ALARMDATE, 0);
    EXPECT_EQ(e.ALARMTIME, 0);
    EXPECT_EQ(AlarmQueue::instance().count(), 0u);
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 0);
}

TEST_F(AlarmWindows, IgnoreWritesNothingAndTheAlarmStaysShown) {
    const Schedule before = stored();
    AlarmWindow w(*db, ui);
    ASSERT_TRUE(w.open());
    w.ignore();
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(stored().ALARMTIME, before.ALARMTIME);
    EXPECT_EQ(AlarmQueue::instance().find(7)->EVENTDONE, 1);
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 0);
}

TEST_F(AlarmWindows, EscapeInTheWindowIgnoresAndEnterPostpones) {
    quay::testing::offscreenApp();
    const Schedule before = stored();
    auto logic = std::make_unique<AlarmWindow>(*db, ui);
    ASSERT_TRUE(logic->open());
    QPointer<AlarmWindowView> view = new AlarmWindowView(std::move(logic));
    view->show();
    QTest::keyClick(view.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(view.isNull()) << "Escape left the alarm window open";
    EXPECT_EQ(stored().ALARMTIME, before.ALARMTIME);
    EXPECT_EQ(AlarmQueue::instance().find(7)->EVENTDONE, 1);

    // Enter presses the default button, Postpone, with its "15 minutes".
    glo.CurrentAlarmID = 7;
    logic = std::make_unique<AlarmWindow>(*db, ui);
    ASSERT_TRUE(logic->open());
    view = new AlarmWindowView(std::move(logic));
    view->show();
    QTest::keyClick(view.data(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(view.isNull()) << "Enter left the alarm window open";
    EXPECT_EQ(stored().ALARMDATE, kDay);
    EXPECT_EQ(stored().ALARMTIME, 22 * kHour + 15 * 60 * 100);
    EXPECT_EQ(AlarmQueue::instance().find(7)->EVENTDONE, 0);
}

TEST_F(AlarmWindows, OpenItemRunsTheScheduleFormOnTheEntry) {
    WindowRequest seen;
    ui.onWindow("SCHEDULEFORM", [&](const WindowRequest& r) {
        seen = r;
        return WindowResponse{Response::Completed, 0, {}};
    });
    glo.SchGroup.SCHCUSTOMER = "left over";
    AlarmWindow w(*db, ui);
    ASSERT_TRUE(w.open());
    w.openItem();
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(seen.request, Request::Change);
    EXPECT_EQ(seen.number, 7);
    EXPECT_EQ(glo.GlobalRequest, Request::Change);
    EXPECT_EQ(glo.SchGroup.SCHEVENTID, 7);
    EXPECT_TRUE(glo.SchGroup.SCHCUSTOMER.isBlank());
}

TEST_F(AlarmWindows, EntryDeletedAtAnotherStationOpensNoWindowAndNoMessage) {
    elsewhere([](Schedule&) { return false; });
    AlarmWindow w(*db, ui);
    EXPECT_FALSE(w.open());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(AlarmWindows, EntryCompletedOrMovedElsewhereIsNotShownAndTheListFollowsIt) {
    elsewhere([](Schedule& r) {
        r.ALARMDATE = kDay + 2;  // moved on at the other station
        return true;
    });
    {
        AlarmWindow w(*db, ui);
        EXPECT_FALSE(w.open());
    }
    EXPECT_EQ(AlarmQueue::instance().find(7)->EVENTDONE, 0);  // pending at its new moment
    EXPECT_EQ(glo.nextAlarm().NextEventDay, kDay + 2);

    elsewhere([](Schedule& r) {
        r.Completed = 1;
        r.ALARMDATE = 0;
        r.ALARMTIME = 0;
        return true;
    });
    glo.CurrentAlarmID = 7;
    AlarmWindow w(*db, ui);
    EXPECT_FALSE(w.open());
    EXPECT_EQ(AlarmQueue::instance().count(), 0u);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(AlarmWindows, PostponeOfAnEntryDeletedMeanwhileSaysSoAndDropsTheAlarm) {
    AlarmWindow w(*db, ui);
    ASSERT_TRUE(w.open());
    elsewhere([](Schedule&) { return false; });
    ui.answer(Button::Ok);
    w.postpone(1);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "ERROR");
    EXPECT_EQ(ui.messages()[0].text, "Error 35 saving event record");
    EXPECT_TRUE(all<Schedule>().empty());
    EXPECT_EQ(AlarmQueue::instance().count(), 0u);
}

}  // namespace
}  // namespace quay::util
