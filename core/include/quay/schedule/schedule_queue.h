// UPDATESCHEDULEQUEUE: keeps the user's alarm list (SCHQ) in step with a schedule
// entry that was just added, changed or deleted, then chooses the next alarm.
//
//   added:   an open entry with an alarm date is queued, pending.
//   changed: a queued entry is dropped when it has no alarm date any more or is
//            completed, else it takes the new date and time and is pending again;
//            an entry not queued yet is queued as for "added".
//   deleted: the entry's alarm goes.
//
// Thread-safe through the list's own lock; callable from any window's thread.
#pragma once

#include <cstdint>

#include "quay/app/alarm_queue.h"
#include "quay/export.h"
#include "quay/tables/schedule.h"

namespace quay::core {

// The kind of change UPDATESCHEDULEQUEUE is told about.
enum class ScheduleChange : std::int32_t { Added = 1, Changed = 2, Deleted = 3 };

// `record` is the entry as saved (unused for Deleted). Returns the next alarm chosen.
QUAY_EXPORT NextAlarm UPDATESCHEDULEQUEUE(std::int32_t id, ScheduleChange change, const Schedule& record,
                                          AlarmQueue& queue = AlarmQueue::instance());

// True when `record` is open and has an alarm date, so that it belongs in the list.
QUAY_EXPORT bool hasLiveAlarm(const Schedule& record);

}  // namespace quay::core
