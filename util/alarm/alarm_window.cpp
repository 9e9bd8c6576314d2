// The alarm window's logic.
#include "quay/util/alarm_window.h"

#include "quay/app/globals.h"
#include "quay/schedule/schedule_queue.h"
#include "quay/types/date.h"

namespace quay::util {

using core::ErrorCode;
using core::Schedule;
using core::ScheduleChange;

const std::vector<PostponeChoice>& AlarmWindow::postponeChoices() {
    static const std::vector<PostponeChoice> choices = {
        {"5 minutes", 30000, 0}, {"15 minutes", 90000, 0}, {"30 minutes", 180000, 0}, {"1 hour", 360000, 0},
        {"2 hours", 720000, 0},  {"4 hours", 1440000, 0},  {"8 hours", 2880000, 0},   {"1 day", 0, 1},
        {"2 days", 0, 2},        {"3 days", 0, 3},
    };
    return choices;
}

core::DateTime AlarmWindow::postponed(core::DateTime from, int choice) {
    const auto& choices = postponeChoices();
    if (choice < 0 || static_cast<std::size_t>(choice) >= choices.size()) choice = kDefaultChoice;
    const PostponeChoice& c = choices[static_cast<std::size_t>(choice)];
    if (c.days > 0) return core::DateTime{from.date + c.days, from.time};
    // Whole days are carried into the date, so 22:00 plus four hours is 02:00 of the
    // next day.
    const auto moved = core::addToDateTime(from.date, from.time, c.hundredths);
    return moved ? *moved : from;
}

AlarmWindow::AlarmWindow(core::Database& db, core::UiPort& ui) : m_db(db), m_ui(ui), m_schedule(db, ui) {}

bool AlarmWindow::open() {
    // First thing: another alarm may set the global for its own window.
    m_id = core::glo.CurrentAlarmID.exchange(0);
    if (m_id == 0 || !m_schedule.isOpen()) {
        m_closed = true;
        return false;
    }
    m_schedule.handle.clear();
    m_schedule.rec().SCHID = m_id;
    if (m_schedule.handle.get(Schedule::bySchID) != ErrorCode::None) {
        m_closed = true;
        return false;
    }
    const Schedule& r = m_schedule.rec();
    const core::DateTime nowMoment{core::today(), core::now()};
    const bool stillDue = core::hasLiveAlarm(r) && (r.ALARMDATE < nowMoment.date ||
                                                    (r.ALARMDATE == nowMoment.date && r.ALARMTIME <= nowMoment.time));
    if (!stillDue) {
        // Completed or moved at another station since this station's list was read:
        // the list follows the stored entry and nothing stale is shown.
        core::UPDATESCHEDULEQUEUE(m_id, ScheduleChange::Changed, r);
        m_closed = true;
        return false;
    }
    return true;
}

bool AlarmWindow::reread() {
    m_schedule.handle.clear();
    m_schedule.rec().SCHID = m_id;
    const ErrorCode ec = m_schedule.handle.get(Schedule::bySchID);
    if (ec == ErrorCode::None) return true;
    m_ui.message("ERROR", "Error " + std::to_string(static_cast<int>(ec)) + " saving event record", core::Icon::Error,
                 core::Button::Ok, core::Button::Ok);
    if (ec == ErrorCode::RecordNotFound) core::UPDATESCHEDULEQUEUE(m_id, ScheduleChange::Deleted, m_schedule.rec());
    m_closed = true;
    return false;
}

void AlarmWindow::save() {
    const ErrorCode ec = m_schedule.handle.put();
    if (ec != ErrorCode::None) {
        m_ui.message("ERROR", "Error " + std::to_string(static_cast<int>(ec)) + " saving event record",
                     core::Icon::Error, core::Button::Ok, core::Button::Ok);
    } else {
        core::UPDATESCHEDULEQUEUE(m_id, ScheduleChange::Changed, m_schedule.rec());
    }
    m_closed = true;
}

void AlarmWindow::openItem() {
    if (m_closed) return;
    core::glo.SchGroup.clear();
    core::glo.SchGroup.SCHEVENTID = m_id;
    core::glo.GlobalRequest = core::Request::Change;
    core::WindowRequest r;
    r.request = core::Request::Change;
    r.number = m_id;
    m_ui.runWindow("SCHEDULEFORM", r);
    m_closed = true;
}

void AlarmWindow::postpone(int choice) {
    if (m_closed || !reread()) return;
    const core::DateTime moment = postponed(core::DateTime{core::today(), core::now()}, choice);
    m_schedule.rec().ALARMDATE = moment.date;
    m_schedule.rec().ALARMTIME = moment.time;
    save();
}

void AlarmWindow::complete() {
    if (m_closed || !reread()) return;
    Schedule& r = m_schedule.rec();
    r.Completed = 1;
    r.COMPLETEDDATE = core::today();
    r.COMPLETEDTIME = core::now();
    r.ALARMDATE = 0;
    r.ALARMTIME = 0;
    save();
}

void AlarmWindow::ignore() { m_closed = true; }

}  // namespace quay::util
