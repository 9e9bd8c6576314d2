// Running the order-entry dialogs. A dialog whose logic could not open (no company
// record, a table that would not open) has told the user why and answers Cancelled
// without showing.
#include "orders/views/order_dialogs.h"

#include "orders/views/invoice_dialog_views.h"
#include "orders/views/item_ord_view.h"
#include "orders/views/order_small_windows.h"
#include "orders/views/quote_details_view.h"
#include "quay/store/table.h"
#include "quay/views/window_registry.h"

namespace quay::desk {

core::Response runQuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent) {
    QuoteDetailsView d(db, ui, order, parent);
    if (!d.opened()) return core::Response::Cancelled;
    d.exec();
    return d.response();
}

core::Response runItemOrdForm(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line,
                              QWidget* parent) {
    ItemOrdView d(db, ui, request, line, parent);
    if (!d.opened()) return core::Response::Cancelled;
    d.exec();
    return d.response();
}

core::Response runSaveInvoiceForm(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent) {
    SaveInvoiceView d(db, ui, order, parent);
    if (!d.opened()) return core::Response::Cancelled;
    d.exec();
    return d.response();
}

core::Response runPostInvoicePayment(core::UiPort& ui, core::Payments& payment, QWidget* parent) {
    PostInvoicePaymentView d(ui, payment, parent);
    d.exec();
    return d.response();
}

core::Response runQuoteSerialList(core::UiPort& ui, std::vector<core::FixedString<20>>& numbers, QWidget* parent) {
    QuoteSerialListView d(ui, numbers, parent);
    d.exec();
    return d.response();
}

void runOrderComments(core::UiPort& ui, const char* caption, core::Orders& order, bool keep, QWidget* parent) {
    const std::string procedure = std::string(caption) == "Invoice Comments" ? "InvoiceComments" : "QuoteComments";
    if (keep) {
        OrderCommentsView d(ui, procedure, order, parent);
        d.exec();
        return;
    }
    core::Orders shown = order;
    OrderCommentsView d(ui, procedure, shown, parent);
    d.exec();
}

void runProfitMarginWindow(QWidget* parent) {
    ProfitMarginView d(parent);
    d.exec();
}

void registerOrderDialogs(core::WindowRegistry& registry) {
    using core::WindowContext;
    using core::WindowRequest;
    using core::WindowResponse;
    auto orderOf = [](const WindowRequest& r) {
        return r.table != nullptr && r.table->desc().name == core::Orders::desc().name
                   ? static_cast<core::Orders*>(r.table->buffer())
                   : nullptr;
    };
    registry.add("QuoteDetails", [orderOf](WindowContext& c, const WindowRequest& r) {
        WindowResponse w;
        core::Orders* o = orderOf(r);
        if (c.database == nullptr || o == nullptr) return w;
        w.response = runQuoteDetails(*c.database, c.ui, *o, c.parent);
        return w;
    });
    for (const char* caption : {"Quote Comments", "Invoice Comments"}) {
        const std::string procedure = std::string(caption) == "Quote Comments" ? "QuoteComments" : "InvoiceComments";
        registry.add(procedure, [orderOf, caption](WindowContext& c, const WindowRequest& r) {
            WindowResponse w;
            core::Orders* o = orderOf(r);
            if (o == nullptr) return w;
            runOrderComments(c.ui, caption, *o, std::string(caption) == "Quote Comments", c.parent);
            w.response = core::Response::Completed;
            return w;
        });
    }
    registry.add("ProfitMarginWindow", [](WindowContext& c, const WindowRequest&) {
        runProfitMarginWindow(c.parent);
        return WindowResponse{core::Response::Completed, 0, {}};
    });
}

}  // namespace quay::desk
