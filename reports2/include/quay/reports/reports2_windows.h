// The selection windows of the second set of reports (the quote reports and the product
// lists), as the program's menu opens them.
#pragma once

#include <vector>

#include "quay/export.h"
#include "quay/reports/select/report_windows.h"

namespace quay::reports {

QUAY_EXPORT const std::vector<ReportEntry>& reports2Entries();
QUAY_EXPORT void registerReports2Windows(core::WindowRegistry& registry);

}  // namespace quay::reports
