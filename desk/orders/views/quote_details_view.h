// QuoteDetailsView: the order header window over QuoteDetails. Every field of the
// header in its order, bound to the Orders buffer through the field binder: the
// date with its calendar ("Select Order Date"), the customer, salesperson, terms
// and ship-via checked against their tables with a "..." button each, the price
// class list, rates to four places, money to two, and the "&Ship To" group.
// Placement section "QuoteDetails".
#pragma once
#include <QDialog>

#include "orders/quote_details.h"

class QLineEdit;

namespace quay::core {
class FieldBinder;
}

namespace quay::desk {

class QuoteDetailsView : public QDialog {
public:
    // REQUIRES: `order` outlives the view; the view edits it in place.
    QuoteDetailsView(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent = nullptr);

    // False when the window could not open its tables (the user has been told).
    bool opened() const { return m_opened; }
    QuoteDetails& logic() { return m_logic; }
    core::Response response() const { return m_logic.response(); }

    // "&Ok" and "&Cancel" (also Escape and the close box).
    void onOk();
    void reject() override;

private:
    bool acceptLookup(HeaderField field);
    void browse(HeaderField field);
    void showCopiedFields();
    QWidget* widgetOf(HeaderField field) const;

    QuoteDetails m_logic;
    core::Orders& m_order;
    core::FieldBinder* m_binder = nullptr;
    QLineEdit* m_lookups[4] = {nullptr, nullptr, nullptr, nullptr};
    bool m_opened = false;
    bool m_inOk = false;
};

}  // namespace quay::desk
