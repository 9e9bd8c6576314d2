// The small modal windows of order entry, each a thin dialog over its window logic:
// the header (QuoteDetails), the line (ItemOrdForm), the invoice and payment dialogs,
// a line's serial numbers (QuoteSerialList with SerialNumberForm), the notes windows
// and the profit window.
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

namespace quay::desk {

core::Response runQuoteDetails(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent);
core::Response runItemOrdForm(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line,
                              QWidget* parent);
core::Response runSaveInvoiceForm(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent);
core::Response runPostInvoicePayment(core::UiPort& ui, core::Payments& payment, QWidget* parent);
core::Response runQuoteSerialList(core::UiPort& ui, std::vector<core::FixedString<20>>& numbers, QWidget* parent);
// QuoteComments / InvoiceComments (caption as given): the order's notes; `store`
// false shows them without keeping changes.
void runOrderComments(const char* caption, core::Orders& order, bool keep, QWidget* parent);
void runProfitMarginWindow(QWidget* parent);

// The dialogs as the tests and the screenshot tool build them, without running them.
QWidget* makeDialogForScreenshot(const std::string& name, core::Database& db, core::UiPort& ui, core::Orders& order,
                                 core::Payments& payment, LineEntry& line, QWidget* parent);

}  // namespace quay::desk
