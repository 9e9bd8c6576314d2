// Each factory builds its view on the desk's connection to the data set.
#include "orders/views/order_windows.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QTimer>

#include "orders/views/invoice_form_view.h"
#include "orders/views/invoice_serial_browse_view.h"
#include "orders/views/order_dialogs.h"
#include "orders/views/order_list_view.h"
#include "orders/views/quote_form_view.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/window_registry.h"

namespace quay::desk {

using core::WindowContext;
using core::WindowRequest;
using core::WindowResponse;

namespace {

WindowResponse openList(WindowContext& c, OrderListKind kind) {
    WindowResponse w;
    if (c.database == nullptr) return w;
    // The small loading window shows until the list's first timer tick.
    auto* loading = new QLabel(QString(OrderList::loadingTitle(kind)) + " ...");
    loading->setWindowTitle(OrderList::loadingTitle(kind));
    loading->setAttribute(Qt::WA_DeleteOnClose);
    loading->setMargin(24);
    loading->show();
    auto* list = new OrderListView(*c.database, c.ui, kind);
    QMdiSubWindow* sub = c.showChild(list);
    // The placement belongs to the frame's child window when there is one.
    core::keepPlacement(sub != nullptr ? static_cast<QWidget*>(sub) : list,
                        kind == OrderListKind::Quotes ? "QuoteBrowse" : "InvoiceBrowse");
    QTimer::singleShot(0, loading, &QWidget::close);
    w.response = core::Response::Completed;
    return w;
}

const core::Orders& orderOf(const WindowRequest& r) {
    static const core::Orders none;
    return r.table != nullptr ? *static_cast<const core::Orders*>(r.table->buffer()) : none;
}

}  // namespace

void registerOrderWindows(core::WindowRegistry& registry) {
    registry.add("QuoteBrowse", [](WindowContext& c, const WindowRequest&) { return openList(c, OrderListKind::Quotes); });
    registry.add("InvoiceBrowse",
                 [](WindowContext& c, const WindowRequest&) { return openList(c, OrderListKind::Invoices); });
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
    registry.add("InvoiceSerialBrowse", [](WindowContext& c, const WindowRequest& r) {
        WindowResponse w;
        if (c.database == nullptr) return w;
        InvoiceSerialBrowseView view(*c.database, c.ui, r.request, c.parent);
        view.exec();
        w.response = view.response();
        return w;
    });
}

}  // namespace quay::desk
