// The sales, quote and sales tax reports' selection windows and their exported runs.
#include "quay/reports/sales/sales_reports.h"

#include <memory>

#include "sales_report_job.h"

namespace quay::reports {

namespace {

const char* groupingWord(SalesGrouping g) {
    switch (g) {
    case SalesGrouping::ByDate: return "Date";
    case SalesGrouping::ByCustomer: return "Customer";
    case SalesGrouping::BySalesperson: return "Salesperson";
    }
    return "";
}

const char* procedureName(SalesDocuments d, SalesGrouping g) {
    const bool quotes = d == SalesDocuments::Quotes;
    switch (g) {
    case SalesGrouping::ByDate: return quotes ? "QuotesByDateSelect" : "SalesByDateSelect";
    case SalesGrouping::ByCustomer: return quotes ? "QuotesByCustSelect" : "SalesByCustSelect";
    case SalesGrouping::BySalesperson: return quotes ? "QuotesBySpSelect" : "SalesBySpSelect";
    }
    return "";
}

ReportJobFactory salesJob(SalesDocuments documents, SalesGrouping grouping) {
    return [documents, grouping](core::Database& db) {
        return std::make_unique<detail::SalesReportJob>(db, documents, grouping);
    };
}

}  // namespace

ReportWindow salesReportWindow(SalesDocuments documents, SalesGrouping grouping) {
    const std::string what = documents == SalesDocuments::Quotes ? "Quote" : "Sales";
    const std::string report = documents == SalesDocuments::Quotes ? "Quotes" : "Sales";
    SelectionSpec spec{
        .procedure = procedureName(documents, grouping),
        .title = report + " Report by " + groupingWord(grouping) + " Selection",
        .dates = SelectionDates{.beginCalendarTitle = "Select " + what + " Begin Date",
                                .endCalendarTitle = "Select " + what + " End Date"},
        .picks = {PickKind::Customers, PickKind::Salesmen},
        .flags = {{.caption = "Include Order Discount", .global = &core::Globals::UseDiscount},
                  {.caption = "Include Order Surcharge", .global = &core::Globals::UseSurcharge}},
    };
    return {std::move(spec), salesJob(documents, grouping)};
}

ReportWindow salesTaxReportWindow() {
    // The tax chosen is read by this report alone; the window and the job share it.
    auto tax = std::make_shared<std::string>("1");
    SelectionSpec spec{
        .procedure = "SalesTaxCollRptSelect",
        .title = "Sales Tax Collected Reports",
        .dates = SelectionDates{.beginCalendarTitle = "Select Begin Date",
                                .endCalendarTitle = "Select End Date",
                                .rangeError = "Beginning Date cannot be later than Ending Date",
                                .requireBoth = true,
                                .openAtMonthToDate = true},
        .picks = {PickKind::Customers},
        .printCaption = "&Print",
        .closeCaption = "Close",
    };
    spec.choices.push_back({.caption = "Tax",
                            .options = {{"Tax 1", "1"}, {"Tax 2", "2"}},
                            .atOpen = "1",
                            .store = [tax](const std::string& value) { *tax = value; }});
    return {std::move(spec),
            [tax](core::Database& db) { return std::make_unique<detail::SalesTaxReportJob>(db, *tax); }};
}

RunResult SALESBYSPREPORT(core::Database& db, const ReportContext& ctx) {
    return runReport(db, salesJob(SalesDocuments::Invoices, SalesGrouping::BySalesperson), ctx);
}

RunResult SALESBYSPREPORT(core::Database& db, core::UiPort& ui) {
    return runReportOnDesktop(db, salesJob(SalesDocuments::Invoices, SalesGrouping::BySalesperson), ui);
}

}  // namespace quay::reports
