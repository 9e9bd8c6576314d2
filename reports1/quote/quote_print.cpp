// The exported quote and invoice print.
#include "quay/reports/quote/quote_print.h"

#include "quay/app/globals.h"
#include "quay/reports/run/background_report.h"
#include "quay/reports/run/program_directory.h"
#include "quote_print_job.h"

namespace quay::reports {

RunResult QUOTEPRINT(core::Database& db, std::int32_t ordNum, const ReportContext& ctx) {
  detail::QuotePrintJob job(db, ordNum, ctx.logoDirectory.empty() ? programDirectory() : ctx.logoDirectory);
  ReportRunner runner(ctx.ui, ctx.output, ctx.settings, ctx.progress, ctx.measurer);
  RunResult result = runner.run(job);
  core::glo.GlobalResponse = result.response;
  return result;
}

RunResult QUOTEPRINT(core::Database& db, std::int32_t ordNum, core::UiPort& ui) {
  DesktopReportOutput output;
  core::Settings settings;
  const std::filesystem::path logos = programDirectory();
  RunResult result = runReportInBackground(
      db.directory(),
      [ordNum, logos](core::Database& workerDb) {
        return std::make_unique<detail::QuotePrintJob>(workerDb, ordNum, logos);
      },
      ui, output, settings);
  core::glo.GlobalResponse = result.response;
  return result;
}

}  // namespace quay::reports
