// The selection windows of the product sales analysis and the payments received report.
#include "quay/reports/analysis/analysis_reports.h"

#include <memory>

#include "analysis_jobs.h"
#include "quay/app/globals.h"

namespace quay::reports {

ReportWindow productAnalysisWindow() {
    // Every opening starts afresh: no pick list, dollars, all products, and the order
    // discount and surcharge flags the sales reports leave behind switched off.
    SelectionSpec spec{
        .procedure = "ProdAnalysisSelect",
        .title = "Product Analysis Report Selection",
        .dates = SelectionDates{.beginCalendarTitle = "Select Quote Begin Date",
                                .endCalendarTitle = "Select Quote End Date",
                                .presets = false,
                                .requireBoth = true},
        .picks = {PickKind::Products, PickKind::Groups, PickKind::Customers, PickKind::Vendors,
                  PickKind::Manufacturers},
        .flags = {{.caption = "In Stock Items Only", .global = &core::Globals::InStockItems}},
        .clearPicksOnOpen = true,
        .atOpen =
            [] {
                core::glo.UseDiscount = 0;
                core::glo.UseSurcharge = 0;
            },
        .note =
            "This report generate a 12 month analysis beginning on the first of the month specified in the begin "
            "date field.",
    };
    spec.choices.push_back({.caption = "What To Total",
                            .options = {{"Dollars", "D"}, {"Quantity Sold", "Q"}},
                            .atOpen = "D",
                            .store = [](const std::string& value) { core::glo.Dollars = value; }});
    return {std::move(spec), [](core::Database& db) { return std::make_unique<detail::ProductAnalysisJob>(db); }};
}

ReportWindow paymentsReceivedWindow() {
    SelectionSpec spec{
        .procedure = "PaymentsReceivedSelect",
        .title = "Payments Received by Pay Type",
        .dates = SelectionDates{.beginCalendarTitle = "Select Begin Date", .endCalendarTitle = "Select End Date"},
        .picks = {PickKind::Customers},
    };
    return {std::move(spec), [](core::Database& db) { return std::make_unique<detail::PaymentsReceivedJob>(db); }};
}

}  // namespace quay::reports
