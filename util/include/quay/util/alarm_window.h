// AlarmWindow ("Alarm"): the reminder of one schedule entry whose alarm fell due.
// It takes the entry's number from GLO:CurrentAlarmID (and clears it at once, so
// the next alarm may use it), reads the entry afresh and shows it. The user then
//   "&Open Item"  the schedule form on the entry (GLO:SchGroup names it);
//   "&Postpone"   by one of ten choices (minutes and hours carry across midnight,
//                 days keep the time of day): the alarm is pending again;
//   "&Complete"   closes the entry now and drops its alarm;
//   "Ignore"      leaves the alarm shown; it does not come back unless the entry
//                 is changed.
// Each choice ends the window. Several alarm windows may be open at once.
//
// An entry that is gone when the window opens (deleted at another station) ends
// the window without a word; one completed or moved to a later alarm at another
// station meanwhile is put right in the alarm list and not shown either.
//
// Not thread-safe: the window lives on the GUI thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/tables/schedule.h"
#include "quay/types/clock.h"

namespace quay::util {

struct PostponeChoice {
    const char* caption;      // "15 minutes"
    std::int64_t hundredths;  // added to now; 0 for a days choice
    int days;                 // days added to today, keeping the time; 0 for a time choice
};

class QUAY_EXPORT AlarmWindow {
public:
    // The ten choices in the order the drop list shows them.
    static const std::vector<PostponeChoice>& postponeChoices();
    static constexpr int kDefaultChoice = 1;  // "15 minutes"

    // The alarm moment a choice gives from `from` (today and now).
    static core::DateTime postponed(core::DateTime from, int choice);

    AlarmWindow(core::Database& db, core::UiPort& ui);

    // Takes GLO:CurrentAlarmID and reads the entry. False: there is nothing to show
    // (the window ends without a message).
    bool open();

    std::int32_t id() const { return m_id; }
    const core::Schedule& entry() const { return m_schedule.handle.rec; }

    void openItem();
    void postpone(int choice);
    void complete();
    void ignore();

    bool isClosed() const { return m_closed; }

private:
    // Reads the entry afresh before it is written; false (and the window closes)
    // when it cannot be read.
    bool reread();
    void save();

    core::Database& m_db;
    core::UiPort& m_ui;
    core::HeldTable<core::Schedule> m_schedule;
    std::int32_t m_id = 0;
    bool m_closed = false;
};

}  // namespace quay::util
