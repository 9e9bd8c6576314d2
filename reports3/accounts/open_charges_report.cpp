// The walk of open charges shared by the statements and the aging report (see
// open_charges_report.h for the keys it reads and why).
#include "open_charges_report.h"

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"

namespace quay::reports::detail {

using core::ErrorCode;

OpenChargesReport::OpenChargesReport(core::Database& db)
    : HouseReport(db), m_charges(db), m_customer(db), m_orders(db), m_payments(db) {}

std::vector<core::Table*> OpenChargesReport::tables() { return {&m_charges, &m_customer, &m_orders, &m_payments}; }

void OpenChargesReport::tooLarge(core::UiPort& ui) {
    ui.inform("Report Error", "The totals are too large to print.", core::Icon::Error);
}

bool OpenChargesReport::start(core::UiPort&, ReportRun& run) {
    m_endDate = core::glo.HiDate1;
    m_today = core::today();
    m_picked = PickFilter(core::pick::Cust::Queue);
    startReport(run);
    setRecords(m_charges, core::Charges::byCustPaidDate)
        .skipIf([this] { return skipCharge(); }, [this] { resumeAfterCustomer(); });
    return true;
}

// The rest of the customer's charges are paid or dated after the end date (the key
// orders them after its open ones by date), or the customer is not picked.
bool OpenChargesReport::skipCharge() const {
    const core::Charges& c = m_charges.rec;
    return c.Paid != 0 || c.Date > m_endDate || !m_picked.accepts(c.Customer.view());
}

// CHG:Paid 255 lies after every charge of this customer.
void OpenChargesReport::resumeAfterCustomer() {
    const core::FixedString<35> who = m_charges.rec.Customer;
    m_charges.clear();
    m_charges.rec.Customer = who;
    m_charges.rec.Paid = 255;
}

bool OpenChargesReport::joinCustomer(core::UiPort& ui) {
    const core::FixedString<35> who = m_charges.rec.Customer;
    const ErrorCode e =
        m_customerSteps.advanceTo([this, &who] { return compareNames(m_customer.rec.Name.view(), who.view()) < 0; },
                                  [this, &who] { m_customer.rec.Name = who; });
    if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) {
        core::saveError(m_customer);
        core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {m_customer.desc().name});
        return false;
    }
    if (e == ErrorCode::None && sameName(m_customer.rec.Name.view(), who.view())) {
        m_joined = m_customer.rec;
    } else {
        // A charge whose customer is gone still prints, under the name it carries.
        m_joined = core::Customer{};
        m_joined.Name = who;
    }
    return true;
}

std::string OpenChargesReport::describe() {
    const core::Charges& c = m_charges.rec;
    if (c.INVOICENUM >= 1) {
        m_orders.clear();
        m_orders.rec.InvoiceNum = c.INVOICENUM;
        if (m_orders.get(core::Orders::byInvoiceNum) == ErrorCode::None && !m_orders.rec.REFERENCE.isBlank())
            return m_orders.rec.REFERENCE.str().substr(0, 40);
    }
    return c.REASON.str();
}

bool OpenChargesReport::printRecord(core::UiPort& ui, ReportRun& run) {
    const core::Charges& c = m_charges.rec;
    if (!m_open || !sameName(m_current, c.Customer.view())) {
        if (m_open && !closeCustomer(ui, run)) return false;
        m_current = c.Customer.str();
        m_open = true;
        m_figures.clear();
        if (!joinCustomer(ui)) return false;
        beginCustomer(run);
    }
    if (!m_figures.addCharge(ageOf(c.Date, m_today), c.UNPAIDBAL)) {
        tooLarge(ui);
        return false;
    }
    printCharge(run, describe());
    return true;
}

bool OpenChargesReport::paymentsFailed(core::UiPort& ui, ErrorCode e) {
    switch (e) {
    case ErrorCode::FileNotOpen:
        ui.message("ERROR", "Payments file not open", core::Icon::Error, core::Button::Ok, core::Button::Ok);
        break;
    case ErrorCode::FileLocked:
    case ErrorCode::RecordInUse:
        ui.message("ERROR", "Payments file locked", core::Icon::Error, core::Button::Ok, core::Button::Ok);
        break;
    default:
        core::saveError(m_payments);
        core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {m_payments.desc().name});
    }
    return false;
}

bool OpenChargesReport::closeCustomer(core::UiPort& ui, ReportRun& run) {
    // (customer, Applied 0, date 0) comes before every payment of the customer: anything
    // of an earlier customer lies before it.
    ErrorCode e =
        m_paymentSteps.advanceTo([this] { return compareNames(m_payments.rec.Customer.view(), m_current) < 0; },
                                 [this] { m_payments.rec.Customer = m_current; });
    bool first = true;
    for (;; e = m_paymentSteps.next()) {
        if (e == ErrorCode::RecordNotAvailable) break;
        if (e != ErrorCode::None) return paymentsFailed(ui, e);
        const core::Payments& p = m_payments.rec;
        if (!sameName(p.Customer.view(), m_current) || p.Applied != 0) break;
        if (!m_figures.applyPayment(p.UNAPPAMT)) {
            tooLarge(ui);
            return false;
        }
        if (first) printPaymentHeading(run);
        first = false;
        printPayment(run);
    }
    m_open = false;
    return endCustomer(ui, run, m_figures);
}

bool OpenChargesReport::endOfRecords(core::UiPort& ui, ReportRun& run) {
    if (!m_open) return true;  // no charge: "Nothing to Preview."
    if (!closeCustomer(ui, run)) return false;
    endReport(run);
    return true;
}

}  // namespace quay::reports::detail
