// The schedule list "Schedule List" (SCHEDULEBROWSE): the entries of GLO:UserID in
// alarm order (tab "By &Date / Time", SCH:ByUsrAlarmDtTm), with their number,
// action, alarm moment and completion moment (blank where there is none); the
// customer, vendor and product of the highlighted entry are shown above the list.
// Insert, change and delete run SCHEDULEFORM with the highlighted entry's number.
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/ui/list_window.h"

namespace quay::core {

// The list for `userId` (GLO:UserID when the list opens), compared without case.
QUAY_EXPORT ListSpec scheduleBrowseSpec(const std::string& userId);

}  // namespace quay::core
