// The jobs of the customer statements and the aging report (see ar_reports.h for what
// they print, and open_charges_report.h for the records they read).
#pragma once

#include <array>
#include <string>

#include "open_charges_report.h"
#include "quay/tables/defaults.h"

namespace quay::reports::detail {

// The company lines under "Make Check Payable to:": the name, then the address lines,
// the city line, the phones, the fax while a line is free and the e-mail in the last
// line when it is still free.
using StatementLines = std::array<std::string, 5>;
StatementLines statementCompanyLines(const core::Defaults& def);

class StatementJob final : public OpenChargesReport {
public:
    explicit StatementJob(core::Database& db);

    std::string title() const override { return "Customer Statements"; }
    ReportLayout layout() const override;

    // The reminder for figures after allocation: the 90-day text while +90 Days is above
    // zero, else the 60-day, else the 30-day, else the current one; cut to 250 characters.
    static std::string reminderFor(const core::Defaults& def, const AgeFigures& figures);

private:
    void startReport(ReportRun& run) override;
    void beginCustomer(ReportRun& run) override;
    void printCharge(ReportRun& run, const std::string& description) override;
    void printPaymentHeading(ReportRun& run) override;
    void printPayment(ReportRun& run) override;
    bool endCustomer(core::UiPort& ui, ReportRun& run, const AgeFigures& figures) override;
    void endReport(ReportRun& run) override;

    std::string m_couponName;
};

class AgingJob final : public OpenChargesReport {
public:
    explicit AgingJob(core::Database& db);

    std::string title() const override { return "Aging Summary Report"; }
    ReportLayout layout() const override;

private:
    void startReport(ReportRun& run) override;
    void beginCustomer(ReportRun& run) override;
    void printCharge(ReportRun& run, const std::string& description) override;
    void printPaymentHeading(ReportRun& run) override;
    void printPayment(ReportRun& run) override;
    bool endCustomer(core::UiPort& ui, ReportRun& run, const AgeFigures& figures) override;
    void endReport(ReportRun& run) override;

    AgeFigures m_grand;
};

}  // namespace quay::reports::detail
