// The small windows of order entry: a line's serial numbers (QuoteSerialListView,
// caption "Serial Numbers", with its entry form SerialNumberFormView, "Serial
// Number Form"), the order's notes (OrderCommentsView: "Quote Comments" or
// "Invoice Comments") and the profit of the order (ProfitMarginView, "Profit
// Information"). Each keeps its placement under its own section.
#pragma once
#include <string>
#include <vector>

#include <QDialog>

#include "serials/quote_serial_list.h"
#include "quay/tables/orders.h"
#include "quay/views/form_dialog.h"

class QLineEdit;
class QTableWidget;

namespace quay::desk {

class SerialNumberFormView : private core::detail::OwnedLogic<SerialNumberForm>, public core::FormDialog {
public:
    // "Part#:" shows glo.PartNum; "Serial#:" edits `number`.
    SerialNumberFormView(core::UiPort& ui, core::Request request, QuoteSerialList::Number& number,
                         QWidget* parent = nullptr);
    QLineEdit* serialField() const { return m_serial; }

private:
    QLineEdit* m_serial = nullptr;
};

class QuoteSerialListView : public QDialog {
public:
    // REQUIRES: `numbers` (SERQ1) outlives the view.
    QuoteSerialListView(core::UiPort& ui, std::vector<QuoteSerialList::Number>& numbers, QWidget* parent = nullptr);

    QuoteSerialList& logic() { return m_logic; }
    core::Response response() const { return m_logic.response(); }
    QTableWidget* list() const { return m_list; }

    // "&Insert" / "&Change": the entry form, run modally.
    void edit(core::Request request);
    void remove();
    void reject() override;

private:
    void refresh();

    core::UiPort& m_ui;
    QuoteSerialList m_logic;
    QTableWidget* m_list = nullptr;
};

class OrderCommentsView : private core::detail::OwnedLogic<core::FormWindow>, public core::FormDialog {
public:
    // `procedure` is "QuoteComments" or "InvoiceComments" (also the placement
    // section); the caption is its spaced form. The view edits `order`'s notes.
    OrderCommentsView(core::UiPort& ui, const std::string& procedure, core::Orders& order, QWidget* parent = nullptr);
};

class ProfitMarginView : public QDialog {
public:
    // The figures of glo.OrdCost, glo.ListSubTotal and glo.DiscountAmt as they stand.
    explicit ProfitMarginView(QWidget* parent = nullptr);
};

}  // namespace quay::desk
