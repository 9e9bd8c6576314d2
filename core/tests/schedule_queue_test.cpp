// The alarm list and its loader on a real data set, with the clock held still: what
// a saved, changed, completed or deleted entry does to the list and to the next
// alarm, the loader's order and its stops (another user, completed entries, open
// entries without an alarm passed over), a cancelled load keeping what it read, and
// a second station's completed entry leaving the list once it is read again.
#include <gtest/gtest.h>

#include "masterlists_test_support.h"
#include "quay/app/alarm_queue.h"
#include "quay/schedule/alarm_loader.h"
#include "quay/schedule/schedule_queue.h"
#include "quay/types/clock.h"

namespace quay::core {
namespace {

using testing::MasterDataTest;

const std::int32_t kDay = *dateFromCivil(2026, 12, 9);
constexpr std::int32_t kNine = 9 * kHundredthsPerHour;

Schedule entry(std::int32_t id, const char* user, std::int32_t date, std::int32_t time, std::int32_t completed = 0) {
    Schedule s{};
    s.SCHID = id;
    s.UserID = user;
    s.ACTION = "Call back";
    s.ALARMDATE = date;
    s.ALARMTIME = time;
    s.Completed = completed;
    if (completed) {
        s.COMPLETEDDATE = kDay;
        s.COMPLETEDTIME = kNine;
    }
    return s;
}

class AlarmList : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        queue.clear();
    }
    std::vector<std::int32_t> ids() const {
        std::vector<std::int32_t> out;
        for (const AlarmEntry& e : queue.entries()) out.push_back(e.EVENTID);
        return out;
    }
    AlarmQueue queue;
};

TEST_F(AlarmList, SavedChangedCompletedAndDeletedEntriesKeepTheListAndNextAlarmInStep) {
    const Schedule a = entry(5, "PAT", kDay, kNine + 6000);
    const Schedule b = entry(3, "PAT", kDay, kNine + 12000);
    UPDATESCHEDULEQUEUE(5, ScheduleChange::Added, a, queue);
    NextAlarm next = UPDATESCHEDULEQUEUE(3, ScheduleChange::Added, b, queue);
    EXPECT_EQ(ids(), (std::vector<std::int32_t>{3, 5}));  // kept in id order
    EXPECT_EQ(next.AlarmActive, 5);                       // but the earliest is next
    EXPECT_EQ(glo.nextAlarm().NextEventTime, kNine + 6000);

    // An entry without an alarm, or a completed one, is never queued.
    UPDATESCHEDULEQUEUE(7, ScheduleChange::Added, entry(7, "PAT", 0, 0), queue);
    UPDATESCHEDULEQUEUE(8, ScheduleChange::Added, entry(8, "PAT", kDay, kNine, 1), queue);
    EXPECT_EQ(queue.count(), 2u);

    // A fired entry that is changed is pending again with its new moment.
    queue.markDone(5);
    Schedule later = a;
    later.ALARMTIME = kNine + 60000;
    next = UPDATESCHEDULEQUEUE(5, ScheduleChange::Changed, later, queue);
    EXPECT_EQ(queue.find(5)->EVENTDONE, 0);
    EXPECT_EQ(next.AlarmActive, 3);

    // Completing takes it out; the other becomes next; with none left all is 0.
    Schedule done = entry(3, "PAT", 0, 0, 1);
    next = UPDATESCHEDULEQUEUE(3, ScheduleChange::Changed, done, queue);
    EXPECT_EQ(ids(), std::vector<std::int32_t>{5});
    EXPECT_EQ(next.AlarmActive, 5);
    next = UPDATESCHEDULEQUEUE(5, ScheduleChange::Deleted, later, queue);
    EXPECT_EQ(queue.count(), 0u);
    EXPECT_EQ(next.AlarmActive, 0);
    EXPECT_EQ(glo.nextAlarm().NextEventDay, 0);
    EXPECT_EQ(glo.nextAlarm().NextEventTime, 0);

    // A change of an entry the list does not hold yet adds it when it has an alarm.
    next = UPDATESCHEDULEQUEUE(9, ScheduleChange::Changed, entry(9, "PAT", kDay + 1, kNine), queue);
    EXPECT_EQ(next.AlarmActive, 9);
}

TEST_F(AlarmList, LoaderQueuesTheUsersOpenAlarmsAndPassesOverEntriesWithoutOne) {
    store(entry(1, "PAT", 0, 0));  // open, no alarm: comes first in the key
    store(entry(2, "PAT", kDay + 1, kNine));
    store(entry(3, "pat", kDay, kNine));      // the user's name in another case
    store(entry(4, "PAT", kDay, kNine, 1));   // completed
    store(entry(5, "SAM", kDay - 3, kNine));  // another user
    store(entry(6, "PAT", kDay, kNine));      // same moment as 3

    ASSERT_EQ(loadAlarmQueueNow(dir(), "PAT", queue), ErrorCode::None);
    EXPECT_EQ(ids(), (std::vector<std::int32_t>{2, 3, 6}));
    // The earliest, and of two at one moment the lower number, is next.
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 3);
    EXPECT_EQ(glo.nextAlarm().NextEventDay, kDay);

    ASSERT_EQ(loadAlarmQueueNow(dir(), "NOBODY", queue), ErrorCode::None);
    EXPECT_EQ(queue.count(), 0u);
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 0);
}

TEST_F(AlarmList, LoaderOnADataSetWithoutScheduleLoadsNothing) {
    queue.put(AlarmEntry{kDay, kNine, 4, 0});
    EXPECT_EQ(loadAlarmQueueNow(dir(), "PAT", queue), ErrorCode::None);
    EXPECT_EQ(queue.count(), 0u);
}

// A progress that asks to stop after `after` checks.
class StopAfter : public WorkerProgress {
public:
    explicit StopAfter(int after) : m_after(after) {}
    void report(long, long, const std::string&) override {}
    bool isCancelled() const override { return ++m_checks > m_after; }

private:
    int m_after;
    mutable int m_checks = 0;
};

TEST_F(AlarmList, CancelledLoadKeepsTheAlarmsReadSoFar) {
    for (int i = 1; i <= 35; ++i) store(entry(i, "PAT", kDay + i, kNine));
    AlarmLoadJob job("PAT", queue);
    StopAfter stop(1);  // one batch of ten is read, then the user cancels
    EXPECT_EQ(job.run(dir(), stop), WorkerOutcome::Cancelled);
    EXPECT_EQ(queue.count(), 20u);
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 1);

    StopAfter never(1000);
    EXPECT_EQ(job.run(dir(), never), WorkerOutcome::Finished);
    EXPECT_EQ(queue.count(), 35u);
}

TEST_F(AlarmList, ChangesMadeWhileLoadingAreNotUndoneByTheLoad) {
    for (int i = 1; i <= 30; ++i) store(entry(i, "PAT", kDay + i, kNine));
    AlarmLoader loader(*db, "PAT", queue);
    ASSERT_EQ(loader.start(), ErrorCode::None);
    ASSERT_TRUE(loader.step());  // entries 1 to 10 read
    // Meanwhile this station saves a new entry, completes one already read, and the
    // frame fires another from the list it still had.
    queue.put(AlarmEntry{kDay + 5, kNine, 5, 0});
    UPDATESCHEDULEQUEUE(31, ScheduleChange::Added, entry(31, "PAT", kDay, kNine + 6000), queue);
    UPDATESCHEDULEQUEUE(2, ScheduleChange::Changed, entry(2, "PAT", 0, 0, 1), queue);
    queue.markDone(5);
    while (loader.step()) {
    }
    loader.install();
    EXPECT_EQ(queue.count(), 30u);  // 1, 3 to 31
    EXPECT_FALSE(queue.find(2));
    ASSERT_TRUE(queue.find(31));
    EXPECT_EQ(queue.find(5)->EVENTDONE, 1);  // fired stays fired
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 31);
}

TEST_F(AlarmList, EntryCompletedAtAnotherStationLeavesTheListWhenItIsReadAgain) {
    store(entry(1, "PAT", kDay, kNine));
    store(entry(2, "PAT", kDay, kNine + 6000));
    ASSERT_EQ(loadAlarmQueueNow(dir(), "PAT", queue), ErrorCode::None);
    ASSERT_EQ(glo.nextAlarm().AlarmActive, 1);

    {  // the other station, on a connection of its own, completes entry 1
        Database other(dir());
        Handle<Schedule> h(other);
        ASSERT_EQ(h.open(), ErrorCode::None);
        h.rec.SCHID = 1;
        ASSERT_EQ(h.get(Schedule::bySchID), ErrorCode::None);
        h.rec.Completed = 1;
        h.rec.ALARMDATE = 0;
        h.rec.ALARMTIME = 0;
        h.rec.COMPLETEDDATE = kDay;
        h.rec.COMPLETEDTIME = kNine;
        ASSERT_EQ(h.put(), ErrorCode::None);
    }
    ASSERT_EQ(loadAlarmQueueNow(dir(), "PAT", queue), ErrorCode::None);
    EXPECT_EQ(ids(), std::vector<std::int32_t>{2});
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 2);
}

}  // namespace
}  // namespace quay::core
