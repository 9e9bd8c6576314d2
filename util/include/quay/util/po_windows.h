// Registration of the purchasing windows: NewPOForm, POForm, UpdatePOItems,
// POItemLookup with its VendorProductForm, BrowseNewPOs, BrowsePOs and ReceivePOItems.
// The documented entry points NEWPOFORM, BROWSENEWPOS and BROWSEPOS are these
// windows' names in upper case.
#pragma once

#include "quay/export.h"
#include "quay/views/window_registry.h"

namespace quay::util {

QUAY_EXPORT void registerPoWindows(core::WindowRegistry& registry);

}  // namespace quay::util
