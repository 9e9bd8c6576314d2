// The order-entry dialogs as the tests build them, without running them, to look at
// their layout: "QuoteDetails", "ItemOrdForm", "ItemComments", "SaveInvoiceForm",
// "PostInvoicePayment", "QuoteSerialList", "SerialNumberForm", "QuoteComments",
// "InvoiceComments", "ProfitMarginWindow"; null for another name.
#pragma once

#include <string>
#include <vector>

#include "orders/views/invoice_dialog_views.h"
#include "orders/views/item_ord_view.h"
#include "orders/views/order_small_windows.h"
#include "orders/views/quote_details_view.h"

namespace quay::desk::testing {

inline QWidget* makeDialog(const std::string& name, core::Database& db, core::UiPort& ui, core::Orders& order,
                           core::Payments& payment, LineEntry& line, QWidget* parent) {
    if (name == "QuoteDetails") return new QuoteDetailsView(db, ui, order, parent);
    if (name == "ItemOrdForm") return new ItemOrdView(db, ui, core::Request::Change, line, parent);
    if (name == "ItemComments") return new ItemCommentsView(ui, line, parent);
    if (name == "SaveInvoiceForm") return new SaveInvoiceView(db, ui, order, parent);
    if (name == "PostInvoicePayment") return new PostInvoicePaymentView(ui, payment, parent);
    if (name == "QuoteSerialList") {
        static std::vector<core::FixedString<20>> numbers{core::FixedString<20>("A1"), core::FixedString<20>("B7")};
        return new QuoteSerialListView(ui, numbers, parent);
    }
    if (name == "SerialNumberForm") {
        static QuoteSerialList::Number number("B7");
        return new SerialNumberFormView(ui, core::Request::Change, number, parent);
    }
    if (name == "QuoteComments" || name == "InvoiceComments") return new OrderCommentsView(ui, name, order, parent);
    if (name == "ProfitMarginWindow") return new ProfitMarginView(parent);
    return nullptr;
}

}  // namespace quay::desk::testing
