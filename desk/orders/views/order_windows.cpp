// Each factory builds its view on the desk's connection to the data set.
#include "orders/views/order_windows.h"

#include "orders/views/copy_order_view.h"
#include "orders/views/invoice_form_view.h"
#include "orders/views/invoice_serial_browse_view.h"
#include "orders/views/order_dialogs.h"
#include "orders/views/order_list_view.h"
#include "orders/views/quote_form_view.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"
#include "quay/views/window_registry.h"

namespace quay::desk {

using core::WindowContext;
using core::WindowRequest;
using core::WindowResponse;

namespace {

// The order a form is called with: the caller's Orders buffer, or none when the
// caller handed no handle on Orders.
const core::Orders& orderOf(const WindowRequest& r) {
    static const core::Orders none;
    const bool orders = r.table != nullptr && r.table->desc().fileName == core::Orders::desc().fileName &&
                        r.table->desc().recordSize == sizeof(core::Orders);
    return orders ? *static_cast<const core::Orders*>(r.table->buffer()) : none;
}

}  // namespace

void registerOrderWindows(core::WindowRegistry& registry) {
    registry.add("QuoteBrowse",
                 [](WindowContext& c, const WindowRequest& r) { return openOrderList(c, r, OrderListKind::Quotes); });
    registry.add("InvoiceBrowse",
                 [](WindowContext& c, const WindowRequest& r) { return openOrderList(c, r, OrderListKind::Invoices); });
    // Copies the order glo.OrdNum into a new quote; answers the new quote's number.
    registry.add("CopyOrder", [](WindowContext& c, const WindowRequest&) {
        WindowResponse w;
        if (c.database == nullptr) return w;
        w.response = runCopyOrder(*c.database, c.ui, w.number, c.parent);
        return w;
    });
    registry.add("QuoteForm1", [](WindowContext& c, const WindowRequest& r) {
        WindowResponse w;
        if (c.database == nullptr) return w;
        QuoteForm1View view(*c.database, c.ui, r.request, orderOf(r), c.parent);
        if (view.start()) view.exec();
        w.response = view.response();
        return w;
    });
    registry.add("InvoiceForm1", [](WindowContext& c, const WindowRequest& r) {
        WindowResponse w;
        if (c.database == nullptr) return w;
        InvoiceForm1View view(*c.database, c.ui, orderOf(r), c.parent);
        view.exec();
        w.response = view.response();
        return w;
    });
    registry.add("SaveInvoiceForm", [](WindowContext& c, const WindowRequest& r) {
        WindowResponse w;
        if (c.database == nullptr || r.table == nullptr) return w;
        w.response = runSaveInvoiceForm(*c.database, c.ui, *static_cast<core::Orders*>(r.table->buffer()), c.parent);
        return w;
    });
    registry.add("PostInvoicePayment", [](WindowContext& c, const WindowRequest& r) {
        WindowResponse w;
        if (r.table == nullptr) return w;
        w.response = runPostInvoicePayment(c.ui, *static_cast<core::Payments*>(r.table->buffer()), c.parent);
        return w;
    });
    registry.add("InvoiceSerialBrowse", openInvoiceSerialBrowse);
}

}  // namespace quay::desk
