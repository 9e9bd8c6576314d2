// The exported quote and invoice print.
#include "quay/reports/quote/quote_print.h"

#include "quay/reports/run/program_directory.h"
#include "quay/reports/run/report_procedure.h"
#include "quote_print_job.h"

namespace quay::reports {
namespace {

ReportJobFactory quote(std::int32_t ordNum, std::filesystem::path logos) {
    return [ordNum, logos = std::move(logos)](core::Database& db) {
        return std::make_unique<detail::QuotePrintJob>(db, ordNum, logos);
    };
}

}  // namespace

RunResult QUOTEPRINT(core::Database& db, std::int32_t ordNum, const ReportContext& ctx) {
    return runReport(db, quote(ordNum, ctx.logoDirectory.empty() ? programDirectory() : ctx.logoDirectory), ctx);
}

RunResult QUOTEPRINT(core::Database& db, std::int32_t ordNum, core::UiPort& ui) {
    return runReportOnDesktop(db, quote(ordNum, programDirectory()), ui);
}

}  // namespace quay::reports
