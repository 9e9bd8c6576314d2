// The verification window registered by procedure name: "VERIFYARFILES" (the menu's
// name) and "VerifyARFiles", a modal window "Analyze AR files".
#pragma once

#include "quay/export.h"
#include "quay/views/window_registry.h"

namespace quay::util {

QUAY_EXPORT void registerVerifyWindows(core::WindowRegistry& registry);

}  // namespace quay::util
