// QuoteDetailsView: the order header window over QuoteDetails. Every field of the
// header in its order, bound to the Orders buffer through the field binder: the
// date with its calendar ("Select Order Date"), the customer, salesperson, terms
// and ship-via checked against their tables with a "..." button each, the price
// class list, rates to four places, money to two, and the "&Ship To" group.
// Placement section "QuoteDetails".
#pragma once
#include "orders/quote_details.h"
#include "quay/views/form_dialog.h"

class QLineEdit;

namespace quay::core {
class FieldBinder;
}

namespace quay::desk {

class QuoteDetailsView : private core::detail::OwnedLogic<QuoteDetails>, public core::FormDialog {
public:
    // REQUIRES: `order` outlives the view; the view edits it in place.
    QuoteDetailsView(core::Database& db, core::UiPort& ui, core::Orders& order, QWidget* parent = nullptr);

    // False when the window could not open its tables (the user has been told).
    bool opened() const { return m_opened; }
    QuoteDetails& logic() { return m_logic; }

private:
    bool acceptLookup(HeaderField field);
    void browse(HeaderField field);
    void showCopiedFields();

    core::Orders& m_order;
    core::FieldBinder* m_binder = nullptr;
    QLineEdit* m_lookups[4] = {nullptr, nullptr, nullptr, nullptr};
    bool m_opened = false;
};

}  // namespace quay::desk
