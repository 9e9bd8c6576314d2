// The charge form's behaviour. Protection is decided when the form opens: from the
// invoice number, and from whether payments are applied to the charge.
#include "accounts/edit_charges.h"

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/masters/numbered_insert.h"
#include "quay/store/transaction.h"
#include "quay/tools/date_select.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "quay/ui/record_fields.h"

namespace quay::desk {

using core::ErrorCode;

namespace {

// The charge without what applications change: another station's applications are no
// conflict, its edits are.
bool sameEntry(core::Charges a, core::Charges b) {
    a.UNPAIDBAL = b.UNPAIDBAL;
    a.Paid = b.Paid;
    return core::recordsEqual(core::Charges::desc(), &a, &b);
}

void invalid(core::UiPort& ui, const char* text) {
    ui.message("Invalid Operation", text, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
}

}  // namespace

EditCharges::EditCharges(core::Database& db, core::UiPort& ui, core::Table& charges, const core::WindowRequest& request)
    : m_db(db),
      m_ui(ui),
      m_table(charges),
      m_request(request.request),
      m_owner(request.text),
      m_ledger(db, ui),
      m_listApp(db, ui),
      m_joinPay(db, ui) {
    core::glo.GlobalRequest = core::Request::None;
    core::glo.GlobalResponse = core::Response::None;
    m_response.response = core::Response::Cancelled;
    core::RelatedListSpec spec;
    spec.headings = {"Date", "Method", "Amount", "Check#"};
    spec.key = core::Applied::byChgId;
    spec.start = core::recordSetter<core::Applied>([this](core::Applied& a) { a.ChgId = rec().Id; });
    spec.belongs = core::rowsWhere<core::Applied>([this](const core::Applied& a) { return a.ChgId == rec().Id; });
    spec.format = core::rowCells<core::Applied>([this](const core::Applied& a) {
        m_joinPay.handle.clear();
        m_joinPay.rec().Id = a.PayId;
        const bool found = m_joinPay.handle.get(core::Payments::byId) == ErrorCode::None;
        const core::Payments& p = m_joinPay.rec();
        return std::vector<std::string>{found ? core::formatPicture("@d2", p.Date) : std::string(),
                                        found ? p.Method.str() : std::string(),
                                        moneyText(a.AMOUNT),
                                        found ? p.CHECKNUM.str() : std::string()};
    });
    spec.maxRows = 100000;
    m_payments = std::make_unique<core::RelatedList>(ui, m_listApp.handle, spec);
}

EditCharges::~EditCharges() = default;

const char* EditCharges::statusText() const {
    switch (m_request) {
        case core::Request::Insert: return "Record will be Added";
        case core::Request::Delete: return "Record will be Deleted";
        default: return "Record will be Changed";
    }
}

void EditCharges::finish(core::Response r) {
    m_closed = true;
    m_response.response = r;
    core::glo.GlobalResponse = r;
}

bool EditCharges::open() {
    if (!m_ledger.isOpen() || !m_listApp.isOpen() || !m_joinPay.isOpen()) {
        finish(core::Response::Cancelled);
        return false;
    }
    if (m_request == core::Request::Insert) {
        const std::string customer = !m_owner.empty() ? m_owner : core::glo.CustName.str();
        m_table.clear();
        rec().Customer = customer;
        rec().Paid = 0;
        rec().Date = core::today();
        if (core::addNumbered(m_db, m_ui, m_table, core::Charges::byId, core::fieldOf(&core::Charges::Id)) !=
            core::NumberedInsert::Added) {
            finish(core::Response::Cancelled);
            return false;
        }
    } else if (m_request != core::Request::Change && m_request != core::Request::Delete) {
        finish(core::Response::Cancelled);
        return false;
    }
    if (m_request == core::Request::Delete && rec().INVOICENUM > 0) {
        invalid(m_ui, "Cannot delete charge from ticket.  To remove charge, re-open ticket.");
        finish(core::Response::Cancelled);
        return false;
    }
    if (rec().INVOICENUM > 0) m_dateEnabled = m_reasonEnabled = m_amountEnabled = false;
    if (const ErrorCode e = m_payments->load(); e != ErrorCode::None) {
        cancel();  // the list has said "Record Retrieval Error"
        return false;
    }
    if (m_payments->rowCount() > 0) {
        m_dateEnabled = m_amountEnabled = false;
        if (m_request == core::Request::Delete) {
            invalid(m_ui, "Can't Delete charge with payments posted.");
            finish(core::Response::Cancelled);
            return false;
        }
    }
    m_totalApplied = appliedToCharge(m_ledger, rec().Id);
    m_snapshot = rec();
    return true;
}

void EditCharges::dateKey(bool f2) {
    if (!m_dateEnabled || (rec().Date != 0 && !f2)) return;
    if (rec().Date == 0) rec().Date = core::today();
    core::glo.CalendarTitle = "Select Charge Date";
    rec().Date = core::DATESELECT(m_ui, rec().Date);
    if (m_onReload) m_onReload();
}

void EditCharges::afterEvent() {
    if (m_request == core::Request::Delete) return;
    const std::int64_t unpaid = rec().AMOUNT.scaled() - m_totalApplied;
    if (Money::fits(unpaid)) rec().UNPAIDBAL = money(unpaid);
    if (unpaid != 0) rec().Paid = 0;
}

bool EditCharges::takeFirstFieldRequest() {
    const bool r = m_firstField;
    m_firstField = false;
    return r;
}

bool EditCharges::writeInsert() {
    // Nothing can be applied to a charge nobody has seen yet, but another station may
    // have: the balance comes from what is stored.
    m_totalApplied = appliedToCharge(m_ledger, rec().Id);
    afterEvent();
    if (const ErrorCode ec = m_table.put(); ec != ErrorCode::None) {
        core::saveError(m_table);
        if (ec == ErrorCode::DuplicateKey) {
            const bool invoice = m_table.duplicateKey() == static_cast<int>(core::Charges::byInvoiceNum.index);
            core::showStandardMessage(m_ui, core::StandardMessage::DuplicateKey,
                                      {invoice ? "by In&voice#" : "by Charges &Id"});
        } else {
            core::showStandardMessage(m_ui, core::StandardMessage::InsertError);
        }
        m_firstField = true;
        return false;
    }
    finish(core::Response::Completed);
    return true;
}

bool EditCharges::writeChange() {
    for (;;) {
        core::Transaction tx(m_db, {&m_table, &m_ledger.app.handle, &m_ledger.chg.handle});
        if (tx.begin() != ErrorCode::None) {
            core::saveError(tx.lastError(), tx.driverErrorText(), tx.driverErrorText(),
                            tx.driverErrorCode());
            core::showStandardMessage(m_ui, core::StandardMessage::TransactionFramingError, {"Charges", tx.tableNames()});
            return false;
        }
        m_ledger.chg.handle.clear();
        m_ledger.chg.rec().Id = m_snapshot.Id;
        const ErrorCode found = m_ledger.chg.handle.get(core::Charges::byId);
        if (found != ErrorCode::None || !sameEntry(m_ledger.chg.rec(), m_snapshot)) {
            tx.rollback();
            m_ui.message("Update Operation Error", "This record was changed by another station.", core::Icon::Warning,
                         core::Button::Ok, core::Button::Ok);
            if (found != ErrorCode::None) {
                finish(core::Response::Cancelled);
                return true;
            }
            rec() = m_ledger.chg.rec();
            m_snapshot = rec();
            m_table.reget(m_ledger.chg.handle.position());
            m_payments->load();
            m_totalApplied = appliedToCharge(m_ledger, rec().Id);
            if (m_onReload) m_onReload();
            return false;
        }
        m_totalApplied = appliedToCharge(m_ledger, rec().Id);
        afterEvent();
        const ErrorCode ec = m_table.put();
        if (ec == ErrorCode::None && tx.commit() == ErrorCode::None) {
            finish(core::Response::Completed);
            return true;
        }
        core::saveError(m_table);
        tx.rollback();
        if (ec == ErrorCode::DuplicateKey) {
            core::showStandardMessage(m_ui, core::StandardMessage::DuplicateKey, {"by In&voice#"});
            return false;
        }
        switch (core::showStandardMessage(m_ui, core::StandardMessage::RetryUpdate)) {
            case core::Button::Yes: continue;
            case core::Button::No: finish(core::Response::Cancelled); return true;
            default: return false;
        }
    }
}

bool EditCharges::eraseNow() {
    for (;;) {
        if (deleteCharge(m_ledger, m_ui, rec().Id) == LedgerOutcome::Done) {
            finish(core::Response::Completed);
            return true;
        }
        switch (core::showStandardMessage(m_ui, core::StandardMessage::RetryDelete)) {
            case core::Button::Yes: continue;
            case core::Button::No: finish(core::Response::Cancelled); return true;
            default: return false;
        }
    }
}

bool EditCharges::ok() {
    if (m_closed) return true;
    afterEvent();
    switch (m_request) {
        case core::Request::Insert: return writeInsert();
        case core::Request::Change:
            if (core::recordsEqual(core::Charges::desc(), &rec(), &m_snapshot)) {
                finish(core::Response::Completed);
                return true;
            }
            return writeChange();
        case core::Request::Delete: return eraseNow();
        default: finish(core::Response::Cancelled); return true;
    }
}

bool EditCharges::cancel() {
    if (m_closed) return true;
    if (m_request == core::Request::Insert && rec().Id != 0) deleteCharge(m_ledger, m_ui, rec().Id);
    else if (m_request == core::Request::Change) rec() = m_snapshot;
    finish(core::Response::Cancelled);
    return true;
}

}  // namespace quay::desk
