// Registration of the utilities' windows: the two mass updates, delete all data, and
// the archive windows.
#pragma once

#include "quay/export.h"
#include "quay/views/window_registry.h"

namespace quay::util {

QUAY_EXPORT void registerMaintenanceWindows(core::WindowRegistry& registry);

}  // namespace quay::util
