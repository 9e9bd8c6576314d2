// The quote list ("Quote List", QuoteBrowse) and the invoice list ("Invoice List",
// InvoiceBrowse): the orders of one status in the list pattern, each with a tab by
// customer name and a tab by number, the columns number, date, customer, reference
// and total, and the commands beyond the form's: F4 copies the highlighted order into
// a new quote (CopyOrder), and the invoice list finds an invoice by serial number
// (InvoiceSerialBrowse). Insert, change or view, and delete run QuoteForm1 or the
// closed-invoice window InvoiceForm1 on the highlighted order.
#pragma once
#include "quay/ui/list_window.h"

namespace quay::desk {

enum class OrderListKind { Quotes, Invoices };

struct OrderListNames {
    const char* procedure;     // "QuoteBrowse": the window and its placement section
    const char* caption;       // "Quote List"
    const char* loadingTitle;  // "Quotations": the small window shown while the list loads
    const char* listName;      // "QuoteList": its entry in the thread list
    const char* status;        // "Q"
};

const OrderListNames& orderListNames(OrderListKind kind);

// The list's description (columns, tabs, commands), over an Orders handle.
core::ListSpec orderListSpec(OrderListKind kind);

}  // namespace quay::desk
