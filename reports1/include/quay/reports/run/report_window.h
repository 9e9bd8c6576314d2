// A report as its menu entry opens it: the selection window's spec and the job the
// window's Print runs. The two are made together because some choices of a window (the
// sales tax report's "Tax 1" / "Tax 2") are read by nothing but its own report.
#pragma once

#include "quay/reports/run/report_procedure.h"
#include "quay/reports/select/report_selection.h"

namespace quay::reports {

struct ReportWindow {
    SelectionSpec spec;
    ReportJobFactory report;
};

}  // namespace quay::reports
