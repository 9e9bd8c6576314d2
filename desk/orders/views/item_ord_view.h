// ItemOrdView ("Order Item"): the line form over ItemOrdForm, and ItemCommentsView
// ("Item Comments"), the line's notes. The part number is checked among active
// products with the look-up button running PRODUCTBROWSE; the price is shown to the
// company's places and read back only when typed; Ctrl+1..Ctrl+8 re-price; the
// total and the stock on hand follow every change. Placement sections
// "ItemOrdForm" and "ItemComments".
#pragma once
#include "orders/item_ord_form.h"
#include "quay/views/form_dialog.h"

class QLabel;
class QLineEdit;

namespace quay::core {
class FieldBinder;
}

namespace quay::desk {

class ItemOrdView : private core::detail::OwnedLogic<ItemOrdForm>, public core::FormDialog {
public:
    // REQUIRES: `line` outlives the view; the view edits it in place.
    ItemOrdView(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line,
                QWidget* parent = nullptr);

    bool opened() const { return m_opened; }
    ItemOrdForm& logic() { return m_logic; }

protected:
    bool storeUnbound() override;
    QWidget* unboundWidget(int field) const override;
    bool hasUnboundEntry() const override;

private:
    void showLine();
    void showFigures();
    bool readPrice();
    void priceKey(int key);
    void notes();

    core::UiPort& m_ui;
    LineEntry& m_line;
    core::FieldBinder* m_binder = nullptr;
    QLineEdit* m_part = nullptr;
    QLineEdit* m_qty = nullptr;
    QLineEdit* m_price = nullptr;
    QLabel* m_onHand = nullptr;
    QLabel* m_total = nullptr;
    bool m_opened = false;
};

// ItemComments: one multi-line field of at most 1000 characters and "Close".
class ItemCommentsView : private core::detail::OwnedLogic<ItemComments>, public core::FormDialog {
public:
    ItemCommentsView(core::UiPort& ui, LineEntry& line, QWidget* parent = nullptr);
};

}  // namespace quay::desk
