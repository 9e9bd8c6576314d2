// Turning a closed invoice back into a quote: the reversal of the invoicing save.
// The order becomes a quote again without invoice number or initial payment, the
// quantities sold go back into stock, the invoice's charge is removed and every
// payment applied to it becomes an unapplied customer credit. All of it in one
// transaction; on failure nothing changes.
#pragma once
#include <cstdint>

#include "quay/app/ui_port.h"
#include "quay/store/database.h"

namespace quay::desk {

// Asks "Convert back to Quote" and, on Yes, reverses the invoice `ordNum`
// (glo.OrdNum). Completed when the invoice is a quote again; Cancelled when the user
// said No or a step failed (after the step's message with caption "ERROR").
core::Response convertInvoiceToQuote(core::Database& db, core::UiPort& ui, std::int32_t ordNum);

}  // namespace quay::desk
