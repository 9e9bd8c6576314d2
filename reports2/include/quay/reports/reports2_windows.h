// The selection windows of the second set of reports (the quote reports and the product
// lists), as the program's menu opens them.
#pragma once

#include "quay/export.h"

namespace quay::core {
class WindowRegistry;
}

namespace quay::reports {

QUAY_EXPORT void registerReports2Windows(core::WindowRegistry& registry);

}  // namespace quay::reports
