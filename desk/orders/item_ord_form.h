// ItemOrdForm (caption "Order Item"): one line of an open order. It picks the product
// among active products, copies its description, group, cost, tax flags and
// serial-tracking flag into the line, prices it once per part from the order's price
// class (glo.PriceClass), re-prices it from any class, the cost or the retail price
// by Ctrl+1..Ctrl+8, keeps the line total, and warns about a zero price and too
// little stock before it completes. It runs on the form pattern over the caller's
// line entry.
#pragma once
#include <optional>
#include <string>

#include "orders/order_work.h"
#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/ui/field_lookup.h"
#include "quay/ui/form_window.h"
#include "quay/store/database.h"
#include "quay/tables/defaults.h"
#include "quay/tables/products.h"
#include "quay/types/memo.h"

namespace quay::desk {

class ItemOrdForm : public core::FormWindow {
public:
    static constexpr const char* kCaption = "Order Item";
    static constexpr const char* kPartRequired = "Choose the product this line sells.";
    static constexpr const char* kNotLookedUp =
        "This part number names no active product: choose one from the list (...).";
    enum class Focus { None, PartNum, Qty, Price };

    ItemOrdForm(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line);

    // Opens Defaults and Products; an insert starts with quantity 1, a change
    // refreshes the line from its product (the price is kept). A changed line whose
    // product was deleted meanwhile shows "Product Referential Error" and stays as it
    // was, for the user to pick another product or cancel.
    bool open();

    LineEntry& line() { return m_line; }
    // Places the price field shows: 2 for DEF:ROUNDPC "D" and "C", 4 otherwise.
    int pricePlaces() const;
    // The price field's picture: "@n$-13.2" or "@n$-13.4" by pricePlaces().
    const char* pricePicture() const;
    // The loaded product's stock on hand, for the display.
    core::Decimal<13, 2> onHand() const;
    bool hasProduct() const { return m_hasProduct; }

    // The part number typed or picked: looked up among active products; false when
    // none matches (the view then opens the product list). On a match the line takes
    // the product's fields, and its price when the part differs from the one last priced.
    bool choosePart(std::string_view partNum);
    // Accepting the part-number field with the value now in the line: sought among
    // active products by PRD:byPartNum; when nothing matches PRODUCTBROWSE opens in
    // select mode (unless `mayOpenList` is false, as on Ok after a refusal). False
    // when refused; the typed part is left for the user to correct.
    bool acceptPart(bool mayOpenList = true);
    // The look-up button: PRODUCTBROWSE in select mode; false when nothing was picked.
    bool browsePart();
    // Ctrl+1..Ctrl+6: price class 1-6; Ctrl+7: cost; Ctrl+8: retail. Only while the
    // loaded product is the line's part.
    void priceKey(int key);
    // After every event: the line total; false when it does not fit its field.
    bool recompute();

    // "&Ok" (FormWindow::ok): the zero-price and low-stock warnings, then the
    // part-number check.
    Focus focus() const { return m_focus; }

protected:
    bool checkBeforeSave() override;

private:
    bool focusAt(Focus where);
    void takeProduct();
    bool takeLookup(const core::LookupResult& r);

    core::Database& m_db;
    core::UiPort& m_ui;
    core::Request m_request;
    LineEntry& m_line;
    std::optional<core::HeldTable<core::Defaults>> m_def;
    std::optional<core::HeldTable<core::Products>> m_prd;
    bool m_hasProduct = false;
    std::string m_pricedPart;
    std::string m_acceptedPart;  // the part number the look-up last accepted
    Focus m_focus = Focus::None;
};

// The line form's fields as a table description over LineEntry (prefix ITEQ), so the
// form's entry fields bind to the line like any record's. The memo COMMENTS is not
// part of it: ItemComments edits it through LineComments.
const core::TableDesc& lineEntryDesc();

// ItemComments' buffer: the line's notes, at most LineEntry::kCommentsLength characters.
struct LineComments {
    core::Memo<LineEntry::kCommentsLength> COMMENTS;
    static const core::TableDesc& desc();
};

// ItemComments ("Item Comments"): the line's notes on the form pattern, over a copy
// of them that "Close" puts back into the line.
class ItemComments : public core::FormWindow {
public:
    static constexpr const char* kCaption = "Item Comments";
    ItemComments(core::UiPort& ui, LineEntry& line);

protected:
    void afterWrite() override;

private:
    LineEntry& m_line;
    LineComments m_notes;
};

}  // namespace quay::desk
