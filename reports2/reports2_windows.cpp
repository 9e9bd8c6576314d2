// The menu's report procedures of the second set of reports. The quote reports are the
// sales reports over open quotes.
#include "quay/reports/reports2_windows.h"

#include "quay/reports/products/product_reports.h"
#include "quay/reports/sales/sales_reports.h"

namespace quay::reports {

const std::vector<ReportEntry>& reports2Entries() {
    static const std::vector<ReportEntry> entries = {
        {"QUOTESBYDATESELECT", [] { return salesReportWindow(SalesDocuments::Quotes, SalesGrouping::ByDate); }},
        {"QUOTESBYCUSTSELECT", [] { return salesReportWindow(SalesDocuments::Quotes, SalesGrouping::ByCustomer); }},
        {"QUOTESBYSPSELECT", [] { return salesReportWindow(SalesDocuments::Quotes, SalesGrouping::BySalesperson); }},
        {"INVENTORYLEVELSSELECT", inventoryLevelsWindow},
        {"PRDCATSELECT", productCatalogWindow},
        {"PRICELISTSELECT", priceListWindow},
    };
    return entries;
}

void registerReports2Windows(core::WindowRegistry& registry) {
    for (const ReportEntry& e : reports2Entries()) addReportWindow(registry, e.procedure, e.make);
}

}  // namespace quay::reports
