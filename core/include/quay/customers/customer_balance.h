// A customer's account balance: the unpaid balances of its open charges less the
// unapplied amounts of its open payments.
//
// GETCUSTBALANCE computes it into glo.BalanceDue (GLO:BalanceDue) for reading, for
// example the credit-limit test before an invoice. storeCustomerBalance computes it
// and stores it into CUS:BALANCEDUE inside a write transaction the caller has begun,
// so no other station can post a charge or payment between the reading and the
// writing, and the balance commits or rolls back with the change that moved it.
// Every write of CUS:BALANCEDUE goes through storeCustomerBalance.
#pragma once

#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/error_code.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"
#include "quay/tables/charges.h"
#include "quay/tables/customer.h"
#include "quay/tables/payments.h"
#include "quay/types/decimal.h"
#include "quay/types/decimal_status.h"

namespace quay::core {

// Computes the balance of the customer named `name` (trailing blanks removed, at most
// 35 characters) into glo.BalanceDue. Charges and Payments are opened for the
// computation through the open routine and closed again. Reading stops at the end of
// the customer's open charges (payments), at the end of the table or at a read error.
// Ok; Overflow when the balance does not fit DECIMAL(13,2) (glo.BalanceDue is then
// 0 and must not be stored); ProgramEnded-like failures of the open routine leave 0.
QUAY_EXPORT DecimalStatus GETCUSTBALANCE(Database& db, UiPort& ui, std::string_view name);

// The handles storeCustomerBalance reads and writes through. All are open on the
// connection of the caller's transaction; their buffers and positions are used up
// (a caller keeping work in a buffer passes a second handle of the table).
struct BalanceHandles {
    Handle<Customer>& cus;
    Handle<Charges>& chg;
    Handle<Payments>& pay;
};

struct StoredBalance {
    // None when the balance was computed and the customer (if stored) holds it; else
    // the code of the read or update that failed. Nothing is then written, and the
    // caller rolls its transaction back.
    ErrorCode code = ErrorCode::None;
    // Overflow: the balance does not fit CUS:BALANCEDUE; nothing was written and
    // `code` is DriverError.
    DecimalStatus status = DecimalStatus::Ok;
    bool customerFound = false;  // false: no such customer; nothing to store
    Decimal<13, 2> balance;
};

// Recomputes the balance of the customer named `name` from its charges and payments
// as the transaction sees them and stores it in CUS:BALANCEDUE (only when it
// differs). glo.BalanceDue receives the balance too.
// REQUIRES: tx.isActive(); the three handles write through tx's connection.
QUAY_EXPORT StoredBalance storeCustomerBalance(Transaction& tx, BalanceHandles handles, std::string_view name);

}  // namespace quay::core
