// The two ways of running a report procedure.
#include "quay/reports/run/report_procedure.h"

#include "quay/app/globals.h"
#include "quay/reports/output/desktop_output.h"
#include "quay/reports/output/font_measurer.h"
#include "quay/reports/run/background_report.h"

namespace quay::reports {

RunResult runReport(core::Database& db, const ReportJobFactory& makeJob, const ReportContext& ctx,
                    const RunOptions& options) {
    std::unique_ptr<ReportJob> job = makeJob(db);
    std::unique_ptr<QtTextMeasurer> fonts;
    const TextMeasurer* measurer = ctx.measurer;
    if (!measurer) {
        fonts = std::make_unique<QtTextMeasurer>();
        measurer = fonts.get();
    }
    ReportRunner runner(ctx.ui, ctx.output, ctx.settings, *measurer, ctx.progress);
    RunResult result = runner.run(*job, options);
    core::glo.GlobalResponse = result.response;
    return result;
}

RunResult runReportOnDesktop(core::Database& db, const ReportJobFactory& makeJob, core::UiPort& ui,
                             const RunOptions& options) {
    DesktopReportOutput output;
    core::Settings settings;
    RunResult result = runReportInBackground(db.directory(), makeJob, ui, output, settings, options);
    core::glo.GlobalResponse = result.response;
    return result;
}

}  // namespace quay::reports
