// Registration of the order-entry windows under their procedure names, so that the
// frame's "&Orders" menu and the toolbar reach them through the window registry:
// "QuoteBrowse" (single, kept as "QuoteList"), "InvoiceBrowse" ("InvoiceList"),
// "CopyOrder", "QuoteForm1", "InvoiceForm1", "SaveInvoiceForm", "PostInvoicePayment",
// "InvoiceSerialBrowse".
#pragma once

namespace quay::core {
class WindowRegistry;
}

namespace quay::desk {

void registerOrderWindows(core::WindowRegistry& registry);

}  // namespace quay::desk
