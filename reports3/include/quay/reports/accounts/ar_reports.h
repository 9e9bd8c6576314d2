// The accounts-receivable reports, over the unpaid charges dated on or before the end
// date (glo.HiDate1) of the customers the pick list lets through:
//   CUSTBILLSELECT    "Customer Billing Selection" and its statements: one per customer,
//                     each on a page of its own, with "Make Check Payable to:" and the
//                     company, the customer's address, the open charges, the "Payments to
//                     Apply", the balance by age, the reminder and the tear-off coupon;
//   PRINTAGINGSELECT  "Print Aging Selection" and its "Aging Summary Report": each
//                     customer's charges, unapplied payments and balance by age, and the
//                     grand totals.
// A charge is Current up to 30 days old on the day the report runs, then +30, +60 and +90
// Days; unapplied payments are set against the buckets oldest first, and the Total Due
// is the balance less all of them (negative for a credit). Nothing is written.
#pragma once

#include "quay/export.h"
#include "quay/reports/run/report_window.h"

namespace quay::reports {

QUAY_EXPORT ReportWindow customerBillingWindow();
QUAY_EXPORT ReportWindow agingWindow();

}  // namespace quay::reports
