// The selection windows of the third set of reports (the statements, the aging report,
// the product sales analysis and the payments received), as the program's menu opens them.
#pragma once

#include <vector>

#include "quay/export.h"
#include "quay/reports/select/report_windows.h"

namespace quay::reports {

QUAY_EXPORT const std::vector<ReportEntry>& reports3Entries();
QUAY_EXPORT void registerReports3Windows(core::WindowRegistry& registry);

}  // namespace quay::reports
