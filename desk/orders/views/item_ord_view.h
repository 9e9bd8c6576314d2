// ItemOrdView ("Order Item"): the line form over ItemOrdForm, and ItemCommentsView
// ("Item Comments"), the line's notes. The part number is checked among active
// products with the look-up button running PRODUCTBROWSE; the price is shown to the
// company's places and read back only when typed; Ctrl+1..Ctrl+8 re-price; the
// total and the stock on hand follow every change. Placement sections
// "ItemOrdForm" and "ItemComments".
#pragma once
#include <QDialog>

#include "orders/item_ord_form.h"

class QLabel;
class QLineEdit;

namespace quay::core {
class FieldBinder;
}

namespace quay::desk {

class ItemOrdView : public QDialog {
public:
    // REQUIRES: `line` outlives the view; the view edits it in place.
    ItemOrdView(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line,
                QWidget* parent = nullptr);

    bool opened() const { return m_opened; }
    ItemOrdForm& logic() { return m_logic; }
    core::Response response() const { return m_logic.response(); }

    void onOk();
    void reject() override;

private:
    void showLine();
    void showFigures();
    bool readPrice();
    void priceKey(int key);
    void notes();

    ItemOrdForm m_logic;
    LineEntry& m_line;
    core::FieldBinder* m_binder = nullptr;
    QLineEdit* m_part = nullptr;
    QLineEdit* m_qty = nullptr;
    QLineEdit* m_price = nullptr;
    QLabel* m_onHand = nullptr;
    QLabel* m_total = nullptr;
    bool m_opened = false;
    bool m_inOk = false;
};

// ItemComments: one multi-line field of at most 1000 characters and "Close".
class ItemCommentsView : public QDialog {
public:
    ItemCommentsView(LineEntry& line, QWidget* parent = nullptr);
    // Closing keeps the text in the line.
    void done(int result) override;

private:
    LineEntry& m_line;
    LineComments m_buffer;
};

}  // namespace quay::desk
