// The PO line form. The line is stored by the ledger, never by the pattern's own
// write, so that the line and its product's on order are one transaction.
#include "quay/util/update_po_items.h"

#include "quay/app/standard_messages.h"
#include "quay/ui/record_fields.h"

namespace quay::util {

using namespace core;

namespace {

bool isBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

FormSpec lineSpec() {
    FormSpec s;
    s.procedure = "UpdatePOItems";
    s.title = UpdatePOItems::kTitle;
    s.numberField = fieldOf(&POItems::POINUM);
    s.numberKey = POItems::byPoiNum;
    return s;
}

}  // namespace

UpdatePOItems::UpdatePOItems(Database& db, UiPort& ui, Table& lines, const WindowRequest& request)
    : FormWindow(db, ui, lines, lineSpec(), request),
      m_poNum(request.number),
      m_vendor(request.text),
      m_venProds(db, ui),
      m_products(db, ui),
      m_ledger(db, ui) {
    FormLayout& l = mutableLayout();
    l.fields.push_back(formField("PO#:", fieldOf(&POItems::PoNum), FieldKind::Display));
    l.fields.push_back(formField("Part Num:", fieldOf(&POItems::PartNum), FieldKind::Lookup));
    l.fields.push_back(formField("Qty:", fieldOf(&POItems::QTY), FieldKind::Entry, "@n-10.2"));
    l.fields.push_back(formField("Cost:", fieldOf(&POItems::COST), FieldKind::Entry, "@n-10.2"));
    l.fields.push_back(formField("Line Cost:", fieldOf(&POItems::LINECOST), FieldKind::Display, "@n-13.2"));
}

int UpdatePOItems::firstField() const { return fieldOf(&POItems::PartNum); }

std::string UpdatePOItems::statusText() const {
    switch (request()) {
    case Request::Insert: return "Adding a POItems Record";
    case Request::Change: return "Changing a POItems Record";
    default: return FormWindow::statusText();
    }
}

bool UpdatePOItems::mayOpen() {
    if (!m_venProds.isOpen() || !m_products.isOpen() || !m_ledger.isOpen()) return false;
    // Items are the vendor's: without a vendor there is nothing to order, and a pairing
    // made from "&All Products" would name no vendor.
    if (request() == Request::Insert && isBlank(m_vendor)) {
        ui().message(PoLedger::kErrorCaption, kNoVendorText, Icon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    // A received line's goods are on hand already; it is unmarked in the receive
    // window before it can be changed.
    if (request() != Request::Insert && rec().RECEIVED != 0) {
        ui().message(PoLedger::kErrorCaption, PoLedger::kReceivedLineText, Icon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    if (request() != Request::Insert && m_poNum == 0) m_poNum = rec().PoNum;
    return true;
}

bool UpdatePOItems::primeInsert() {
    POItems& l = rec();
    l.QTY = Decimal<13, 2>(1);
    l.PoNum = m_poNum;
    l.RECEIVED = 0;
    return true;
}

void UpdatePOItems::recomputeLineCost() {
    POItems& l = rec();
    Decimal<13, 2> cost;
    if (cost.assign(l.QTY * l.COST) == DecimalStatus::Ok) l.LINECOST = cost;
}

bool UpdatePOItems::accept(int field) {
    if (field == fieldOf(&POItems::PartNum) && !choosePart(false)) return false;
    if (field == fieldOf(&POItems::QTY) || field == fieldOf(&POItems::COST)) {
        Decimal<13, 2> cost;
        if (cost.assign(rec().QTY * rec().COST) != DecimalStatus::Ok)
            return refuse(field, "The line cost would be too large for its field.");
    }
    recomputeLineCost();
    return true;
}

bool UpdatePOItems::lookup(int field) { return field == fieldOf(&POItems::PartNum) && choosePart(true); }

bool UpdatePOItems::pickFromList(const std::string& typed) {
    // The list is the vendor's: the vendor goes in the handle's buffer, the typed
    // part in the text, where the list opens.
    m_venProds.handle.clear();
    m_venProds.rec().Vendor = m_vendor;
    WindowRequest r;
    r.request = Request::Select;
    r.table = &m_venProds.handle;
    r.text = typed;
    return ui().runWindow("POItemLookup", r).response == Response::Completed;
}

bool UpdatePOItems::choosePart(bool browse) {
    POItems& l = rec();
    const std::string typed = l.PartNum.str();
    if (!browse && typed.empty()) {
        l.VenPartNum.clear();
        l.COST.clear();
        recomputeLineCost();
        return true;
    }
    if (!browse) {
        m_venProds.handle.clear();
        m_venProds.rec().Vendor = m_vendor;
        m_venProds.rec().PartNum = typed;
        if (m_venProds.handle.get(VenProds::byVendorPartNum) == ErrorCode::None) {
            fillFromPart(m_venProds.rec().PartNum.str());
            return true;
        }
    }
    if (!pickFromList(browse ? std::string() : typed)) {
        if (!browse) return refuse(fieldOf(&POItems::PartNum), "Choose a part that " + m_vendor + " sells.");
        return false;
    }
    fillFromPart(m_venProds.rec().PartNum.str());
    return true;
}

void UpdatePOItems::fillFromPart(const std::string& part) {
    POItems& l = rec();
    l.PartNum = part;
    // The vendor's own number for the part, blank when the vendor does not list it.
    m_venProds.handle.clear();
    m_venProds.rec().Vendor = m_vendor;
    m_venProds.rec().PartNum = part;
    if (m_venProds.handle.get(VenProds::byVendorPartNum) == ErrorCode::None)
        l.VenPartNum = m_venProds.rec().VENPARTNUM.view();
    else
        l.VenPartNum.clear();
    m_products.handle.clear();
    m_products.rec().PartNum = part;
    if (m_products.handle.get(Products::byPartNum) == ErrorCode::None) (void)l.COST.assign(m_products.rec().COST);
    recomputeLineCost();
}

std::optional<Response> UpdatePOItems::writeRecord() {
    recomputeLineCost();
    switch (m_ledger.saveLine(rec(), request() == Request::Insert)) {
    case LedgerOutcome::Done: {
        // The stored line is current in the caller's handle, so its list highlights it.
        const std::int32_t number = rec().POINUM;
        table().clear();
        rec().POINUM = number;
        table().get(POItems::byPoiNum);
        return Response::Completed;
    }
    case LedgerOutcome::Refused: return Response::Cancelled;
    default: return Response::None;
    }
}

bool UpdatePOItems::removeRecord() {
    const std::int32_t number = rec().POINUM;
    for (;;) {
        switch (m_ledger.deleteLine(number)) {
        case LedgerOutcome::Done:
        case LedgerOutcome::Unchanged: finish(Response::Completed); return true;
        case LedgerOutcome::Refused: finish(Response::Cancelled); return true;
        default: break;
        }
        if (showStandardMessage(ui(), StandardMessage::RetryDelete) != Button::Yes) {
            finish(Response::Cancelled);
            return true;
        }
    }
}

}  // namespace quay::util
