// Alarms from the schedule to the frame, with the clock moved by hand: an entry
// saved through the schedule form a minute ahead fires at the first check after
// that minute and only once; two entries due together fire in order of their
// numbers, one per check; a postponement made from the fired alarm brings it back at
// its new moment; and the list loaded at start-up fires what is overdue.
#include <gtest/gtest.h>

#include "desk_test_support.h"
#include "frame/frame_timer.h"
#include "quay/app/alarm_queue.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/schedule/alarm_loader.h"
#include "quay/schedule/schedule_form.h"
#include "quay/schedule/schedule_queue.h"
#include "quay/types/clock.h"

namespace quay::desk {
namespace {

using core::DateTime;
const std::int32_t kDay = *core::dateFromCivil(2026, 12, 9);
constexpr std::int32_t kMinute = core::kHundredthsPerMinute;
constexpr std::int32_t kNine = 9 * core::kHundredthsPerHour;

class ScheduleAlarms : public testing::DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        core::glo.UserID = "PAT";
        core::AlarmQueue::instance().clear();
        db = std::make_unique<core::Database>(dataDir().string());
        schedule = std::make_unique<core::Handle<core::Schedule>>(*db);
        core::ScriptedUi quiet;
        ASSERT_EQ(core::openTable(quiet, *schedule), core::OpenOutcome::Opened);
        FrameTimer::Actions a;
        a.alarmWindow = [this] { fired.push_back(core::glo.CurrentAlarmID.exchange(0)); };
        timer = std::make_unique<FrameTimer>(ui, core::AlarmQueue::instance(), a);
    }
    void TearDown() override {
        timer.reset();
        schedule.reset();
        db.reset();
        core::AlarmQueue::instance().clear();
        DeskTest::TearDown();
    }
    // Saves a new entry through the schedule form, as the user would.
    std::int32_t save(std::int32_t alarmDate, std::int32_t alarmTime) {
        core::WindowRequest r;
        r.request = core::Request::Insert;
        core::ScheduleForm form(*db, ui, *schedule, r);
        EXPECT_TRUE(form.open());
        form.rec().ACTION = "Call back";
        form.rec().ALARMDATE = alarmDate;
        form.rec().ALARMTIME = alarmTime;
        EXPECT_TRUE(form.ok());
        EXPECT_EQ(form.response().response, core::Response::Completed);
        return schedule->rec.SCHID;
    }
    void checkAt(std::int32_t time) {
        core::ScopedClockOverride at(DateTime{kDay, time});
        timer->checkAlarm();
    }

    core::ScriptedUi ui;
    std::unique_ptr<core::Database> db;
    std::unique_ptr<core::Handle<core::Schedule>> schedule;
    std::unique_ptr<FrameTimer> timer;
    std::vector<std::int32_t> fired;
};

TEST_F(ScheduleAlarms, EntrySavedAMinuteAheadFiresOnceAtTheFirstCheckAfterIt) {
    std::int32_t id = 0;
    {
        core::ScopedClockOverride at(DateTime{kDay, kNine});
        id = save(kDay, kNine + kMinute);
    }
    checkAt(kNine + 30 * core::kHundredthsPerSecond);
    EXPECT_TRUE(fired.empty());
    checkAt(kNine + kMinute + 500);
    EXPECT_EQ(fired, std::vector<std::int32_t>{id});
    EXPECT_EQ(core::AlarmQueue::instance().find(id)->EVENTDONE, 1);
    checkAt(kNine + 5 * kMinute);
    checkAt(kNine + 60 * kMinute);
    EXPECT_EQ(fired.size(), 1u);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ScheduleAlarms, EntriesDueTogetherFireInNumberOrderOnePerCheck) {
    std::vector<std::int32_t> ids;
    {
        core::ScopedClockOverride at(DateTime{kDay, kNine});
        for (int i = 0; i < 3; ++i) ids.push_back(save(kDay, kNine + 2 * kMinute));
    }
    for (int i = 0; i < 4; ++i) checkAt(kNine + 3 * kMinute);
    EXPECT_EQ(fired, ids);
}

TEST_F(ScheduleAlarms, OverdueEntriesLoadedAtStartUpFireAndAChangeBringsOneBack) {
    {
        core::ScopedClockOverride at(DateTime{kDay - 2, kNine});
        save(kDay - 1, kNine);  // due yesterday, while the program was not running
        save(kDay + 1, kNine);
    }
    core::AlarmQueue::instance().clear();
    core::glo.setNextAlarm({});
    ASSERT_EQ(core::loadAlarmQueueNow(dataDir().string(), "PAT"), core::ErrorCode::None);
    checkAt(kNine);
    ASSERT_EQ(fired, std::vector<std::int32_t>{1});
    EXPECT_EQ(core::glo.nextAlarm().AlarmActive, 2);

    // Postponed from its alarm window by five minutes: pending again, and first.
    core::Schedule moved{};
    moved.SCHID = 1;
    moved.ALARMDATE = kDay;
    moved.ALARMTIME = kNine + 5 * kMinute;
    core::UPDATESCHEDULEQUEUE(1, core::ScheduleChange::Changed, moved);
    checkAt(kNine + 4 * kMinute);
    checkAt(kNine + 5 * kMinute);
    EXPECT_EQ(fired, (std::vector<std::int32_t>{1, 1}));
}

}  // namespace
}  // namespace quay::desk
