// The menu's report procedures of the first set of reports and the windows they open.
#include "quay/reports/lists/list_reports.h"
#include "quay/reports/sales/sales_reports.h"
#include "quay/reports/select/report_windows.h"

namespace quay::reports {

void registerReports1Windows(core::WindowRegistry& registry) {
  addReportWindow(registry, "SALESBYDATESELECT",
                  [] { return salesReportWindow(SalesDocuments::Invoices, SalesGrouping::ByDate); });
  addReportWindow(registry, "SALESBYCUSTSELECT",
                  [] { return salesReportWindow(SalesDocuments::Invoices, SalesGrouping::ByCustomer); });
  addReportWindow(registry, "SALESBYSPSELECT",
                  [] { return salesReportWindow(SalesDocuments::Invoices, SalesGrouping::BySalesperson); });
  addReportWindow(registry, "SALESTAXCOLLRPTSELECT", [] { return salesTaxReportWindow(); });
  addReportWindow(registry, "CUSTLISTRPTSELECT", [] { return customerListWindow(); });
  addReportWindow(registry, "CUSTMAILLBLRPTSELECT", [] { return customerLabelsWindow(); });
  addReportWindow(registry, "CUST1LINESELECT", [] { return customerOneLineWindow(); });
  addReportWindow(registry, "VENDORLISTSELECT", [] { return vendorListWindow(); });
}

}  // namespace quay::reports
