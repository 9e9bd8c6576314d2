// The customer list "Customer List" (CUSTOMERBROWSE) and the bill-to chooser
// "Select Customer to Bill To" (CustRefBrowse) over the second handle CustRef:
// names, first and last names, city, state and postal code, in the orders of the
// active keys, limited by the "&Active" box.
#pragma once

#include "quay/export.h"
#include "quay/ui/list_window.h"

namespace quay::core {

QUAY_EXPORT ListSpec customerBrowseSpec();
// REQUIRES: the list runs over a CustRef handle (same fields and keys as Customer).
QUAY_EXPORT ListSpec custRefBrowseSpec();

}  // namespace quay::core
