// The account ledger: the writes that keep a customer's charges, payments and the
// applications between them in agreement.
//
//   CHG:UNPAIDBAL = CHG:AMOUNT - sum of APP:AMOUNT of the charge's applications
//   PAY:UNAPPAMT  = PAY:AMOUNT - sum of APP:AMOUNT of the payment's applications
//   CHG:Paid = (CHG:UNPAIDBAL = 0) after an application; PAY:Applied = (PAY:UNAPPAMT = 0)
//
// Every application and every removal is one transaction over Applied, Charges and
// Payments: the application row, the charge and the stored payment's unapplied
// amount change together or not at all. The charge is read before the transaction
// and watched, so when another station changed it in between the write is refused
// (89) and the caller re-reads its lists; a balance is never computed from a stale
// charge. The stored payment's unapplied amount is recomputed inside the
// transaction from its stored amount and its stored applications, so it can never
// drift from them whatever the payment form later does.
#pragma once

#include <cstdint>
#include <string>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/applied.h"
#include "quay/tables/charges.h"
#include "quay/tables/customer.h"
#include "quay/tables/payments.h"

namespace quay::desk {

using Money = core::Decimal<13, 2>;

// The account tables a window holds while it is open, each through the open routine.
// `pay` is the ledger's own handle on Payments; a form's payment buffer is its own.
struct ArTables {
    ArTables(core::Database& db, core::UiPort& ui);
    bool isOpen() const;

    core::Database& db;
    core::HeldTable<core::Applied> app;
    core::HeldTable<core::Charges> chg;
    core::HeldTable<core::Payments> pay;
};

// The outcome of one ledger write; each failure has been shown to the user.
enum class LedgerOutcome {
    Done,
    NothingToDo,       // "Payment Completely Allocated" and the like
    ChargeMissing,     // the charge is gone ("No Matching Record")
    ChangedElsewhere,  // another station changed the charge meanwhile (89): re-read and try again
    Failed,            // a write or the transaction failed; nothing was written
};

// Sum of APP:AMOUNT over the payment's (charge's) applications, in cents.
std::int64_t appliedToPayment(ArTables& t, std::int32_t payId);
std::int64_t appliedToCharge(ArTables& t, std::int32_t chgId);

// Applies as much of the payment as the charge still needs (the smaller of the
// charge's unpaid balance and `unapplied`, the payment's unapplied amount as the form
// shows it) to the charge `chgId`, merging into the existing row of the pair (its
// date becomes today) or adding a new row stamped `stampDate`/`stampTime`.
// `applied` receives the amount added.
LedgerOutcome applyToCharge(ArTables& t, core::UiPort& ui, std::int32_t payId, std::int32_t chgId,
                            std::int64_t unapplied, std::int32_t stampDate, std::int32_t stampTime,
                            std::int64_t* applied = nullptr);

// Walks the customer's unpaid charges oldest first and applies the payment to each
// until `unapplied` is used up; each charge is its own transaction. A charge whose
// balance is already 0 is marked paid and skipped. Returns Done when anything was
// applied or marked.
LedgerOutcome applyToOldest(ArTables& t, core::UiPort& ui, std::int32_t payId, const std::string& customer,
                            std::int64_t unapplied);

// Removes the application of payment `payId` to charge `chgId`: the row goes, the
// charge's balance is raised again (unpaid when not 0), and the payment's unapplied
// amount recomputed. A row that is no longer there is reported ("Record not
// available on Applied") and nothing changes.
LedgerOutcome removeApplication(ArTables& t, core::UiPort& ui, std::int32_t payId, std::int32_t chgId);

// Undoes every application of the payment: each charge's balance is raised by the
// row's amount but never past the charge's own amount, and the row is deleted; then,
// when `deletePayment`, the payment itself. One transaction.
LedgerOutcome reversePayment(ArTables& t, core::UiPort& ui, std::int32_t payId, bool deletePayment);

// Deletes the charge and its applications in one transaction, giving each payment
// concerned its amount back.
LedgerOutcome deleteCharge(ArTables& t, core::UiPort& ui, std::int32_t chgId);

// Recomputes the stored payment's PAY:UNAPPAMT and PAY:Applied from its stored
// amount and applications. REQUIRES: a transaction over Payments and Applied runs.
core::ErrorCode syncPayment(ArTables& t, std::int32_t payId);

// The business's outstanding balance: unpaid balances of unpaid charges less the
// unapplied amounts of payments not fully applied, each one indexed pass over the
// open records only. False when a table is not open (reported).
bool outstandingBalance(core::Database& db, core::UiPort& ui, std::int64_t& cents);

// Stores the customer's current balance in CUS:BALANCEDUE, computed and written in
// one transaction through the program's balance routine. The one place the account
// windows write a stored balance.
core::ErrorCode storeCustomerBalance(core::Database& db, core::UiPort& ui, const std::string& customer);

// "Record Not Found" and the like as the account windows show them.
void showReadError(core::UiPort& ui, core::ErrorCode code);

inline Money money(std::int64_t cents) { return Money::fromScaled(cents); }

// A money column's text ("$1,234.56"), without the padding to the picture's width.
std::string moneyText(const Money& m);

// An invoice number column's text: blank for a charge or credit entered by hand
// (invoice number 0), which no invoice stands behind.
inline std::string invoiceText(std::int32_t number) { return number > 0 ? std::to_string(number) : std::string(); }

}  // namespace quay::desk
