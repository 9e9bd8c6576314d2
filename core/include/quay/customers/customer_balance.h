// GETCUSTBALANCE: a customer's account balance, the unpaid balances of its open
// charges less the unapplied amounts of its open payments, left in
// glo.BalanceDue (GLO:BalanceDue). Callers that keep CUS:BALANCEDUE current copy
// it from there.
#pragma once

#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/types/decimal_status.h"

namespace quay::core {

// Computes the balance of the customer named `name` (trailing blanks removed, at most
// 35 characters) into glo.BalanceDue. Charges and Payments are opened for the
// computation through the open routine and closed again. Reading stops at the end of
// the customer's open charges (payments), at the end of the table or at a read error.
// Ok; Overflow when the balance does not fit DECIMAL(13,2) (glo.BalanceDue is then
// 0 and must not be stored); ProgramEnded-like failures of the open routine leave 0.
QUAY_EXPORT DecimalStatus GETCUSTBALANCE(Database& db, UiPort& ui, std::string_view name);

}  // namespace quay::core
