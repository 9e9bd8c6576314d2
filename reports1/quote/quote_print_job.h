// The quote and invoice print as a report job: its tables, the order's heading and
// addresses on the first line, each line with its comments and serial numbers, and the
// totals with the invoice's payments, the company comments and the signature.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "quay/reports/run/report_job.h"
#include "quay/reports/run/report_tables.h"
#include "quay/store/database.h"
#include "quay/tables/all_tables.h"

namespace quay::reports::detail {

class QuotePrintJob final : public ReportJob {
 public:
  // REQUIRES: db outlives the job.
  QuotePrintJob(core::Database& db, std::int32_t ordNum, std::filesystem::path logoDirectory);

  std::string title() const override { return m_title; }
  ReportLayout layout() const override;
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
  bool isInvoice() const { return m_order.rec.Status == "I"; }
  void setHeading(ReportRun& run);
  bool startOrder(core::UiPort& ui, ReportRun& run);
  bool printLine(core::UiPort& ui, ReportRun& run);
  void printComment(ReportRun& run, std::string_view text);
  void printTotals(ReportRun& run);
  bool positionLines();

  std::int32_t m_ordNum;
  std::filesystem::path m_logoDirectory;
  std::string m_word = "Quote";
  std::string m_title = "Quote";
  std::int64_t m_lineCount = 0;
  bool m_headed = false;

  core::Handle<core::OrderRef> m_order;
  core::Handle<core::ItemsOrd> m_items;
  core::Handle<core::Products> m_products;
  core::Handle<core::Serials> m_serials;
  core::Handle<core::Customer> m_customer;
  core::Handle<core::CustRef> m_custRef;
  core::Handle<core::Charges> m_charges;
  core::Handle<core::Applied> m_applied;
  core::Handle<core::Payments> m_payments;
  core::Handle<core::Defaults> m_defaults;
  ReportTables m_tables;
};

}  // namespace quay::reports::detail
