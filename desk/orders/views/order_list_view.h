// The quote list and the invoice list on the desktop: the list pattern's window over
// the desk's connection, with the small "Quotations" / "Invoices" window shown while
// the list loads.
#pragma once

#include "orders/order_lists.h"
#include "quay/views/window_registry.h"

namespace quay::desk {

// Opens the list as a child window of the frame (modally, to pick an order, for
// Request::Select). The factory of "QuoteBrowse" and "InvoiceBrowse".
core::WindowResponse openOrderList(core::WindowContext& context, const core::WindowRequest& request,
                                   OrderListKind kind);

}  // namespace quay::desk
