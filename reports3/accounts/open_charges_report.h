// OpenChargesReport: what the customer statements and the aging report share. Both read
// the unpaid charges dated on or before the end date (glo.HiDate1), customer by customer
// and in date order within each customer, joined to the customer record; both put each
// charge's unpaid balance into its age bucket and, when a customer's charges are done,
// set that customer's unapplied payments against the buckets oldest first.
//
// Keys read, in one forward pass each:
//   - CHG:byCustPaidDate from the first customer. A customer's open charges come first
//     in it (CHG:Paid 0, in date order); at the first paid charge, or the first dated
//     after the end date, the walk goes on to the next customer, seeking it when more than
//     a few charges lie between, so a long paid history is never read one by one. A
//     customer the pick list leaves out is skipped the same way.
//   - CUS:byName in step with the charges (the address, the name as the customer record
//     holds it), and PAY:byCustAppDate from (customer, PAY:Applied 0, date 0) for as long
//     as the payments are that customer's and unapplied: both keys are read forward once,
//     in the customers' order, reading on to the next customer or seeking it when it lies
//     farther (StepReader), so neither table is searched or scanned per customer.
//   - ORD:byInvoiceNum for a charge with an invoice number, for its description.
//
// A report built on it gives the bands: a customer's start, each charge, the payments
// heading and each payment, the customer's close, and the end of the report.
#pragma once

#include <string>
#include <vector>

#include "age_buckets.h"
#include "quay/reports/run/house_report.h"
#include "quay/reports/run/pick_filter.h"
#include "quay/reports/run/step_reader.h"
#include "quay/tables/charges.h"
#include "quay/tables/customer.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"

namespace quay::reports::detail {

class OpenChargesReport : public HouseReport {
public:
    explicit OpenChargesReport(core::Database& db);

protected:
    // The run's start, after the record set is chosen: the report's own controls.
    virtual void startReport(ReportRun& run) = 0;
    // A customer begins (customer() holds its record).
    virtual void beginCustomer(ReportRun& run) = 0;
    // One charge (charge()), described as it prints.
    virtual void printCharge(ReportRun& run, const std::string& description) = 0;
    // Before the customer's first unapplied payment; then each payment (payment()).
    virtual void printPaymentHeading(ReportRun& run) = 0;
    virtual void printPayment(ReportRun& run) = 0;
    // The customer's charges and payments are done: its figures after allocation. False
    // ends the run (the report has shown its message).
    virtual bool endCustomer(core::UiPort& ui, ReportRun& run, const AgeFigures& figures) = 0;
    // After the last customer's close.
    virtual void endReport(ReportRun& run) = 0;

    const core::Customer& customer() const { return m_joined; }
    const core::Charges& charge() const { return m_charges.rec; }
    const core::Payments& payment() const { return m_payments.rec; }
    // The day the ages are counted from: today when the report runs.
    std::int32_t ageDay() const { return m_today; }
    static void tooLarge(core::UiPort& ui);

private:
    std::vector<core::Table*> tables() final;
    bool start(core::UiPort& ui, ReportRun& run) final;
    bool printRecord(core::UiPort& ui, ReportRun& run) final;
    bool endOfRecords(core::UiPort& ui, ReportRun& run) final;

    bool skipCharge() const;
    void resumeAfterCustomer();
    bool joinCustomer(core::UiPort& ui);
    std::string describe();
    bool closeCustomer(core::UiPort& ui, ReportRun& run);
    bool paymentsFailed(core::UiPort& ui, core::ErrorCode e);

    core::Handle<core::Charges> m_charges;
    core::Handle<core::Customer> m_customer;
    core::Handle<core::Orders> m_orders;
    core::Handle<core::Payments> m_payments;
    StepReader m_customerSteps{m_customer, core::Customer::byName};
    StepReader m_paymentSteps{m_payments, core::Payments::byCustAppDate};
    core::Customer m_joined{};
    PickFilter m_picked;
    std::int32_t m_endDate = 0;
    std::int32_t m_today = 0;
    bool m_open = false;    // a customer's statement is under way
    std::string m_current;  // that customer's CHG:Customer
    AgeFigures m_figures;
};

}  // namespace quay::reports::detail
