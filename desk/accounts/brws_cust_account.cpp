// The account window's lists are read through the customer's keys, from the
// customer's first record for as long as records still name it, so an account costs
// what its own records cost. The totals are summed while the rows are read, over the
// whole filtered set.
#include "accounts/brws_cust_account.h"

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/types/picture.h"

namespace quay::desk {

using core::ErrorCode;

BrwsCustAccount::BrwsCustAccount(core::Database& db, core::UiPort& ui, const core::WindowRequest& request)
    : m_db(db),
      m_ui(ui),
      m_name(request.text.empty() ? core::glo.CustName.str() : request.text),
      m_cus(db, ui),
      m_pay(db, ui),
      m_chg(db, ui) {
    core::RelatedListSpec p;
    p.formProcedure = "EditPayments";
    p.headings = {"Date", "Comments", "Amount", "Unused"};
    p.start = core::recordSetter<core::Payments>([this](core::Payments& pay) {
        m_paymentsTotal = 0;
        pay.Customer = name();
        pay.Applied = m_display == Display::Cleared ? 1 : 0;
    });
    p.belongs = core::rowsWhere<core::Payments>([this](const core::Payments& pay) {
        if (!pay.Customer.equalsNoCase(name())) return false;
        if (m_display == Display::Current) return pay.Applied == 0;
        if (m_display == Display::Cleared) return pay.Applied != 0;
        return true;
    });
    p.format = core::rowCells<core::Payments>([this](const core::Payments& pay) {
        m_paymentsTotal += pay.UNAPPAMT.scaled();
        return std::vector<std::string>{core::formatPicture("@d2", pay.Date), pay.COMMENTS.str(), moneyText(pay.AMOUNT),
                                        moneyText(pay.UNAPPAMT)};
    });
    p.maxRows = 1000000;
    p.key = core::Payments::byCustAppDate;
    m_paySpec = p;
    m_payments = std::make_unique<core::RelatedList>(ui, m_pay.handle, p);

    core::RelatedListSpec c;
    c.formProcedure = "EditCharges";
    c.headings = {"Date", "Reason", "Invoice#", "Amount", "Balance"};
    c.key = core::Charges::byCustPaidDate;
    c.start = core::recordSetter<core::Charges>([this](core::Charges& chg) {
        m_chargesTotal = 0;
        chg.Customer = name();
        chg.Paid = m_display == Display::Cleared ? 1 : 0;
    });
    c.belongs = core::rowsWhere<core::Charges>([this](const core::Charges& chg) {
        if (!chg.Customer.equalsNoCase(name())) return false;
        if (m_display == Display::Current) return chg.Paid == 0;
        if (m_display == Display::Cleared) return chg.Paid != 0;
        return true;
    });
    c.format = core::rowCells<core::Charges>([this](const core::Charges& chg) {
        m_chargesTotal += chg.UNPAIDBAL.scaled();
        return std::vector<std::string>{core::formatPicture("@d2", chg.Date),
                                        std::string(chg.REASON.view().substr(0, 20)), invoiceText(chg.INVOICENUM),
                                        moneyText(chg.AMOUNT), moneyText(chg.UNPAIDBAL)};
    });
    c.maxRows = 1000000;
    m_charges = std::make_unique<core::RelatedList>(ui, m_chg.handle, c);
}

BrwsCustAccount::~BrwsCustAccount() = default;

bool BrwsCustAccount::open() {
    if (!m_cus.isOpen() || !m_pay.isOpen() || !m_chg.isOpen()) return false;
    m_cus.handle.clear();
    m_cus.rec().Name = m_name;
    switch (m_cus.handle.get(core::Customer::byName)) {
    case ErrorCode::None: break;
    case ErrorCode::FileNotOpen:
        m_ui.message("Critical Error", "Error getting Customer Record.  File not open.", core::Icon::Warning,
                     core::Button::Ok, core::Button::Ok);
        return false;
    case ErrorCode::RecordInUse:
        m_ui.message("Sharing Violation", "Customer record already in use at another station.", core::Icon::Warning,
                     core::Button::Ok, core::Button::Ok);
        return false;
    default:
        m_ui.message("Critical Error", "Error getting Customer record.  Record Not Found.", core::Icon::Warning,
                     core::Button::Ok, core::Button::Ok);
        return false;
    }
    core::glo.CustName = name();
    reload();
    return true;
}

std::string BrwsCustAccount::personName() const {
    const std::string last(customer().LNAME.view());
    const std::string first(customer().FNAME.view());
    if (last.empty() && first.empty()) return "(none)";
    if (last.empty()) return first;
    if (first.empty()) return last;
    return last + ", " + first;
}

void BrwsCustAccount::reload() {
    const ErrorCode pe = m_payments->load();
    const ErrorCode ce = m_charges->load();
    if (pe != ErrorCode::None || ce != ErrorCode::None) {
        m_closed = true;  // the list has said "Record Retrieval Error"
    }
}

void BrwsCustAccount::setDisplay(Display d) {
    m_display = d;
    // "All" lists the payments in customer order, the others by applied flag and date.
    m_paySpec.key = d == Display::All ? core::Payments::byCustomer : core::Payments::byCustAppDate;
    m_payments = std::make_unique<core::RelatedList>(m_ui, m_pay.handle, m_paySpec);
    reload();
}

void BrwsCustAccount::postPayment() {
    core::glo.CustName = name();
    m_payments->insert(name());
    m_charges->load();
    m_focus = Focus::Payments;
}

void BrwsCustAccount::postCharge() {
    core::glo.CustName = name();
    m_charges->insert(name());
    m_payments->load();
    m_focus = Focus::Charges;
}

void BrwsCustAccount::changePayment() {
    m_payments->change(name());
    m_charges->load();
    m_focus = Focus::Payments;
}

void BrwsCustAccount::deletePayment() {
    m_payments->remove(name());
    m_charges->load();
    m_focus = Focus::Payments;
}

void BrwsCustAccount::changeCharge() {
    m_charges->change(name());
    m_payments->load();
    m_focus = Focus::Charges;
}

void BrwsCustAccount::deleteCharge() {
    m_charges->remove(name());
    m_payments->load();
    m_focus = Focus::Charges;
}

void BrwsCustAccount::close() {
    storeCustomerBalance(m_db, m_ui, name());
    m_closed = true;
}

BrwsCustAccount::Focus BrwsCustAccount::takeFocus() {
    const Focus f = m_focus;
    m_focus = Focus::None;
    return f;
}

}  // namespace quay::desk
