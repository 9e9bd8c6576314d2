// The two in-house prints of one order, both straight to the preview without a selection
// window, and both read-only:
//   QUOTEPRINTDETAIL  "Order Detail Ticket (Build Ticket)": each line's cost, the vendors
//                     that supply its product, the estimated cost, the price the order
//                     sells for and the profit;
//   QUOTEPACKINGLIST  "Packing List": each line with a box to tick when it is packed.
// The heading of both names the customer, the salesperson, the order date and the quote
// or invoice number; an order without lines has "Nothing to Preview.".
#pragma once

#include <cstdint>

#include "quay/export.h"
#include "quay/reports/run/report_context.h"
#include "quay/reports/run/report_runner.h"
#include "quay/store/database.h"

namespace quay::reports {

// Each prints order ordNum of the data set and leaves the run's response in
// glo.GlobalResponse. An unknown order number shows "Invalid Global Order Number"
// (caption "ERROR") and previews nothing.
// REQUIRES: called on the thread that owns db and ctx.ui.
QUAY_EXPORT RunResult QUOTEPRINTDETAIL(core::Database& db, std::int32_t ordNum, const ReportContext& ctx);
QUAY_EXPORT RunResult QUOTEPACKINGLIST(core::Database& db, std::int32_t ordNum, const ReportContext& ctx);

// The same on the desktop: the preview window, the system's printers, the program's
// settings file and the installed fonts. REQUIRES: a QApplication exists.
QUAY_EXPORT RunResult QUOTEPRINTDETAIL(core::Database& db, std::int32_t ordNum, core::UiPort& ui);
QUAY_EXPORT RunResult QUOTEPACKINGLIST(core::Database& db, std::int32_t ordNum, core::UiPort& ui);

}  // namespace quay::reports
