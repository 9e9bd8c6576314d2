// The frame's timer: the three start-up stages on the first ticks, the alarm check
// every 41 ticks, which alarm shows and which becomes pending, and the report of a
// pending alarm missing from the list.
#include <gtest/gtest.h>

#include "quay/app/alarm_queue.h"
#include "frame/frame_timer.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::desk {
namespace {

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        core::glo.reset();
        queue.clear();
    }
    FrameTimer::Actions actions() {
        return {[this] { calls.push_back("LOADALARMQUEUE"); }, [this] { calls.push_back("DISPLAYTIPOFDAY"); },
                [this] { shown.push_back(core::glo.CurrentAlarmID); }};
    }
    // Runs the three start-up ticks.
    void startUp(FrameTimer& timer) {
        for (int i = 0; i < 3; ++i) timer.tick();
    }

    core::ScriptedUi ui;
    core::AlarmQueue queue;
    std::vector<std::string> calls;
    std::vector<std::int32_t> shown;
    const std::int32_t kToday = *core::dateFromCivil(2026, 12, 8);
    const std::int32_t kNoon = *core::timeFromClock(12, 0);
};

TEST_F(FrameTimerTest, StartUpStagesRunOnTheFirstThreeTicks) {
    core::glo.MessageOfDay = 1;
    FrameTimer timer(ui, queue, actions());
    timer.tick();
    EXPECT_EQ(calls, std::vector<std::string>{"LOADALARMQUEUE"});
    EXPECT_EQ(timer.stage(), FrameTimer::Stage::AlarmListLoading);
    timer.tick();
    EXPECT_EQ(calls, (std::vector<std::string>{"LOADALARMQUEUE", "DISPLAYTIPOFDAY"}));
    EXPECT_EQ(timer.tickCount(), 2);
    timer.tick();
    EXPECT_EQ(timer.tickCount(), 0);
    EXPECT_EQ(timer.stage(), FrameTimer::Stage::Finished);
    for (int i = 0; i < 10; ++i) timer.tick();
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(FrameTimerTest, TipIsSkippedWhenSwitchedOff) {
    core::glo.MessageOfDay = 0;
    FrameTimer timer(ui, queue, actions());
    startUp(timer);
    EXPECT_EQ(calls, std::vector<std::string>{"LOADALARMQUEUE"});
}

TEST_F(FrameTimerTest, AlarmIsCheckedOnEveryFortyFirstTick) {
    core::ScopedClockOverride clock({kToday, kNoon});
    queue.put({kToday, kNoon - 100, 5, 0});
    FrameTimer timer(ui, queue, actions());
    startUp(timer);
    core::glo.setNextAlarm({5, kToday, kNoon - 100});
    for (int i = 0; i < 40; ++i) timer.tick();
    EXPECT_TRUE(shown.empty());
    timer.tick();
    EXPECT_EQ(shown, std::vector<std::int32_t>{5});
    EXPECT_EQ(timer.tickCount(), 0);
}

TEST_F(FrameTimerTest, TwoAlarmsDueAtOnceShowTheFirstByIdAndLeaveTheSecondPending) {
    core::ScopedClockOverride clock({kToday, kNoon});
    const std::int32_t due = kNoon - 6000;
    queue.put({kToday, due, 12, 0});
    queue.put({kToday, due, 9, 0});
    queue.put({kToday + 1, kNoon, 3, 0});
    core::glo.setNextAlarm(queue.nextPending());
    ASSERT_EQ(core::glo.nextAlarm().AlarmActive, 9);

    FrameTimer timer(ui, queue, actions());
    timer.checkAlarm();
    EXPECT_EQ(shown, std::vector<std::int32_t>{9});
    EXPECT_EQ(queue.find(9)->EVENTDONE, 1);
    EXPECT_EQ(core::glo.nextAlarm().AlarmActive, 12);
    EXPECT_EQ(core::glo.nextAlarm().NextEventDay, kToday);
    EXPECT_EQ(core::glo.nextAlarm().NextEventTime, due);

    timer.checkAlarm();
    EXPECT_EQ(shown, (std::vector<std::int32_t>{9, 12}));
    // Tomorrow's alarm is pending and not yet due.
    EXPECT_EQ(core::glo.nextAlarm().AlarmActive, 3);
    timer.checkAlarm();
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(FrameTimerTest, DueRuleComparesDayThenTime) {
    core::ScopedClockOverride clock({kToday, kNoon});
    // columns: alarm day, alarm time, due now
    const std::vector<std::tuple<std::int32_t, std::int32_t, bool>> cases = {
        {kToday, kNoon, true},
        {kToday, kNoon + 1, false},
        {kToday - 1, kNoon + 500, true},
        {kToday + 1, 1, false},
    };
    for (const auto& [day, time, due] : cases) {
        SCOPED_TRACE(::testing::Message() << day << " " << time);
        queue.clear();
        shown.clear();
        queue.put({day, time, 1, 0});
        core::glo.setNextAlarm({1, day, time});
        FrameTimer timer(ui, queue, actions());
        timer.checkAlarm();
        EXPECT_EQ(shown.size(), due ? 1u : 0u);
    }
}

TEST_F(FrameTimerTest, LastAlarmShownLeavesNothingPending) {
    core::ScopedClockOverride clock({kToday, kNoon});
    queue.put({kToday, kNoon - 1, 4, 0});
    core::glo.setNextAlarm(queue.nextPending());
    FrameTimer timer(ui, queue, actions());
    timer.checkAlarm();
    const core::NextAlarm next = core::glo.nextAlarm();
    EXPECT_EQ(next.AlarmActive, 0);
    EXPECT_EQ(next.NextEventDay, 0);
    EXPECT_EQ(next.NextEventTime, 0);
    timer.checkAlarm();
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(FrameTimerTest, PendingAlarmMissingFromTheListIsReportedAndTheListReloaded) {
    core::ScopedClockOverride clock({kToday, kNoon});
    core::glo.ProgramTitle = "Billquay";
    core::glo.setNextAlarm({77, kToday, 1});
    FrameTimer timer(ui, queue, actions());
    timer.checkAlarm();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Billquay");
    EXPECT_EQ(ui.messages()[0].text, "Error 30 reading Alarm Queue");
    EXPECT_EQ(calls, std::vector<std::string>{"LOADALARMQUEUE"});
    EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace quay::desk
