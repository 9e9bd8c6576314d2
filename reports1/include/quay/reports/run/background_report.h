// Running a long report without holding up the frame: the record walk runs on a worker
// thread with its own connection to the data set, while the progress window ("Generating
// Report", the percentage, Cancel) stays on the GUI thread. Every message the run or the
// report asks, the preview and the printing are carried over to the GUI thread and
// answered there, so the report logic is the same as in a run on one thread.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "quay/app/settings.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/reports/engine/report_output.h"
#include "quay/reports/run/report_job.h"
#include "quay/reports/run/report_procedure.h"
#include "quay/reports/run/report_runner.h"
#include "quay/store/database.h"

namespace quay::reports {

// Runs the report made by makeJob (on the worker's own connection) over the data set in `directory` and returns when the
// run is over (after the preview). ui, output and settings are used on the calling
// thread only. A data set that cannot be opened is reported ("Report Error") and ends the
// run as Failed.
// REQUIRES: called on the GUI thread of a QApplication.
QUAY_EXPORT RunResult runReportInBackground(const std::string& directory, const ReportJobFactory& makeJob,
                                            core::UiPort& ui, ReportOutput& output, const core::Settings& settings,
                                            const RunOptions& options = {});

}  // namespace quay::reports
