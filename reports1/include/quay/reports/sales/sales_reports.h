// The sales reports and the sales tax report, over the orders of a date range:
//   "Sales by Date", "Sales by Customer", "Sales by SalesPerson" list each invoice's sub
//   total (less the order discount and plus the surcharge when the window says so), its
//   cost from the lines, the profit and the margin (profit x 100 / cost; 0.00% for an
//   order without cost), with group totals whose margin is worked out from the summed
//   profit and cost, and "Grand Totals:". The quote reports are the same reports over
//   the open quotes ("Quotes by Date", ...).
//   "Sales Tax Report" divides each invoice into taxable, non-taxable and exempt parts
//   of tax 1 or tax 2, with the tax and its rate, and a "Totals" line.
// Nothing is written. The keys read: by date and the tax report walk the range of
// ORD:byStatOrdDate (resp. ORD:byOrdDate) from the begin date; by customer walks
// ORD:byCustNameOrdDate; by salesperson walks the range by date and orders the lines by
// salesperson before printing, as no key holds the salesperson.
#pragma once

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/reports/run/report_context.h"
#include "quay/reports/run/report_runner.h"
#include "quay/reports/run/report_window.h"
#include "quay/store/database.h"

namespace quay::reports {

enum class SalesGrouping { ByDate, ByCustomer, BySalesperson };
enum class SalesDocuments { Invoices, Quotes };

// The selection window and report of one sales or quote report.
QUAY_EXPORT ReportWindow salesReportWindow(SalesDocuments documents, SalesGrouping grouping);
// The "Sales Tax Collected Reports" window and its "Sales Tax Report".
QUAY_EXPORT ReportWindow salesTaxReportWindow();

// The sales by salesperson report over glo.LowDate1 to glo.HiDate1, as the selection
// window leaves them (pick lists, flags). REQUIRES: called on the thread that owns db.
QUAY_EXPORT RunResult SALESBYSPREPORT(core::Database& db, const ReportContext& ctx);
// The same on the desktop. REQUIRES: a QApplication exists.
QUAY_EXPORT RunResult SALESBYSPREPORT(core::Database& db, core::UiPort& ui);

}  // namespace quay::reports
