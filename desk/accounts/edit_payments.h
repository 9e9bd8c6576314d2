// EditPayments ("Post Payment Form"): enters, changes or deletes one customer payment
// and applies it to the customer's open charges.
//
//   insert: the payment is numbered and added when the form opens; OK writes the
//           entered values; Cancel undoes every application made meanwhile and
//           removes the payment.
//   change: applications are stored as they are made; OK writes the payment when it
//           differs from the copy taken at open (another station's change of it is
//           shown and the form stays open); Cancel discards the edits but stores the
//           unapplied amount recomputed from the applications, so the payment always
//           agrees with them.
//   delete: no window: every application is undone (a charge's balance is never
//           raised past its amount) and the payment removed, in one transaction.
//
// "Outstanding Invoices" lists the customer's unpaid charges oldest first; a
// double-click applies the payment to the highlighted one. "Payments Applied" lists
// the payment's applications with their charges; a double-click removes one. Each
// application and removal is its own transaction (see ar_ledger.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "accounts/ar_ledger.h"
#include "quay/app/ui_port.h"
#include "quay/masterlists/related_list.h"
#include "quay/store/table.h"

namespace quay::desk {

class EditPayments {
public:
    static constexpr const char* kProcedure = "EditPayments";
    static constexpr const char* kTitle = "Post Payment Form";
    enum class Focus { None, Amount, Outstanding, Applied };

    // REQUIRES: `payments` is a Payments handle on `db`, open, holding the payment for
    // change and delete; for insert request.text (or the buffer) names the customer.
    EditPayments(core::Database& db, core::UiPort& ui, core::Table& payments, const core::WindowRequest& request);
    ~EditPayments();

    // Opens the form; false when it is already over (delete, a failed insert).
    bool open();
    core::Payments& rec() { return *static_cast<core::Payments*>(m_table.buffer()); }
    core::Request request() const { return m_request; }

    core::RelatedList& outstanding() { return *m_outstanding; }
    core::RelatedList& applied() { return *m_applied; }
    std::int64_t totalApplied() const { return m_totalApplied; }

    // --- field events ---
    void methodSelected();  // the method rule
    bool amountAccepted();  // false: beep, the cursor stays on Amount
    // A key on Date: opens the calendar for a date of 0 (set to today first) or on F2.
    void dateKey(bool f2);
    void afterEvent();  // PAY:UNAPPAMT and PAY:Applied from the amount and the total applied

    // --- commands ---
    void applyHighlighted();   // double-click on "Outstanding Invoices"
    void applyToOldest();      // "Apply to &Oldest"
    void removeHighlighted();  // double-click on "Payments Applied"
    bool ok();                 // true when the form is over
    bool cancel();             // true when the form is over

    // --- what the view shows ---
    bool checkFieldsEnabled() const { return m_checkEnabled; }
    bool cardFieldsEnabled() const { return m_cardEnabled; }
    bool okEnabled() const { return rec().UNAPPAMT.scaled() >= 0; }
    bool cancelEnabled() const { return okEnabled(); }
    bool cancelVisible() const { return m_cancelVisible; }
    Focus takeFocus();
    void setReloadListener(std::function<void()> l) { m_onReload = std::move(l); }

    bool isClosed() const { return m_closed; }
    core::WindowResponse response() const { return m_response; }

private:
    const core::Payments& rec() const { return *static_cast<const core::Payments*>(m_table.buffer()); }
    bool reloadLists();
    void finish(core::Response r);
    bool deleteNow();
    bool writePayment();

    core::Database& m_db;
    core::UiPort& m_ui;
    core::Table& m_table;
    core::Request m_request;
    std::string m_owner;
    ArTables m_ledger;
    core::HeldTable<core::Charges> m_listChg;
    core::HeldTable<core::Applied> m_listApp;
    core::HeldTable<core::Charges> m_joinChg;
    std::unique_ptr<core::RelatedList> m_outstanding;
    std::unique_ptr<core::RelatedList> m_applied;
    core::Payments m_snapshot{};
    std::int32_t m_openDate = 0;
    std::int32_t m_openTime = 0;
    std::int64_t m_totalApplied = 0;
    bool m_checkEnabled = true;
    bool m_cardEnabled = true;
    bool m_cancelVisible = true;
    bool m_closed = false;
    Focus m_focus = Focus::None;
    core::WindowResponse m_response;
    std::function<void()> m_onReload;
};

}  // namespace quay::desk
