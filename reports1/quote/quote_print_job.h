// The quote and invoice print as an order print: its tables, the company heading and the
// document's title once the order is read, the addresses on the first line, each line
// with its comments and serial numbers, and the totals with the invoice's payments, the
// company comments and the signature.
#pragma once

#include <filesystem>
#include <string>

#include "quay/reports/run/house_report.h"
#include "quay/tables/all_tables.h"

namespace quay::reports::detail {

class QuotePrintJob final : public OrderPrintReport {
public:
    // REQUIRES: db outlives the job.
    QuotePrintJob(core::Database& db, std::int32_t ordNum, std::filesystem::path logoDirectory);

    std::string title() const override { return m_title; }
    ReportLayout layout() const override;

private:
    std::vector<core::Table*> printTables() override;
    void startPrint(ReportRun& run) override;
    bool beginOrder(core::UiPort& ui, ReportRun& run) override;
    bool printLine(core::UiPort& ui, ReportRun& run) override;
    void endOrder(ReportRun& run) override;
    void printComment(ReportRun& run, std::string_view text);

    std::filesystem::path m_logoDirectory;
    std::string m_word = "Quote";
    std::string m_title = "Quote";

    core::Handle<core::Products> m_products;
    core::Handle<core::Serials> m_serials;
    core::Handle<core::Customer> m_customer;
    core::Handle<core::CustRef> m_custRef;
    core::Handle<core::Charges> m_charges;
    core::Handle<core::Applied> m_applied;
    core::Handle<core::Payments> m_payments;
};

}  // namespace quay::reports::detail
