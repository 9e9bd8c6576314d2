// The menu's report procedures of the third set of reports.
#include "quay/reports/reports3_windows.h"

#include "quay/reports/accounts/ar_reports.h"
#include "quay/reports/analysis/analysis_reports.h"

namespace quay::reports {

const std::vector<ReportEntry>& reports3Entries() {
    static const std::vector<ReportEntry> entries = {
        {"CUSTBILLSELECT", customerBillingWindow},
        {"PRINTAGINGSELECT", agingWindow},
        {"PRODANALYSISSELECT", productAnalysisWindow},
        {"PAYMENTSRECEIVEDSELECT", paymentsReceivedWindow},
    };
    return entries;
}

void registerReports3Windows(core::WindowRegistry& registry) {
    for (const ReportEntry& e : reports3Entries()) addReportWindow(registry, e.procedure, e.make);
}

}  // namespace quay::reports
