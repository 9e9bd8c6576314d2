// QUOTEPRINT: one order printed as the customer's document, a quote or an invoice with
// the payments applied to it and the balance still due. It always goes to the preview;
// there is no selection window and no preview question. Nothing is written.
//
// Outcomes beyond the report run's own (see report_runner.h):
//   - no order with that number: "Invalid Global Order Number" (caption "ERROR");
//   - the order's customer missing: "Referential Integrity error finding ShipTo
//     Information" (caption "Error");
//   - a read error in the order's lines: the record store's standard message.
// Each of these ends the report with RunOutcome::Failed and nothing previewed.
#pragma once

#include <cstdint>

#include "quay/export.h"
#include "quay/reports/run/report_context.h"
#include "quay/reports/run/report_runner.h"
#include "quay/store/database.h"

namespace quay::reports {

// Prints order ordNum of the data set. Also leaves the run's response in
// glo.GlobalResponse (Completed when the user asked to print from the preview).
// REQUIRES: called on the thread that owns db and ctx.ui.
QUAY_EXPORT RunResult QUOTEPRINT(core::Database& db, std::int32_t ordNum, const ReportContext& ctx);

// The same on the desktop: the preview window, the system's printers, the program's
// settings file and the installed fonts. REQUIRES: a QApplication exists.
QUAY_EXPORT RunResult QUOTEPRINT(core::Database& db, std::int32_t ordNum, core::UiPort& ui);

}  // namespace quay::reports
