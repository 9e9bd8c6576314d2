// The exported order detail ticket and packing list.
#include "quay/reports/tickets/order_tickets.h"

#include "order_ticket_job.h"
#include "quay/app/globals.h"
#include "quay/reports/run/background_report.h"

namespace quay::reports {
namespace {

RunResult runTicket(core::Database& db, std::int32_t ordNum, const ReportContext& ctx, detail::TicketKind kind) {
  detail::OrderTicketJob job(db, ordNum, kind);
  ReportRunner runner(ctx.ui, ctx.output, ctx.settings, ctx.progress, ctx.measurer);
  RunResult result = runner.run(job);
  core::glo.GlobalResponse = result.response;
  return result;
}

RunResult runOnDesktop(core::Database& db, std::int32_t ordNum, core::UiPort& ui, detail::TicketKind kind) {
  DesktopReportOutput output;
  core::Settings settings;
  RunResult result = runReportInBackground(
      db.directory(),
      [ordNum, kind](core::Database& workerDb) {
        return std::make_unique<detail::OrderTicketJob>(workerDb, ordNum, kind);
      },
      ui, output, settings);
  core::glo.GlobalResponse = result.response;
  return result;
}

}  // namespace

RunResult QUOTEPRINTDETAIL(core::Database& db, std::int32_t ordNum, const ReportContext& ctx) {
  return runTicket(db, ordNum, ctx, detail::TicketKind::DetailTicket);
}

RunResult QUOTEPACKINGLIST(core::Database& db, std::int32_t ordNum, const ReportContext& ctx) {
  return runTicket(db, ordNum, ctx, detail::TicketKind::PackingList);
}

RunResult QUOTEPRINTDETAIL(core::Database& db, std::int32_t ordNum, core::UiPort& ui) {
  return runOnDesktop(db, ordNum, ui, detail::TicketKind::DetailTicket);
}

RunResult QUOTEPACKINGLIST(core::Database& db, std::int32_t ordNum, core::UiPort& ui) {
  return runOnDesktop(db, ordNum, ui, detail::TicketKind::PackingList);
}

}  // namespace quay::reports
