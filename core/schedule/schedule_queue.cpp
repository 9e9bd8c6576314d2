// Queue upkeep after a saved schedule entry.
#include "quay/schedule/schedule_queue.h"

namespace quay::core {

bool hasLiveAlarm(const Schedule& record) { return record.ALARMDATE != 0 && record.Completed == 0; }

NextAlarm UPDATESCHEDULEQUEUE(std::int32_t id, ScheduleChange change, const Schedule& record, AlarmQueue& queue) {
    switch (change) {
    case ScheduleChange::Added:
        if (hasLiveAlarm(record)) queue.put(AlarmEntry{record.ALARMDATE, record.ALARMTIME, id, 0});
        break;
    case ScheduleChange::Changed:
        // Whether it was queued or not, a live alarm is (re)queued pending with
        // its new moment, and anything else leaves the list.
        if (hasLiveAlarm(record))
            queue.put(AlarmEntry{record.ALARMDATE, record.ALARMTIME, id, 0});
        else
            queue.remove(id);
        break;
    case ScheduleChange::Deleted: queue.remove(id); break;
    }
    return queue.chooseNext();
}

}  // namespace quay::core
