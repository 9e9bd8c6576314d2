// The schedule form on a real data set with the clock held at 09:00 on 9 December
// 2026: a new entry numbered and stamped for the user, an alarm a minute ahead
// queued, alarms in the past refused, "Completed" closing the entry and its alarm,
// the customer look-up, the delete question, a missing number, an entry deleted at
// another station, and an add that keeps failing given up after four attempts with
// nothing stored.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "masterlists_test_support.h"
#include "quay/app/alarm_queue.h"
#include "quay/schedule/schedule_browse.h"
#include "quay/schedule/schedule_form.h"
#include "quay/types/clock.h"

namespace quay::core {
namespace {

using testing::MasterDataTest;
using testing::req;

const std::int32_t kDay = *dateFromCivil(2026, 12, 9);
constexpr std::int32_t kNine = 9 * kHundredthsPerHour;
constexpr std::int32_t kMinute = kHundredthsPerMinute;

class ScheduleWindows : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        glo.UserID = "PAT";
        AlarmQueue::instance().clear();
        m_sch = std::make_unique<Handle<Schedule>>(*db);
        open(sch());
    }
    void TearDown() override {
        m_sch.reset();
        AlarmQueue::instance().clear();
        MasterDataTest::TearDown();
    }
    Handle<Schedule>& sch() { return *m_sch; }

    // Runs SCHEDULEFORM as its factory does; `fill` plays the user on the open form.
    template <class F>
    WindowResponse run(WindowRequest r, F fill) {
        if (auto answered = ScheduleForm::answerWithoutWindow(ui, sch(), r)) return *answered;
        ScheduleForm form(*db, ui, sch(), r);
        if (!form.open()) return form.response();
        fill(form);
        if (!form.isClosed()) form.cancel();
        return form.response();
    }
    WindowResponse insert(std::int32_t alarmDate, std::int32_t alarmTime, const char* action = "Call back") {
        return run(req(Request::Insert), [&](ScheduleForm& f) {
            f.rec().ACTION = action;
            f.rec().ALARMDATE = alarmDate;
            f.rec().ALARMTIME = alarmTime;
            f.ok();
        });
    }
    WindowRequest byId(Request r, std::int32_t id) {
        WindowRequest w = req(r);
        w.number = id;
        return w;
    }
    void sql(const std::string& text) {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open((dir() + "/billquay.sqlite3").c_str(), &raw), SQLITE_OK);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(raw, text.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
        sqlite3_close(raw);
    }

    ScopedClockOverride clock{DateTime{kDay, kNine}};

private:
    std::unique_ptr<Handle<Schedule>> m_sch;
};

TEST_F(ScheduleWindows, NewEntryIsNumberedStampedForTheUserAndItsAlarmQueued) {
    Schedule earlier{};
    earlier.SCHID = 41;
    earlier.UserID = "SAM";
    store(earlier);

    EXPECT_EQ(insert(kDay, kNine + kMinute).response, Response::Completed);
    const auto stored = all<Schedule>();
    ASSERT_EQ(stored.size(), 2u);
    const Schedule& e = stored[1];
    EXPECT_EQ(e.SCHID, 42);
    EXPECT_EQ(e.UserID, "PAT");
    EXPECT_EQ(e.ENTEREDDATE, kDay);
    EXPECT_EQ(e.ENTEREDTIME, kNine);
    EXPECT_EQ(e.ACTION, "Call back");
    EXPECT_EQ(sch().rec.SCHID, 42);  // current in the caller's handle for the list

    const NextAlarm next = glo.nextAlarm();
    EXPECT_EQ(next.AlarmActive, 42);
    EXPECT_EQ(next.NextEventDay, kDay);
    EXPECT_EQ(next.NextEventTime, kNine + kMinute);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ScheduleWindows, AlarmInThePastIsRefusedAndANoAlarmEntryIsAccepted) {
    // Each row: alarm date, alarm time, refused?
    struct Case {
        std::int32_t date, time;
        bool refused;
    };
    for (const Case& c : {Case{kDay - 1, kNine + kMinute, true}, Case{kDay, kNine - kMinute, true},
                          Case{kDay, kNine, false}, Case{0, 0, false}}) {
        SCOPED_TRACE(std::to_string(c.date) + " " + std::to_string(c.time));
        ui.clearRecord();
        const std::size_t before = all<Schedule>().size();
        bool stayedOpen = false;
        run(req(Request::Insert), [&](ScheduleForm& f) {
            f.rec().ALARMDATE = c.date;
            f.rec().ALARMTIME = c.time;
            if (c.refused) ui.answer(Button::Ok);
            stayedOpen = !f.ok();
            if (stayedOpen) {
                EXPECT_EQ(f.takeFocusRequest(), ScheduleForm::field("ALARMDATE"));
                f.rec().ALARMDATE = 0;  // the user gives up the alarm
                EXPECT_TRUE(f.ok());
            }
        });
        EXPECT_EQ(stayedOpen, c.refused);
        if (c.refused) {
            ASSERT_EQ(ui.messages().size(), 1u);
            EXPECT_EQ(ui.messages()[0].caption, "Invalid Alarm Date / Time");
            EXPECT_EQ(ui.messages()[0].text, "Alarm can not be in the past");
            ASSERT_EQ(ui.beeps().size(), 1u);
        }
        EXPECT_EQ(all<Schedule>().size(), before + 1);
    }
    // Only the entry due now has an alarm queued; the others have none.
    EXPECT_EQ(AlarmQueue::instance().count(), 1u);
}

TEST_F(ScheduleWindows, CompletedEntryGetsItsCompletionMomentAndLosesItsAlarm) {
    ASSERT_EQ(insert(kDay + 1, kNine).response, Response::Completed);
    const std::int32_t id = all<Schedule>()[0].SCHID;
    ASSERT_EQ(glo.nextAlarm().AlarmActive, id);

    const WindowResponse r = run(byId(Request::Change, id), [](ScheduleForm& f) {
        f.rec().Completed = 1;
        f.ok();
    });
    EXPECT_EQ(r.response, Response::Completed);
    const Schedule e = all<Schedule>()[0];
    EXPECT_EQ(e.Completed, 1);
    EXPECT_EQ(e.COMPLETEDDATE, kDay);
    EXPECT_EQ(e.COMPLETEDTIME, kNine);
    EXPECT_EQ(e.ALARMDATE, 0);
    EXPECT_EQ(e.ALARMTIME, 0);
    EXPECT_EQ(AlarmQueue::instance().count(), 0u);
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 0);

    // Opened again: clearing "Completed" clears the completion moment.
    run(byId(Request::Change, id), [](ScheduleForm& f) {
        f.rec().Completed = 0;
        f.ok();
    });
    EXPECT_EQ(all<Schedule>()[0].COMPLETEDDATE, 0);
    EXPECT_EQ(all<Schedule>()[0].COMPLETEDTIME, 0);
}

TEST_F(ScheduleWindows, CustomerTypedIsCheckedAndAPickFromTheListIsStored) {
    Customer c{};
    c.Name = "Harbour Chandlery";
    c.Active = 1;
    c.PRICECLASS = "1";
    store(c);
    ui.onWindow("CustomerBrowse", [](const WindowRequest& r) {
        static_cast<Customer*>(r.table->buffer())->Name = "Harbour Chandlery";
        return WindowResponse{Response::Completed, 0, {}};
    });
    run(req(Request::Insert), [](ScheduleForm& f) {
        const int field = ScheduleForm::field("Customer");
        f.rec().Customer = "harbour chandlery";
        EXPECT_TRUE(f.accept(field));
        EXPECT_EQ(f.rec().Customer, "Harbour Chandlery");  // the record's own spelling
        f.rec().Customer = "Harb";
        EXPECT_TRUE(f.accept(field));  // not found: picked from the list
        EXPECT_EQ(f.rec().Customer, "Harbour Chandlery");
        f.ok();
    });
    EXPECT_EQ(all<Schedule>()[0].Customer, "Harbour Chandlery");
}

TEST_F(ScheduleWindows, DeleteAsksFirstAndTakesTheAlarmAlong) {
    ASSERT_EQ(insert(kDay + 1, kNine).response, Response::Completed);
    const std::int32_t id = all<Schedule>()[0].SCHID;

    ui.answer(Button::No);
    EXPECT_EQ(run(byId(Request::Delete, id), [](ScheduleForm&) { ADD_FAILURE() << "no window for a delete"; }).response,
              Response::Cancelled);
    EXPECT_EQ(all<Schedule>().size(), 1u);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Delete Event");
    EXPECT_EQ(ui.messages()[0].text, "Are you sure you want to delete the highlighted event?");
    EXPECT_EQ(ui.messages()[0].defaultButton, Button::No);

    ui.answer(Button::Yes);
    EXPECT_EQ(run(byId(Request::Delete, id), [](ScheduleForm&) {}).response, Response::Completed);
    EXPECT_TRUE(all<Schedule>().empty());
    EXPECT_EQ(AlarmQueue::instance().count(), 0u);
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 0);
}

TEST_F(ScheduleWindows, MissingNumberOrVanishedEntryEndsTheFormWithItsMessage) {
    ui.answer(Button::Ok);
    EXPECT_EQ(run(byId(Request::Change, 0), [](ScheduleForm&) {}).response, Response::Cancelled);
    EXPECT_EQ(ui.messages().back().caption, "ERROR");
    EXPECT_EQ(ui.messages().back().text, "Invalid event passed");

    // Entry 7 was deleted at another station after this one's list was read.
    ui.answer(Button::Ok);
    EXPECT_EQ(run(byId(Request::Change, 7), [](ScheduleForm&) { ADD_FAILURE(); }).response, Response::Cancelled);
    EXPECT_EQ(ui.messages().back().text, "Error 35 getting schedule record.");
}

TEST_F(ScheduleWindows, AddThatKeepsFailingIsGivenUpAfterFourAttempts) {
    sql("CREATE TRIGGER refuse BEFORE INSERT ON schedule BEGIN SELECT RAISE(ABORT, 'disk full'); END;");
    ui.answer(Button::Ok);
    EXPECT_EQ(insert(kDay + 1, kNine).response, Response::Cancelled);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Error Adding Event");
    EXPECT_EQ(ui.messages()[0].text.rfind("A new Schedule Record could not be added due to Error ", 0), 0u);
    sql("DROP TRIGGER refuse;");
    EXPECT_TRUE(all<Schedule>().empty());
    EXPECT_EQ(AlarmQueue::instance().count(), 0u);
}

TEST_F(ScheduleWindows, ListShowsOnlyTheUsersEntriesWithBlankMomentsAndTheirDetails) {
    const ListSpec s = scheduleBrowseSpec("PAT");
    EXPECT_EQ(s.title, "Schedule List");
    ASSERT_EQ(s.tabs.size(), 1u);
    EXPECT_EQ(s.tabs[0].caption, "By &Date / Time");
    Schedule& e = sch().rec;
    e.SCHID = 12;
    e.UserID = "pat";
    e.ACTION = "Send catalogue";
    e.ALARMDATE = kDay;
    e.ALARMTIME = kNine;
    e.Customer = "Harbour Chandlery";
    EXPECT_TRUE(s.filter(sch()));
    const auto cells = s.format(sch());
    EXPECT_EQ(cells, (std::vector<std::string>{"12", "Send catalogue", "12/09/2026", "9:00 AM", "", "",
                                               "Harbour Chandlery", "", ""}));
    e.UserID = "SAM";
    EXPECT_FALSE(s.filter(sch()));
}

}  // namespace
}  // namespace quay::core
