// The account windows registered by procedure name: "ARBrowse" (the receivables
// list, a child window of the frame), "BrwsCustAccount", "EditPayments" and
// "EditCharges" (modal on their caller).
#pragma once

#include "quay/views/window_registry.h"

namespace quay::desk {

void registerAccountWindows(core::WindowRegistry& registry);

}  // namespace quay::desk
