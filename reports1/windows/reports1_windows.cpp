// The menu's report procedures of the first set of reports and the windows they open.
#include "quay/reports/lists/list_reports.h"
#include "quay/reports/po/po_print.h"
#include "quay/reports/sales/sales_reports.h"
#include "quay/reports/select/report_windows.h"

namespace quay::reports {

const std::vector<ReportEntry>& reports1Entries() {
    static const std::vector<ReportEntry> entries = {
        {"SALESBYDATESELECT", [] { return salesReportWindow(SalesDocuments::Invoices, SalesGrouping::ByDate); }},
        {"SALESBYCUSTSELECT", [] { return salesReportWindow(SalesDocuments::Invoices, SalesGrouping::ByCustomer); }},
        {"SALESBYSPSELECT", [] { return salesReportWindow(SalesDocuments::Invoices, SalesGrouping::BySalesperson); }},
        {"SALESTAXCOLLRPTSELECT", salesTaxReportWindow},
        {"CUSTLISTRPTSELECT", customerListWindow},
        {"CUSTMAILLBLRPTSELECT", customerLabelsWindow},
        {"CUST1LINESELECT", customerOneLineWindow},
        {"VENDORLISTSELECT", vendorListWindow},
    };
    return entries;
}

void registerReports1Windows(core::WindowRegistry& registry) {
    for (const ReportEntry& e : reports1Entries()) addReportWindow(registry, e.procedure, e.make);
    registerPoPrintWindow(registry);
}

}  // namespace quay::reports
