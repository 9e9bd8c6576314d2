// The invoice dialog's preparation and its payment range, and the payment dialog's
// method-dependent fields.
#include "orders/invoice_dialogs.h"

#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/defaults/company_defaults.h"
#include "quay/types/date.h"

namespace quay::desk {

using core::Button;
using core::Icon;

namespace {

core::FormSpec dialogSpec(const char* procedure, const char* caption) {
    core::FormSpec s;
    s.procedure = procedure;
    s.title = caption;
    return s;
}

core::WindowRequest changeRequest() {
    core::WindowRequest r;
    r.request = core::Request::Change;
    return r;
}

int orderField(const char* name) { return fieldIndexOf(core::Orders::desc(), name); }
int paymentField(const char* name) { return fieldIndexOf(core::Payments::desc(), name); }

}  // namespace

SaveInvoiceForm::SaveInvoiceForm(core::Database& db, core::UiPort& ui, core::Orders& order)
    : FormWindow(ui, core::Orders::desc(), &order, dialogSpec(kProcedure, kCaption), changeRequest()),
      m_db(db),
      m_ui(ui),
      m_order(order),
      m_lookups(db, ui) {}

bool SaveInvoiceForm::open() {
    core::HeldTable<core::Defaults> def(m_db, m_ui);
    if (!def.isOpen()) return false;
    if (core::GETCOMPANYDEFAULTS(def.handle, 1) != 0) {
        m_ui.message("ERROR", "Set Company Defaults First", Icon::Error, Button::Ok, Button::Ok);
        return false;
    }
    core::glo.PrintPackList = def.handle.rec.FLAG1 ? 1 : 0;
    if (def.handle.rec.DEFAULTTOAR)
        m_order.DOWNPAYMENT.clear();
    else
        m_order.DOWNPAYMENT = m_order.TOTAL;
    m_order.OrdDate = core::today();
    m_accepted[0] = std::string(m_order.TERMS.view());
    m_accepted[1] = std::string(m_order.SHIPVIA.view());
    // The copy is taken now, so only what the user changes counts as a change.
    return FormWindow::open();
}

bool SaveInvoiceForm::acceptField(HeaderField field, bool mayOpenList) {
    // REQUIRES: field is TERMS or SHIPVIA.
    std::string& accepted = m_accepted[field == HeaderField::TERMS ? 0 : 1];
    const std::string typed(headerText(m_order, field));
    if (typed == accepted) return true;
    if (!mayOpenList) return refuseAt(field == HeaderField::TERMS ? Focus::TERMS : Focus::SHIPVIA, kNotLookedUp);
    const core::LookupResult r = m_lookups.check(field, typed);
    if (!r.accepted()) return false;
    setHeaderText(m_order, field, r.value);
    accepted = r.value;
    return true;
}

bool SaveInvoiceForm::browseField(HeaderField field) {
    const core::LookupResult r = m_lookups.browse(field);
    if (!r.accepted()) return false;
    setHeaderText(m_order, field, r.value);
    m_accepted[field == HeaderField::TERMS ? 0 : 1] = r.value;
    return true;
}

bool SaveInvoiceForm::enterDate() {
    if (m_order.OrdDate != 0) return false;
    m_order.OrdDate = core::today();
    return true;
}

core::Decimal<13, 2> SaveInvoiceForm::balanceDue() const {
    core::Decimal<13, 2> due;
    (void)due.assign(m_order.TOTAL - m_order.DOWNPAYMENT);  // a valid payment never leaves the total's range
    return due;
}

bool SaveInvoiceForm::isValidPayment(const core::Decimal<13, 2>& total, const core::Decimal<13, 2>& amount) {
    const core::Decimal<13, 2> zero;
    if (total > zero) return !(amount < zero) && !(amount > total);
    if (total < zero) return !(amount < total) && !(amount > zero);
    return amount.isZero();
}

bool SaveInvoiceForm::acceptPayment() {
    if (isValidPayment(m_order.TOTAL, m_order.DOWNPAYMENT)) return true;
    return refuseAt(Focus::Payment, kPaymentRange);
}

bool SaveInvoiceForm::acceptPayment(const core::Decimal<13, 2>& amount) {
    if (!isValidPayment(m_order.TOTAL, amount)) return refuseAt(Focus::Payment, kPaymentRange);
    m_order.DOWNPAYMENT = amount;
    return true;
}

bool SaveInvoiceForm::refuseAt(Focus where, const char* reason) {
    m_focus = where;
    int field = -1;
    switch (where) {
    case Focus::InvoiceNum: field = orderField("InvoiceNum"); break;
    case Focus::Date: field = orderField("OrdDate"); break;
    case Focus::Payment: field = orderField("DOWNPAYMENT"); break;
    case Focus::TERMS: field = orderField("TERMS"); break;
    case Focus::SHIPVIA: field = orderField("SHIPVIA"); break;
    case Focus::None: break;
    }
    return refuse(field, reason);
}

bool SaveInvoiceForm::acceptInvoiceNumber() {
    if (m_order.InvoiceNum > 0) return true;
    return refuseAt(Focus::InvoiceNum, kNumberRequired);
}

bool SaveInvoiceForm::checkBeforeSave() {
    if (m_order.InvoiceNum <= 0) return refuseAt(Focus::InvoiceNum, kNumberRequired);
    // An invoice without a date would post a charge without one, which no statement
    // or aging bucket could place.
    if (m_order.OrdDate == 0) return refuseAt(Focus::Date, kDateRequired);
    if (!isValidPayment(m_order.TOTAL, m_order.DOWNPAYMENT)) return refuseAt(Focus::Payment, kPaymentRange);
    if (!(m_order.TERMS.view() == m_accepted[0])) return refuseAt(Focus::TERMS, kNotLookedUp);
    if (!(m_order.SHIPVIA.view() == m_accepted[1])) return refuseAt(Focus::SHIPVIA, kNotLookedUp);
    m_focus = Focus::None;
    return true;
}

PostInvoicePayment::PostInvoicePayment(core::UiPort& ui, core::Payments& payment)
    : FormWindow(ui, core::Payments::desc(), &payment, dialogSpec(kProcedure, kCaption), changeRequest()),
      m_pay(payment) {}

bool PostInvoicePayment::checkFieldsEnabled() const { return m_pay.Method.view() == "Check"; }

bool PostInvoicePayment::cardFieldsEnabled() const { return m_pay.Method.view() == "Credit"; }

bool PostInvoicePayment::checkBeforeSave() {
    if (m_pay.Method.isBlank()) {
        m_focus = Focus::Method;
        return refuse(paymentField("Method"), kMethodRequired);
    }
    if (m_pay.Date == 0) {
        m_focus = Focus::Date;
        return refuse(paymentField("Date"), kDateRequired);
    }
    m_focus = Focus::None;
    return true;
}

}  // namespace quay::desk
