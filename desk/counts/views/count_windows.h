// Registration of the physical-count windows: BrowseProdCounts and ProdCountsForm.
#pragma once

#include "quay/views/window_registry.h"

namespace quay::desk {

void registerCountWindows(core::WindowRegistry& registry);

}  // namespace quay::desk
