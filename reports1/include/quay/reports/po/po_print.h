// The "Purchase Order" print: one PO as the vendor receives it, with the company
// heading, the vendor and ship-to blocks, one line per PO line, the totals, the PO's
// comments and the company's standing PO comment. It asks "Do you wish to PREVIEW
// this Report?" first (No prints at once). Nothing is written.
//
// Outcomes beyond the report run's own (see report_runner.h):
//   - no PO with that number: "Record Retrieval Error" for "PO";
//   - the PO's vendor missing: "Referential Integrity error finding Vendor
//     Information" (caption "Error").
// Each ends the report with RunOutcome::Failed and nothing printed.
#pragma once

#include <cstdint>

#include "quay/export.h"
#include "quay/reports/run/report_context.h"
#include "quay/reports/run/report_runner.h"
#include "quay/store/database.h"

namespace quay::core {
class WindowRegistry;
}

namespace quay::reports {

// Prints PO poNum of the data set. REQUIRES: called on the thread that owns db and ctx.ui.
QUAY_EXPORT RunResult PRINTPO(core::Database& db, std::int32_t poNum, const ReportContext& ctx);

// The same on the desktop. REQUIRES: a QApplication exists.
QUAY_EXPORT RunResult PRINTPO(core::Database& db, std::int32_t poNum, core::UiPort& ui);

// Registers the print as the window "PrintPO" (the PO number in the request's number),
// which the PO forms and lists of the utilities run by name.
QUAY_EXPORT void registerPoPrintWindow(core::WindowRegistry& registry);

}  // namespace quay::reports
