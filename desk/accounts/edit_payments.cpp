// The payment form's behaviour. The two lists are read again after every
// application or removal, and the total applied is the stored sum of the payment's
// applications, so what the form shows is what is stored.
#include "accounts/edit_payments.h"

#include <cstring>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/masters/numbered_insert.h"
#include "quay/store/transaction.h"
#include "quay/tools/date_select.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "quay/ui/record_fields.h"

namespace quay::desk {

using core::ErrorCode;

namespace {

constexpr const char* kSaveQuestion =
    "Are you sure you want to save payment?|You have not applied this payment to any invoices.  You apply to charges "
    "by double-clicking the charges listed.  Press F1 for further help";

// The payment's own fields, without what applications change (the unapplied amount
// and its flag): another station's change of these is a conflict, our applications
// are not.
bool sameEntry(core::Payments a, core::Payments b) {
    a.UNAPPAMT = b.UNAPPAMT;
    a.Applied = b.Applied;
    return core::recordsEqual(core::Payments::desc(), &a, &b);
}

}  // namespace

EditPayments::EditPayments(core::Database& db, core::UiPort& ui, core::Table& payments,
                           const core::WindowRequest& request)
    : m_db(db),
      m_ui(ui),
      m_table(payments),
      m_request(request.request),
      m_owner(request.text),
      m_ledger(db, ui),
      m_listChg(db, ui),
      m_listApp(db, ui),
      m_joinChg(db, ui) {
    core::glo.GlobalRequest = core::Request::None;
    core::glo.GlobalResponse = core::Response::None;
    m_response.response = core::Response::Cancelled;

    core::RelatedListSpec out;
    out.headings = {"Date", "Invoice#", "Amount", "Balance", "Reason"};
    out.key = core::Charges::byCustPaidDate;
    out.start = core::recordSetter<core::Charges>([this](core::Charges& c) {
        c.Customer = rec().Customer.view();
        c.Paid = 0;
        c.Date = 0;
    });
    out.belongs = core::rowsWhere<core::Charges>(
        [this](const core::Charges& c) { return c.Customer.equalsNoCase(rec().Customer.view()) && c.Paid == 0; });
    out.format = core::rowCells<core::Charges>([](const core::Charges& c) {
        return std::vector<std::string>{core::formatPicture("@d2", c.Date), invoiceText(c.INVOICENUM),
                                        moneyText(c.AMOUNT), moneyText(c.UNPAIDBAL), c.REASON.str()};
    });
    out.maxRows = 100000;
    m_outstanding = std::make_unique<core::RelatedList>(ui, m_listChg.handle, out);

    core::RelatedListSpec app;
    app.headings = {"Date", "Invoice#", "Amount", "Reason"};
    app.key = core::Applied::byPayId;
    app.start = core::recordSetter<core::Applied>([this](core::Applied& a) { a.PayId = rec().Id; });
    app.belongs = core::rowsWhere<core::Applied>([this](const core::Applied& a) { return a.PayId == rec().Id; });
    app.format = core::rowCells<core::Applied>([this](const core::Applied& a) {
        m_joinChg.handle.clear();
        m_joinChg.rec().Id = a.ChgId;
        const bool found = m_joinChg.handle.get(core::Charges::byId) == ErrorCode::None;
        const core::Charges& c = m_joinChg.rec();
        return std::vector<std::string>{found ? core::formatPicture("@d2", c.Date) : std::string(),
                                        found ? invoiceText(c.INVOICENUM) : std::string(), moneyText(a.AMOUNT),
                                        found ? c.REASON.str() : std::string()};
    });
    app.maxRows = 100000;
    m_applied = std::make_unique<core::RelatedList>(ui, m_listApp.handle, app);
}

EditPayments::~EditPayments() = default;

void EditPayments::finish(core::Response r) {
    m_closed = true;
    m_response.response = r;
    core::glo.GlobalResponse = r;
}

bool EditPayments::open() {
    if (!m_ledger.isOpen() || !m_listChg.isOpen() || !m_listApp.isOpen() || !m_joinChg.isOpen()) {
        finish(core::Response::Cancelled);
        return false;
    }
    m_openDate = core::today();
    m_openTime = core::now();
    switch (m_request) {
    case core::Request::Insert: {
        const std::string customer = m_owner.empty() ? rec().Customer.str() : m_owner;
        m_table.clear();
        rec().Customer = customer;
        rec().Date = core::today();
        rec().Applied = 1;  // nothing received yet, so nothing is left to apply
        if (core::addNumbered(m_db, m_ui, m_table, core::Payments::byId, core::fieldOf(&core::Payments::Id)) !=
            core::NumberedInsert::Added) {
            finish(core::Response::Cancelled);
            return false;
        }
        break;
    }
    case core::Request::Change: break;
    case core::Request::Delete: return deleteNow();
    default: finish(core::Response::Cancelled); return false;
    }
    m_snapshot = rec();
    methodSelected();
    if (!reloadLists()) return false;
    afterEvent();
    return true;
}

bool EditPayments::reloadLists() {
    const ErrorCode e1 = m_outstanding->load();
    const ErrorCode e2 = e1 == ErrorCode::None ? m_applied->load() : e1;
    if (e1 != ErrorCode::None || e2 != ErrorCode::None) {
        // The list has said "Record Retrieval Error"; the form ends.
        cancel();
        return false;
    }
    m_totalApplied = appliedToPayment(m_ledger, rec().Id);
    return true;
}

void EditPayments::methodSelected() {
    const std::string_view method = rec().Method.view();
    if (method == "Cash") {
        rec().CHECKNUM = "";
        rec().CCNUM = "";
        m_checkEnabled = false;
        m_cardEnabled = false;
    } else if (method == "Check") {
        rec().CCNUM = "";
        m_checkEnabled = true;
        m_cardEnabled = false;
    } else if (method == "Credit") {
        rec().CHECKNUM = "";
        m_checkEnabled = false;
        m_cardEnabled = true;
    }
    if (m_onReload) m_onReload();
}

bool EditPayments::amountAccepted() {
    methodSelected();
    afterEvent();
    if (rec().AMOUNT.scaled() == 0) {
        m_ui.beep(150, 16);
        m_focus = Focus::Amount;
        return false;
    }
    return true;
}

void EditPayments::dateKey(bool f2) {
    if (rec().Date != 0 && !f2) return;
    if (rec().Date == 0) rec().Date = core::today();
    core::glo.CalendarTitle = "Select Payment Date";
    rec().Date = core::DATESELECT(m_ui, rec().Date);
    if (m_onReload) m_onReload();
}

void EditPayments::afterEvent() {
    const std::int64_t unapplied = rec().AMOUNT.scaled() - m_totalApplied;
    if (Money::fits(unapplied)) rec().UNAPPAMT = money(unapplied);
    rec().Applied = rec().UNAPPAMT.scaled() == 0 ? 1 : 0;
}

EditPayments::Focus EditPayments::takeFocus() {
    const Focus f = m_focus;
    m_focus = Focus::None;
    return f;
}

void EditPayments::applyHighlighted() {
    std::int32_t chgId = 0;
    if (const auto i = m_outstanding->current();
        i && m_listChg.handle.reget(m_outstanding->rows()[*i].position) == ErrorCode::None)
        chgId = m_listChg.rec().Id;
    afterEvent();
    const LedgerOutcome o =
        applyToCharge(m_ledger, m_ui, rec().Id, chgId, rec().UNAPPAMT.scaled(), m_openDate, m_openTime);
    if (o == LedgerOutcome::Done) m_cancelVisible = false;
    reloadLists();
    afterEvent();
    m_focus = Focus::Outstanding;
    if (m_onReload) m_onReload();
}

void EditPayments::applyToOldest() {
    afterEvent();
    const LedgerOutcome o =
        desk::applyToOldest(m_ledger, m_ui, rec().Id, rec().Customer.str(), rec().UNAPPAMT.scaled());
    if (o == LedgerOutcome::NothingToDo && rec().UNAPPAMT.scaled() <= 0) return;
    m_cancelVisible = false;
    reloadLists();
    afterEvent();
    m_focus = Focus::Outstanding;
    if (m_onReload) m_onReload();
}

void EditPayments::removeHighlighted() {
    std::int32_t payId = 0, chgId = 0;
    if (const auto i = m_applied->current();
        i && m_listApp.handle.reget(m_applied->rows()[*i].position) == ErrorCode::None) {
        payId = m_listApp.rec().PayId;
        chgId = m_listApp.rec().ChgId;
    } else if (m_applied->current()) {
        // Listed but gone: another station removed it.
        m_ui.message("ERROR", "Record not available on Applied", core::Icon::Warning, core::Button::Ok,
                     core::Button::Ok);
        reloadLists();
        afterEvent();
        m_focus = Focus::Applied;
        if (m_onReload) m_onReload();
        return;
    }
    removeApplication(m_ledger, m_ui, payId, chgId);
    reloadLists();
    afterEvent();
    m_focus = Focus::Applied;
    if (m_onReload) m_onReload();
}

bool EditPayments::writePayment() {
    core::Transaction tx(m_db, {&m_table, &m_ledger.app.handle, &m_ledger.pay.handle});
    if (tx.begin() != ErrorCode::None) {
        core::saveError(tx.lastError(), tx.driverErrorText(), tx.driverErrorText(), tx.driverErrorCode());
        core::showStandardMessage(m_ui, core::StandardMessage::TransactionFramingError, {"Payments", tx.tableNames()});
        return false;
    }
    m_ledger.pay.handle.clear();
    m_ledger.pay.rec().Id = rec().Id;
    const ErrorCode found = m_ledger.pay.handle.get(core::Payments::byId);
    if (found != ErrorCode::None ||
        (m_request == core::Request::Change && !sameEntry(m_ledger.pay.rec(), m_snapshot))) {
        tx.rollback();
        m_ui.message("Update Operation Error", "This record was changed by another station.", core::Icon::Warning,
                     core::Button::Ok, core::Button::Ok);
        if (found == ErrorCode::None) {
            rec() = m_ledger.pay.rec();
            m_snapshot = rec();
            m_table.reget(m_ledger.pay.handle.position());
        }
        reloadLists();
        afterEvent();
        if (m_onReload) m_onReload();
        return false;
    }
    // The unapplied amount from what is stored, not from what the list last showed.
    m_totalApplied = appliedToPayment(m_ledger, rec().Id);
    afterEvent();
    for (;;) {
        const ErrorCode ec = m_table.put();
        if (ec == ErrorCode::None && tx.commit() == ErrorCode::None) return true;
        core::saveError(m_table);
        if (ec == ErrorCode::DuplicateKey) {
            tx.rollback();
            core::showStandardMessage(m_ui, core::StandardMessage::DuplicateKey, {"by Payment Id"});
            return false;
        }
        if (m_request == core::Request::Insert) {
            tx.rollback();
            core::showStandardMessage(m_ui, core::StandardMessage::InsertError);
            return false;
        }
        tx.rollback();
        switch (core::showStandardMessage(m_ui, core::StandardMessage::RetryUpdate)) {
        case core::Button::Yes: return writePayment();
        case core::Button::No: finish(core::Response::Cancelled); return true;
        default: return false;
        }
    }
}

bool EditPayments::ok() {
    if (m_closed) return true;
    afterEvent();
    if (!okEnabled()) return false;
    if (rec().UNAPPAMT.scaled() == rec().AMOUNT.scaled() &&
        m_ui.message("Save Payment?", kSaveQuestion, core::Icon::Question, core::Button::Yes | core::Button::No,
                     core::Button::Yes) != core::Button::Yes) {
        m_focus = Focus::Outstanding;
        return false;
    }
    if (m_request == core::Request::Change && sameEntry(rec(), m_snapshot) &&
        rec().UNAPPAMT.scaled() == m_snapshot.UNAPPAMT.scaled() && rec().Applied == m_snapshot.Applied) {
        finish(core::Response::Completed);
        return true;
    }
    if (!writePayment()) return m_closed;
    finish(core::Response::Completed);
    return true;
}

bool EditPayments::cancel() {
    if (m_closed) return true;
    if (m_request == core::Request::Insert) {
        reversePayment(m_ledger, m_ui, rec().Id, true);
    } else if (m_request == core::Request::Change) {
        // The edits go; the unapplied amount follows the applications already stored.
        core::Transaction tx(m_db, {&m_ledger.app.handle, &m_ledger.pay.handle});
        if (tx.begin() == ErrorCode::None && syncPayment(m_ledger, rec().Id) == ErrorCode::None) tx.commit();
        if (m_ledger.pay.handle.get(core::Payments::byId) == ErrorCode::None) rec() = m_ledger.pay.rec();
    }
    finish(core::Response::Cancelled);
    return true;
}

bool EditPayments::deleteNow() {
    for (;;) {
        const LedgerOutcome o = reversePayment(m_ledger, m_ui, rec().Id, true);
        if (o == LedgerOutcome::Done) {
            finish(core::Response::Completed);
            return false;
        }
        if (o != LedgerOutcome::Failed ||
            core::showStandardMessage(m_ui, core::StandardMessage::RetryDelete) != core::Button::Yes) {
            finish(core::Response::Cancelled);
            return false;
        }
    }
}

}  // namespace quay::desk
