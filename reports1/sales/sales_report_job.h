// The jobs of the sales and quote reports and of the sales tax report (see
// sales_reports.h for what they print and which keys they read).
#pragma once

#include <string>
#include <vector>

#include "quay/reports/engine/accumulator.h"
#include "quay/reports/engine/group_break.h"
#include "quay/reports/run/house_report.h"
#include "quay/reports/run/pick_filter.h"
#include "quay/reports/sales/sales_reports.h"
#include "quay/tables/items_ord.h"
#include "quay/tables/orders.h"
#include "quay/tables/salesmen.h"

namespace quay::reports::detail {

using Money = core::Decimal<18, 2>;

// The figures of one order line of a sales report.
struct SalesFigures {
    Money subTotal;
    Money cost;
    Money profit;
};

// Sums of a group (or the whole report) and the margin worked out from them.
class SalesTotals {
public:
    // False when a sum would overflow (the totals stay as they were).
    bool add(const SalesFigures& f);
    void reset() { *this = SalesTotals(); }
    const SalesFigures& sums() const { return m_sums; }
    long count() const { return m_count; }

private:
    SalesFigures m_sums;
    long m_count = 0;
};

// profit x 100 / cost to 2 places; 0.00 for an order or group without cost.
QUAY_EXPORT core::Decimal<15, 2> salesMargin(const Money& profit, const Money& cost);

class SalesReportJob final : public HouseReport {
public:
    SalesReportJob(core::Database& db, SalesDocuments documents, SalesGrouping grouping);

    std::string title() const override;
    ReportLayout layout() const override;
    void finish(core::UiPort& ui, ReportRun& run) override;

private:
    // One order as the line prints it; kept for the by-salesperson order.
    struct Line {
        std::int32_t date = 0;
        std::int32_t number = 0;
        std::string customer;
        std::string reference;
        std::string salesperson;
        SalesFigures figures;
    };

    std::vector<core::Table*> tables() override;
    bool start(core::UiPort& ui, ReportRun& run) override;
    bool printRecord(core::UiPort& ui, ReportRun& run) override;

    bool belongs() const;
    bool orderCost(core::UiPort& ui, Money& cost);
    bool printLine(core::UiPort& ui, ReportRun& run, const Line& line);
    void closeGroup(ReportRun& run);
    void printTotals(ReportRun& run, int band, const SalesTotals& totals);
    std::string salespersonName(const std::string& initials);

    SalesDocuments m_documents;
    SalesGrouping m_grouping;
    core::Handle<core::Orders> m_orders;
    core::Handle<core::ItemsOrd> m_items;
    core::Handle<core::Salesmen> m_salesmen;
    PickFilter m_customers;
    PickFilter m_salespeople;
    GroupBreak<std::string> m_group;
    SalesTotals m_groupTotals;
    SalesTotals m_grandTotals;
    std::vector<Line> m_held;  // by salesperson: the orders read, printed at the end
    bool m_failed = false;
};

class SalesTaxReportJob final : public HouseReport {
public:
    // tax: "1" or "2".
    SalesTaxReportJob(core::Database& db, std::string tax);

    std::string title() const override { return "Sales Tax Report"; }
    ReportLayout layout() const override;
    void finish(core::UiPort& ui, ReportRun& run) override;

private:
    std::vector<core::Table*> tables() override;
    bool start(core::UiPort& ui, ReportRun& run) override;
    bool printRecord(core::UiPort& ui, ReportRun& run) override;

    std::string m_tax;
    core::Handle<core::Orders> m_orders;
    PickFilter m_customers;
    Accumulator<Money> m_total, m_nonTaxable, m_taxable, m_exempt, m_taxSum;
};

}  // namespace quay::reports::detail
