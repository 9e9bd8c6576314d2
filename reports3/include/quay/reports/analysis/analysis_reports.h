// Two reports over the year's trade, both read-only:
//   PRODANALYSISSELECT      "Product Analysis Report Selection" and its "Product Sales
//                           Analysis Report": one row per product with its invoiced sales
//                           in each of twelve months from the first of the begin date's
//                           month, and the total, in money or in quantity sold ("What To
//                           Total"); the pick lists of products, groups, customers,
//                           vendors and manufacturers and "In Stock Items Only" choose the
//                           products and invoices; every chosen product prints, also
//                           without sales;
//   PAYMENTSRECEIVEDSELECT  "Payments Received by Pay Type" and its "Payments Received
//                           Report": the payments of a date range by payment method, each
//                           with its cheque, card or comment, a total per method and the
//                           grand total.
#pragma once

#include "quay/export.h"
#include "quay/reports/run/report_window.h"

namespace quay::reports {

QUAY_EXPORT ReportWindow productAnalysisWindow();
QUAY_EXPORT ReportWindow paymentsReceivedWindow();

}  // namespace quay::reports
