// Pricing of one order line. The price is taken from the product once per part
// number, so picking the same product again keeps a price the user typed; the price
// keys always re-price from the loaded product whatever the order's class.
#include "orders/item_ord_form.h"

#include <cstddef>

#include "orders/quote_details.h"
#include "quay/app/globals.h"
#include "quay/defaults/company_defaults.h"

namespace quay::desk {

using core::Button;
using core::ErrorCode;
using core::Icon;
using core::Response;

namespace {

core::FormSpec lineSpec() {
    core::FormSpec s;
    s.procedure = "ItemOrdForm";
    s.title = ItemOrdForm::kCaption;
    return s;
}

core::WindowRequest requestOf(core::Request request) {
    core::WindowRequest r;
    r.request = request;
    return r;
}

int lineField(const char* name) { return fieldIndexOf(lineEntryDesc(), name); }

}  // namespace

ItemOrdForm::ItemOrdForm(core::Database& db, core::UiPort& ui, core::Request request, LineEntry& line)
    : FormWindow(ui, lineEntryDesc(), &line, lineSpec(), requestOf(request)),
      m_db(db),
      m_ui(ui),
      m_request(request),
      m_line(line) {}

bool ItemOrdForm::focusAt(Focus where) {
    m_focus = where;
    requestFocus(where == Focus::Qty     ? lineField("QTY")
                 : where == Focus::Price ? lineField("PRICE")
                                         : lineField("PARTNUM"));
    return false;
}

bool ItemOrdForm::open() {
    m_def.emplace(m_db, m_ui);
    m_prd.emplace(m_db, m_ui);
    if (!m_def->isOpen() || !m_prd->isOpen()) return false;
    core::GETCOMPANYDEFAULTS(m_def->handle, 1);
    m_pricedPart = std::string(m_line.PARTNUM.view());
    if (m_request == core::Request::Insert) {
        (void)m_line.QTY.assign(1);
    } else {
        m_prd->handle.clear();
        m_prd->handle.rec.PartNum = m_line.PARTNUM.view();
        if (m_prd->handle.get(core::Products::byPartNum) != ErrorCode::None) {
            m_ui.message("Error", "Product Referential Error", Icon::Error, Button::Ok, Button::Ok);
            m_focus = Focus::PartNum;
        } else {
            m_hasProduct = true;
            m_acceptedPart = std::string(m_line.PARTNUM.view());
            const core::Products& p = m_prd->handle.rec;
            m_line.COST = p.COST;
            m_line.GROUP = p.Group.view();
            m_line.DESCRIPTION = p.DESCRIPTION.view();
            m_line.SALESTAXABLE1 = p.SALESTAXABLE1;
            m_line.SALESTAXABLE2 = p.SALESTAXABLE2;
            m_line.TRACKSERIAL = p.TRACKSERIAL.view();
        }
    }
    recompute();
    // The copy is taken now, so only what the user changes counts as a change.
    return FormWindow::open();
}

int ItemOrdForm::pricePlaces() const {
    const std::string_view r = m_def->handle.rec.ROUNDPC.view();
    return (r == "D" || r == "C") ? 2 : 4;
}

const char* ItemOrdForm::pricePicture() const { return pricePlaces() == 2 ? "@n$-13.2" : "@n$-13.4"; }

core::Decimal<13, 2> ItemOrdForm::onHand() const {
    return m_hasProduct ? m_prd->handle.rec.OnHand : core::Decimal<13, 2>();
}

bool ItemOrdForm::choosePart(std::string_view partNum) {
    auto& prd = m_prd->handle;
    prd.clear();
    prd.rec.PartNum = partNum;
    if (prd.get(core::Products::byPartNum) != ErrorCode::None || prd.rec.Active != 1) {
        recompute();
        return false;
    }
    m_hasProduct = true;
    m_line.PARTNUM = prd.rec.PartNum.view();
    m_acceptedPart = std::string(m_line.PARTNUM.view());
    takeProduct();
    recompute();
    return true;
}

namespace {

// Products are sought by part number among the active ones; the list is PRODUCTBROWSE.
core::LookupSpec productLookup() {
    core::LookupSpec s;
    s.key = core::Products::byPartNum;
    s.field = fieldIndexOf(core::Products::desc(), "PartNum");
    s.listProcedure = "PRODUCTBROWSE";
    s.filter = [](const void* r) { return static_cast<const core::Products*>(r)->Active == 1; };
    return s;
}

}  // namespace

bool ItemOrdForm::acceptPart(bool mayOpenList) {
    const std::string typed(m_line.PARTNUM.view());
    if (m_hasProduct && typed == m_acceptedPart) return true;
    if (typed.empty()) return true;  // a blank part is refused by Ok, not by the field
    if (!mayOpenList) {
        m_focus = Focus::PartNum;
        return refuse(lineField("PARTNUM"), kNotLookedUp);
    }
    core::FieldLookup lookup(m_ui, m_prd->handle, productLookup());
    core::glo.GlobalResponse = Response::None;
    return takeLookup(lookup.check(typed));
}

bool ItemOrdForm::browsePart() {
    core::FieldLookup lookup(m_ui, m_prd->handle, productLookup());
    core::glo.GlobalResponse = Response::None;
    return takeLookup(lookup.browse());
}

bool ItemOrdForm::takeLookup(const core::LookupResult& r) {
    if (!r.accepted() && core::glo.GlobalResponse == Response::Completed) {
        // The list shows inactive products too; one picked there is refused with a
        // word to the user instead of silently.
        m_ui.message("Product Not Active", "This product is not active.  Only active products can be sold.",
                     Icon::Warning, Button::Ok, Button::Ok);
    }
    if (!r.accepted() || r.outcome == core::LookupOutcome::Blank) {
        // The buffer may hold whatever the list was left on: the loaded product is
        // no longer known.
        m_hasProduct = false;
        recompute();
        return focusAt(Focus::PartNum);
    }
    m_hasProduct = true;
    m_line.PARTNUM = r.value;
    m_acceptedPart = r.value;
    takeProduct();
    recompute();
    return true;
}

void ItemOrdForm::takeProduct() {
    const core::Products& p = m_prd->handle.rec;
    m_line.DESCRIPTION = p.DESCRIPTION.view();
    m_line.GROUP = p.Group.view();
    m_line.COST = p.COST;
    m_line.SALESTAXABLE1 = p.SALESTAXABLE1;
    m_line.SALESTAXABLE2 = p.SALESTAXABLE2;
    m_line.TRACKSERIAL = p.TRACKSERIAL.view();
    if (m_line.PARTNUM.view() == m_pricedPart) return;
    const std::string_view cls = core::glo.PriceClass.view();
    const core::Decimal<13, 4>* prices[] = {&p.PRICECLASS1, &p.PRICECLASS2, &p.PRICECLASS3,
                                            &p.PRICECLASS4, &p.PRICECLASS5, &p.PRICECLASS6};
    if (cls.size() == 1 && cls[0] >= '1' && cls[0] <= '6')
        m_line.PRICE = *prices[cls[0] - '1'];
    else if (cls == "C")
        m_line.PRICE = p.COST;
    else
        m_line.PRICE = p.MSRP;
    m_pricedPart = std::string(m_line.PARTNUM.view());
}

void ItemOrdForm::priceKey(int key) {
    if (!m_hasProduct) return;
    const core::Products& p = m_prd->handle.rec;
    if (p.PartNum.isBlank() || m_line.PARTNUM.isBlank() || !(p.PartNum == m_line.PARTNUM)) return;
    const core::Decimal<13, 4>* prices[] = {&p.PRICECLASS1, &p.PRICECLASS2, &p.PRICECLASS3, &p.PRICECLASS4,
                                            &p.PRICECLASS5, &p.PRICECLASS6, &p.COST,        &p.MSRP};
    if (key >= 1 && key <= 8) m_line.PRICE = *prices[key - 1];
    recompute();
}

bool ItemOrdForm::recompute() { return computeLineTotal(m_line) == core::DecimalStatus::Ok; }

bool ItemOrdForm::checkBeforeSave() {
    if (!recompute()) {
        m_ui.message("Error", "The line total is too large for its field.  Please change the quantity or the price.",
                     Icon::Error, Button::Ok, Button::Ok);
        return focusAt(Focus::Qty);
    }
    if (m_line.PRICE.isZero()) {
        m_ui.beep(0, 0);
        if (m_ui.message("WARNING:  No Price", "Price for each item is 0.00.  Do you want to change the price?",
                         Icon::Warning, Button::Yes | Button::No, Button::Yes) == Button::Yes)
            return focusAt(Focus::Price);
    }
    const core::Products& p = m_prd->handle.rec;
    if (m_hasProduct && m_def->handle.rec.LOWINVENTORY.view() == "W" && p.ADJUSTSTOCK &&
        m_line.QTY > p.OnHand + p.OnOrder) {
        if (m_ui.message("WARNING:  Low Inventory",
                         "Not Enough Product on hand to fill this order.  Do you want to change qty ordered?",
                         Icon::Warning, Button::Yes | Button::No, Button::No) == Button::Yes)
            return focusAt(Focus::Qty);
    }
    if (m_line.PARTNUM.isBlank() || !m_hasProduct || !(p.PartNum == m_line.PARTNUM)) {
        // A line needs a product on file: a blank part, or one whose product was
        // deleted meanwhile, cannot be kept.
        m_focus = Focus::PartNum;
        return refuse(lineField("PARTNUM"), m_line.PARTNUM.isBlank() ? kPartRequired : kNotLookedUp);
    }
    m_focus = Focus::None;
    return true;
}

const core::TableDesc& lineEntryDesc() {
    using core::FieldType;
    static const core::TableDesc kDesc = [] {
        core::TableDesc d;
        d.name = "ITEQ";
        d.prefix = "ITEQ";
        d.recordSize = sizeof(LineEntry);
        d.fields = {
            {"PARTNUM", FieldType::String, offsetof(LineEntry, PARTNUM), 20, 0},
            {"DESCRIPTION", FieldType::String, offsetof(LineEntry, DESCRIPTION), 35, 0},
            {"QTY", FieldType::Decimal, offsetof(LineEntry, QTY), 13, 2},
            {"PRICE", FieldType::Decimal, offsetof(LineEntry, PRICE), 13, 4},
            {"TOTAL", FieldType::Decimal, offsetof(LineEntry, TOTAL), 13, 2},
            {"ITENUM", FieldType::Long, offsetof(LineEntry, ITENUM), 0, 0},
            {"ORDNUM", FieldType::Long, offsetof(LineEntry, ORDNUM), 0, 0},
            {"GROUP", FieldType::String, offsetof(LineEntry, GROUP), 15, 0},
            {"COST", FieldType::Decimal, offsetof(LineEntry, COST), 13, 4},
            {"QTYDELIVERED", FieldType::Decimal, offsetof(LineEntry, QTYDELIVERED), 13, 2},
            {"SALESTAXABLE1", FieldType::Byte, offsetof(LineEntry, SALESTAXABLE1), 0, 0},
            {"SALESTAXABLE2", FieldType::Byte, offsetof(LineEntry, SALESTAXABLE2), 0, 0},
            {"BACKORDDATE", FieldType::Long, offsetof(LineEntry, BACKORDDATE), 0, 0},
            {"DUEDATE", FieldType::Long, offsetof(LineEntry, DUEDATE), 0, 0},
            {"DELIVERYDATE", FieldType::Long, offsetof(LineEntry, DELIVERYDATE), 0, 0},
            {"TRACKSERIAL", FieldType::String, offsetof(LineEntry, TRACKSERIAL), 3, 0},
            {"MARKED", FieldType::Byte, offsetof(LineEntry, MARKED), 0, 0},
        };
        return d;
    }();
    return kDesc;
}

const core::TableDesc& LineComments::desc() {
    static const core::TableDesc kDesc = [] {
        core::TableDesc d;
        d.name = "ITEQ";
        d.prefix = "ITEQ";
        d.recordSize = sizeof(LineComments);
        d.fields = {{"COMMENTS", core::FieldType::Memo, offsetof(LineComments, COMMENTS),
                     static_cast<std::uint32_t>(LineEntry::kCommentsLength), 0}};
        return d;
    }();
    return kDesc;
}

ItemComments::ItemComments(core::UiPort& ui, LineEntry& line)
    : FormWindow(
          ui, LineComments::desc(), &m_notes,
          [] {
              core::FormSpec s;
              s.procedure = "ItemComments";
              s.title = kCaption;
              return s;
          }(),
          requestOf(core::Request::Change)),
      m_line(line) {
    m_notes.COMMENTS = line.COMMENTS;
}

void ItemComments::afterWrite() { m_line.COMMENTS = std::string(m_notes.COMMENTS.view()); }

}  // namespace quay::desk
