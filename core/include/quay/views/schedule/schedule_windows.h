// The schedule's windows registered by procedure name: the schedule list
// (SCHEDULEBROWSE, "ScheduleBrowse"), the schedule form (SCHEDULEFORM,
// "ScheduleForm") and the alarm-list loader (LOADALARMQUEUE, "LoadAlarmQueue"),
// which shows "Loading Schedule Information" while it reads on a worker thread and
// returns at once.
#pragma once

#include "quay/export.h"
#include "quay/views/window_registry.h"

namespace quay::core {

QUAY_EXPORT void registerScheduleWindows(WindowRegistry& registry);

}  // namespace quay::core
