// The charge form's behaviour on the form pattern. Protection is decided when the
// form opens: from the invoice number, and from whether payments are applied to the
// charge.
#include "accounts/edit_charges.h"

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
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

core::FormSpec chargeFormSpec() {
    core::FormSpec spec;
    spec.procedure = EditCharges::kProcedure;
    spec.title = EditCharges::kTitle;
    spec.numberField = core::fieldOf(&core::Charges::Id);
    spec.numberKey = core::Charges::byId;
    spec.deleteAtOk = true;
    return spec;
}

}  // namespace

EditCharges::EditCharges(core::Database& db, core::UiPort& ui, core::Table& charges, const core::WindowRequest& request)
    : core::FormWindow(db, ui, charges, chargeFormSpec(), request),
      m_table(charges),
      m_owner(request.text),
      m_ledger(db, ui),
      m_listApp(db, ui),
      m_joinPay(db, ui) {
    core::glo.GlobalRequest = core::Request::None;
    core::glo.GlobalResponse = core::Response::None;
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
                                        found ? p.Method.str() : std::string(), moneyText(a.AMOUNT),
                                        found ? p.CHECKNUM.str() : std::string()};
    });
    spec.maxRows = 100000;
    m_payments = std::make_unique<core::RelatedList>(ui, m_listApp.handle, spec);
}

EditCharges::~EditCharges() = default;

std::string EditCharges::statusText() const {
    switch (request()) {
    case core::Request::Insert: return "Record will be Added";
    case core::Request::Delete: return "Record will be Deleted";
    default: return "Record will be Changed";
    }
}

bool EditCharges::mayOpen() {
    if (!m_ledger.isOpen() || !m_listApp.isOpen() || !m_joinPay.isOpen()) return false;
    const core::Request r = request();
    if (r == core::Request::Insert) return true;  // a new charge has nothing applied yet
    if (r != core::Request::Change && r != core::Request::Delete) return false;
    if (r == core::Request::Delete && rec().INVOICENUM > 0) {
        invalid(ui(), "Cannot delete charge from ticket.  To remove charge, re-open ticket.");
        return false;
    }
    if (rec().INVOICENUM > 0) m_dateEnabled = m_reasonEnabled = m_amountEnabled = false;
    if (m_payments->load() != ErrorCode::None) return false;  // the list has said "Record Retrieval Error"
    if (m_payments->rowCount() > 0) {
        m_dateEnabled = m_amountEnabled = false;
        if (r == core::Request::Delete) {
            invalid(ui(), "Can't Delete charge with payments posted.");
            return false;
        }
    }
    m_totalApplied = appliedToCharge(m_ledger, rec().Id);
    return true;
}

bool EditCharges::primeInsert() {
    rec().Customer = !m_owner.empty() ? m_owner : core::glo.CustName.str();
    rec().Paid = 0;
    rec().Date = core::today();
    return true;
}

void EditCharges::dateKey(bool f2) {
    if (!m_dateEnabled || (rec().Date != 0 && !f2)) return;
    if (rec().Date == 0) rec().Date = core::today();
    core::glo.CalendarTitle = "Select Charge Date";
    rec().Date = core::DATESELECT(ui(), rec().Date);
    reloaded();
}

void EditCharges::afterEvent() {
    if (request() == core::Request::Delete) return;
    const std::int64_t unpaid = rec().AMOUNT.scaled() - m_totalApplied;
    if (Money::fits(unpaid)) rec().UNPAIDBAL = money(unpaid);
    if (unpaid != 0) rec().Paid = 0;
}

bool EditCharges::beforeWrite() {
    afterEvent();
    return true;
}

std::optional<core::Response> EditCharges::writeRecord() {
    afterEvent();
    if (request() == core::Request::Change) return writeChange();
    if (request() != core::Request::Insert) return std::nullopt;  // delete: the pattern calls removeRecord()
    // Nothing can be applied to a charge nobody has seen yet, but another station may
    // have: the balance comes from what is stored.
    m_totalApplied = appliedToCharge(m_ledger, rec().Id);
    afterEvent();
    if (const ErrorCode ec = m_table.put(); ec != ErrorCode::None) {
        core::saveError(m_table);
        if (ec == ErrorCode::DuplicateKey) {
            const bool invoice = m_table.duplicateKey() == static_cast<int>(core::Charges::byInvoiceNum.index);
            core::showStandardMessage(ui(), core::StandardMessage::DuplicateKey,
                                      {invoice ? "by In&voice#" : "by Charges &Id"});
        } else {
            core::showStandardMessage(ui(), core::StandardMessage::InsertError);
        }
        requestFocus(firstField());
        return core::Response::None;
    }
    return core::Response::Completed;
}

std::optional<core::Response> EditCharges::writeChange() {
    if (!isChanged()) return core::Response::Completed;
    core::Charges snapshot{};
    const core::TableDesc& desc = core::Charges::desc();
    for (std::size_t f = 0; f < desc.fields.size(); ++f)
        core::copyField(desc, static_cast<int>(f), original().data(), &snapshot);
    for (;;) {
        core::Transaction tx(database(), {&m_table, &m_ledger.app.handle, &m_ledger.chg.handle});
        if (tx.begin() != ErrorCode::None) {
            core::saveError(tx.lastError(), tx.driverErrorText(), tx.driverErrorText(), tx.driverErrorCode());
            core::showStandardMessage(ui(), core::StandardMessage::TransactionFramingError,
                                      {"Charges", tx.tableNames()});
            return core::Response::None;
        }
        m_ledger.chg.handle.clear();
        m_ledger.chg.rec().Id = snapshot.Id;
        const ErrorCode found = m_ledger.chg.handle.get(core::Charges::byId);
        if (found != ErrorCode::None || !sameEntry(m_ledger.chg.rec(), snapshot)) {
            tx.rollback();
            ui().message("Update Operation Error", "This record was changed by another station.", core::Icon::Warning,
                         core::Button::Ok, core::Button::Ok);
            if (found != ErrorCode::None) return core::Response::Cancelled;
            // The other station's version is shown and becomes the copy the next OK
            // and Cancel compare with.
            rec() = m_ledger.chg.rec();
            m_table.reget(m_ledger.chg.handle.position());
            m_payments->load();
            m_totalApplied = appliedToCharge(m_ledger, rec().Id);
            takeCopy();
            reloaded();
            return core::Response::None;
        }
        m_totalApplied = appliedToCharge(m_ledger, rec().Id);
        afterEvent();
        const ErrorCode ec = m_table.put();
        if (ec == ErrorCode::None && tx.commit() == ErrorCode::None) return core::Response::Completed;
        core::saveError(m_table);
        tx.rollback();
        if (ec == ErrorCode::DuplicateKey) {
            core::showStandardMessage(ui(), core::StandardMessage::DuplicateKey, {"by In&voice#"});
            return core::Response::None;
        }
        switch (core::showStandardMessage(ui(), core::StandardMessage::RetryUpdate)) {
        case core::Button::Yes: continue;
        case core::Button::No: return core::Response::Cancelled;
        default: return core::Response::None;
        }
    }
}

bool EditCharges::removeRecord() {
    for (;;) {
        if (deleteCharge(m_ledger, ui(), rec().Id) == LedgerOutcome::Done) {
            finish(core::Response::Completed);
            return true;
        }
        switch (core::showStandardMessage(ui(), core::StandardMessage::RetryDelete)) {
        case core::Button::Yes: continue;
        case core::Button::No: finish(core::Response::Cancelled); return true;
        default: return false;
        }
    }
}

bool EditCharges::eraseAdded() { return deleteCharge(m_ledger, ui(), rec().Id) == LedgerOutcome::Done; }

}  // namespace quay::desk
