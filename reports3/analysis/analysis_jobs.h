// The jobs of the product sales analysis and the payments received report (see
// analysis_reports.h for what they print).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "quay/reports/run/house_report.h"
#include "quay/reports/run/pick_filter.h"
#include "quay/reports/select/product_picks.h"
#include "quay/tables/items_ord.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"

namespace quay::reports::detail {

class ProductAnalysisJob final : public HouseReport {
public:
    explicit ProductAnalysisJob(core::Database& db);

    std::string title() const override { return "Product Sales Analysis Report"; }
    ReportLayout layout() const override;
    void finish(core::UiPort& ui, ReportRun& run) override;

    // "03/2026 - 02/2027, Showing Dollars, Restrict by Group", cut to 100 characters.
    static std::string subtitle(std::int32_t low, std::int32_t high, bool quantity, const ProductPicks& picks,
                                bool customers);

private:
    using Cell = core::Decimal<15, 2>;
    using Cells = std::array<Cell, 13>;  // twelve months and the total

    std::vector<core::Table*> tables() override;
    bool start(core::UiPort& ui, ReportRun& run) override;
    bool printRecord(core::UiPort& ui, ReportRun& run) override;
    bool endOfRecords(core::UiPort& ui, ReportRun& run) override;

    bool loadInvoices(core::UiPort& ui, std::int32_t low, std::int32_t high, int firstMonth);
    int columnOf(std::int32_t ordNum) const;
    bool sumLines(core::UiPort& ui);
    // A part number as the case-insensitive key compares it.
    static std::string partKey(std::string_view part);
    static bool add(Cells& cells, int column, const core::Decimal<13, 2>& value);
    static bool readFailed(core::UiPort& ui, core::Table& table);

    core::Handle<core::Products> m_products;
    core::Handle<core::ItemsOrd> m_items;
    core::Handle<core::Orders> m_orders;
    core::Handle<core::VenProds> m_venProds;
    ProductPicks m_picks;
    bool m_quantity = false;
    bool m_inStockOnly = false;
    // The month column of each kept invoice, by order number (-1: not kept): a byte each
    // for order numbers below kDenseOrders, a map for the rare ones above.
    static constexpr std::size_t kDenseOrders = std::size_t{1} << 24;
    std::vector<std::int8_t> m_columns;
    std::unordered_map<std::int32_t, std::int8_t> m_farColumns;
    std::unordered_map<std::string, Cells> m_sales;  // by partKey()
    Cells m_grand{};
    long m_printed = 0;
};

class PaymentsReceivedJob final : public HouseReport {
public:
    explicit PaymentsReceivedJob(core::Database& db);

    std::string title() const override { return "Payments Received Report"; }
    ReportLayout layout() const override;

    // The payment's description by its method: the cheque and bank, the card with its
    // expiry and authorisation, else the comments; cut to 50 characters.
    static std::string describe(const core::Payments& p);

private:
    using Money = core::Decimal<18, 2>;
    struct Line {
        std::string method;
        std::int32_t date = 0;
        std::string customer;
        core::Decimal<13, 2> amount;
        std::string description;
    };

    std::vector<core::Table*> tables() override;
    bool start(core::UiPort& ui, ReportRun& run) override;
    bool printRecord(core::UiPort& ui, ReportRun& run) override;
    bool endOfRecords(core::UiPort& ui, ReportRun& run) override;

    core::Handle<core::Payments> m_payments;
    PickFilter m_customers;
    std::vector<Line> m_held;
};

}  // namespace quay::reports::detail
