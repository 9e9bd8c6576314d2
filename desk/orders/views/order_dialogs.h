// The small modal windows of order entry as the order form and the save routine run
// them: the header (QuoteDetails), the line (ItemOrdForm), the invoice and payment
// dialogs, a line's serial numbers (QuoteSerialList with SerialNumberForm), the
// notes windows and the profit window. Each runs its view modally over its window
// logic and answers the logic's response.
#pragma once
#include <string>
#include <vector>

#include "orders/order_work.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/orders.h"
#include "quay/tables/payments.h"
#include "quay/types/fixed_string.h"

class QWidget;

namespace quay::core {
class WindowRegistry;
}

namespace quay::desk {

core::Response runQuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent);
core::Response runItemOrdForm(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line,
                              QWidget* parent);
core::Response runSaveInvoiceForm(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent);
core::Response runPostInvoicePayment(core::UiPort& ui, core::Payments& payment, QWidget* parent);
core::Response runQuoteSerialList(core::UiPort& ui, std::vector<core::FixedString<20>>& numbers, QWidget* parent);
// QuoteComments / InvoiceComments (caption "Quote Comments" or "Invoice Comments"):
// the order's notes; `keep` false shows them without keeping changes (the closed
// invoice stores nothing).
void runOrderComments(core::UiPort& ui, const char* caption, core::Orders& order, bool keep, QWidget* parent);
void runProfitMarginWindow(QWidget* parent);

// Registers "QuoteDetails" (the Orders handle of the request holds the order),
// "QuoteComments", "InvoiceComments" (likewise) and "ProfitMarginWindow", so that
// they can also be run by name.
void registerOrderDialogs(core::WindowRegistry& registry);

}  // namespace quay::desk
