// The menu's report procedures of the second set of reports. The quote reports are the
// sales reports over open quotes.
#include "quay/reports/reports2_windows.h"

#include "quay/reports/products/product_reports.h"
#include "quay/reports/sales/sales_reports.h"
#include "quay/reports/select/report_windows.h"

namespace quay::reports {

void registerReports2Windows(core::WindowRegistry& registry) {
  addReportWindow(registry, "QUOTESBYDATESELECT",
                  [] { return salesReportWindow(SalesDocuments::Quotes, SalesGrouping::ByDate); });
  addReportWindow(registry, "QUOTESBYCUSTSELECT",
                  [] { return salesReportWindow(SalesDocuments::Quotes, SalesGrouping::ByCustomer); });
  addReportWindow(registry, "QUOTESBYSPSELECT",
                  [] { return salesReportWindow(SalesDocuments::Quotes, SalesGrouping::BySalesperson); });
  addReportWindow(registry, "INVENTORYLEVELSSELECT", [] { return inventoryLevelsWindow(); });
  addReportWindow(registry, "PRDCATSELECT", [] { return productCatalogWindow(); });
  addReportWindow(registry, "PRICELISTSELECT", [] { return priceListWindow(); });
}

}  // namespace quay::reports
