// The order detail ticket and the packing list as one report job: both walk the order's
// lines joined to the product, the order, its customer and its salesperson; the ticket
// also lists each product's vendors and sums the estimated cost.
#pragma once

#include <string>

#include "order_ticket_layout.h"
#include "quay/reports/run/report_job.h"
#include "quay/reports/run/report_tables.h"
#include "quay/store/database.h"
#include "quay/tables/all_tables.h"

namespace quay::reports::detail {

class OrderTicketJob final : public ReportJob {
 public:
  // REQUIRES: db outlives the job.
  OrderTicketJob(core::Database& db, std::int32_t ordNum, TicketKind kind);

  std::string title() const override { return ticketTitle(m_kind); }
  ReportLayout layout() const override { return ticketLayout(m_kind); }
  bool open(core::UiPort& ui) override;
  bool loadCompany() override;
  bool begin(core::UiPort& ui, ReportRun& run) override;
  std::int64_t recordCount() override { return m_lineCount; }
  JobStep next(core::UiPort& ui, ReportRun& run) override;
  void finish(core::UiPort& ui, ReportRun& run) override;
  void close() override {
    if (m_items.isOpen()) m_items.send("QUICKSCAN=off");
    m_tables.close();
  }

 private:
  bool isTicket() const { return m_kind == TicketKind::DetailTicket; }
  void setHeading(ReportRun& run);
  void printVendors(ReportRun& run);

  std::int32_t m_ordNum;
  TicketKind m_kind;
  std::int64_t m_lineCount = 0;
  bool m_headed = false;
  // Sums of the detail ticket, wide enough for any order's totals.
  core::Decimal<18, 2> m_soldFor;
  core::Decimal<18, 2> m_estimatedCost;

  core::Handle<core::Orders> m_order;
  core::Handle<core::ItemsOrd> m_items;
  core::Handle<core::Products> m_products;
  core::Handle<core::Customer> m_customer;
  core::Handle<core::Salesmen> m_salesmen;
  core::Handle<core::VenProds> m_venProds;
  core::Handle<core::Vendors> m_vendors;
  core::Handle<core::Defaults> m_defaults;
  ReportTables m_tables;
};

}  // namespace quay::reports::detail
