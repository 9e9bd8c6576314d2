// The selection windows of the statements and the aging report. Both ask for the end
// date alone, opened at the last day of the previous month, and a pick list of
// customers, which Close discards; the pick window lists the active customers.
#include "quay/reports/accounts/ar_reports.h"

#include <memory>

#include "ar_jobs.h"
#include "quay/app/globals.h"

namespace quay::reports {

namespace {

SelectionSpec accountsSpec(const char* procedure, const char* title) {
    return SelectionSpec{
        .procedure = procedure,
        .title = title,
        .dates = SelectionDates{.endCalendarTitle = "Select Invoice End Date",
                                .presets = false,
                                .endOnly = true,
                                .endCaption = "Invoice &End Date:",
                                .openAtEndOfLastMonth = true},
        .picks = {PickKind::Customers},
        .clearPicksOnClose = true,
        .atOpen = [] { core::glo.CustType = "ACTIVE"; },
        .printCaption = "&Print",
        .closeCaption = "Close",
    };
}

}  // namespace

ReportWindow customerBillingWindow() {
    return {accountsSpec("CustBillSelect", "Customer Billing Selection"),
            [](core::Database& db) { return std::make_unique<detail::StatementJob>(db); }};
}

ReportWindow agingWindow() {
    return {accountsSpec("PrintAgingSelect", "Print Aging Selection"),
            [](core::Database& db) { return std::make_unique<detail::AgingJob>(db); }};
}

}  // namespace quay::reports
