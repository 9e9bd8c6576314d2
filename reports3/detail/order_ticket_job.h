// The order detail ticket and the packing list as one order print: both walk the order's
// lines joined to the product, the order, its customer and its salesperson; the ticket
// also lists each product's vendors and sums the estimated cost.
#pragma once

#include <string>

#include "order_ticket_layout.h"
#include "quay/reports/run/house_report.h"
#include "quay/tables/all_tables.h"

namespace quay::reports::detail {

class OrderTicketJob final : public OrderPrintReport {
public:
    // REQUIRES: db outlives the job.
    OrderTicketJob(core::Database& db, std::int32_t ordNum, TicketKind kind);

    std::string title() const override { return ticketTitle(m_kind); }
    ReportLayout layout() const override { return ticketLayout(m_kind); }

private:
    std::vector<core::Table*> printTables() override;
    bool beginOrder(core::UiPort& ui, ReportRun& run) override;
    bool printLine(core::UiPort& ui, ReportRun& run) override;
    void endOrder(ReportRun& run) override;
    bool isTicket() const { return m_kind == TicketKind::DetailTicket; }
    void printVendors(ReportRun& run);

    TicketKind m_kind;
    // Sums of the detail ticket, wide enough for any order's totals.
    core::Decimal<18, 2> m_soldFor;
    core::Decimal<18, 2> m_estimatedCost;

    core::Handle<core::Products> m_products;
    core::Handle<core::Customer> m_customer;
    core::Handle<core::Salesmen> m_salesmen;
    core::Handle<core::VenProds> m_venProds;
    core::Handle<core::Vendors> m_vendors;
};

}  // namespace quay::reports::detail
