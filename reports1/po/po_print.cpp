// The exported purchase-order print.
#include "quay/reports/po/po_print.h"

#include "po_print_job.h"
#include "quay/reports/run/report_procedure.h"

namespace quay::reports {
namespace {

ReportJobFactory poJob(std::int32_t poNum) {
    return [poNum](core::Database& db) { return std::make_unique<detail::PoPrintJob>(db, poNum); };
}

RunOptions withPreviewQuestion() {
    RunOptions o;
    o.askPreview = true;
    return o;
}

}  // namespace

RunResult PRINTPO(core::Database& db, std::int32_t poNum, const ReportContext& ctx) {
    return runReport(db, poJob(poNum), ctx, withPreviewQuestion());
}

RunResult PRINTPO(core::Database& db, std::int32_t poNum, core::UiPort& ui) {
    return runReportOnDesktop(db, poJob(poNum), ui, withPreviewQuestion());
}

}  // namespace quay::reports
