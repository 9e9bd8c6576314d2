// Running a report procedure: what every exported report (QUOTEPRINT, a selection
// window's report, ...) does once it has made its job. Two ways, one outcome:
//   runReport           on the caller's thread with the caller's UI port, output,
//                       settings and fonts (tests, the command line);
//   runReportOnDesktop  the desktop's way: the record walk on a worker thread with its
//                       own connection to the data set, the progress window with
//                       Cancel, the preview window, the system's printers, the
//                       program's settings file and the installed fonts.
// Both leave the run's response in glo.GlobalResponse (Completed when the user asked to
// print) and return the run's result (see report_runner.h).
#pragma once

#include <functional>
#include <memory>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/reports/run/report_context.h"
#include "quay/reports/run/report_job.h"
#include "quay/reports/run/report_runner.h"
#include "quay/store/database.h"

namespace quay::reports {

// Makes the report's job on the connection it is to read through.
using ReportJobFactory = std::function<std::unique_ptr<ReportJob>(core::Database& db)>;

// REQUIRES: called on the thread that owns db and ctx.ui; without ctx.measurer a
// QGuiApplication exists.
QUAY_EXPORT RunResult runReport(core::Database& db, const ReportJobFactory& makeJob, const ReportContext& ctx,
                                const RunOptions& options = {});

// REQUIRES: called on the GUI thread of a QApplication.
QUAY_EXPORT RunResult runReportOnDesktop(core::Database& db, const ReportJobFactory& makeJob, core::UiPort& ui,
                                         const RunOptions& options = {});

}  // namespace quay::reports
