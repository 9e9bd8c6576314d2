// The exported order detail ticket and packing list.
#include "quay/reports/tickets/order_tickets.h"

#include "order_ticket_job.h"
#include "quay/reports/run/report_procedure.h"

namespace quay::reports {
namespace {

ReportJobFactory ticket(std::int32_t ordNum, detail::TicketKind kind) {
    return [ordNum, kind](core::Database& db) { return std::make_unique<detail::OrderTicketJob>(db, ordNum, kind); };
}

}  // namespace

RunResult QUOTEPRINTDETAIL(core::Database& db, std::int32_t ordNum, const ReportContext& ctx) {
    return runReport(db, ticket(ordNum, detail::TicketKind::DetailTicket), ctx);
}

RunResult QUOTEPACKINGLIST(core::Database& db, std::int32_t ordNum, const ReportContext& ctx) {
    return runReport(db, ticket(ordNum, detail::TicketKind::PackingList), ctx);
}

RunResult QUOTEPRINTDETAIL(core::Database& db, std::int32_t ordNum, core::UiPort& ui) {
    return runReportOnDesktop(db, ticket(ordNum, detail::TicketKind::DetailTicket), ui);
}

RunResult QUOTEPACKINGLIST(core::Database& db, std::int32_t ordNum, core::UiPort& ui) {
    return runReportOnDesktop(db, ticket(ordNum, detail::TicketKind::PackingList), ui);
}

}  // namespace quay::reports
