// The windows of quayutil registered by procedure name: the alarm window
// (ALARMWINDOW, "AlarmWindow") and the tip of the day (DISPLAYTIPOFDAY,
// "DisplayTipOfDay"). Both open beside the frame and return at once.
#pragma once

#include "quay/export.h"
#include "quay/views/window_registry.h"

namespace quay::util {

QUAY_EXPORT void registerUtilWindows(core::WindowRegistry& registry);

}  // namespace quay::util
