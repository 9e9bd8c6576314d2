// The purchase-order form. The PO itself goes through the form pattern (numbered
// insert at open, change written only when it differs); its lines are stored one by
// one by UpdatePOItems as they are entered, each with its on-order change, so the
// form's own OK only writes the PO. What would remove lines (a cancelled new PO, a
// deleted PO) goes through the ledger in one transaction.
#include "quay/util/po_form.h"

#include <functional>
#include <optional>

#include "quay/app/standard_messages.h"
#include "quay/defaults/company_defaults.h"
#include "quay/types/clock.h"
#include "quay/types/picture.h"
#include "quay/ui/field_lookup.h"
#include "quay/ui/list_window.h"
#include "quay/ui/record_fields.h"

namespace quay::util {

using namespace core;

namespace {

// The last PO a PO form saved in this process: what Ctrl+' copies from.
std::optional<PO>& ditto() {
    static std::optional<PO> last;
    return last;
}

FormSpec poSpec(const char* procedure) {
    FormSpec s;
    s.procedure = procedure;
    s.title = POForm::kTitle;
    s.numberField = fieldOf(&PO::PoNum);
    s.numberKey = PO::byPoNum;
    return s;
}

// The lines of the PO `number` gives (the form's PO, numbered only once it is open).
RelatedListSpec linesSpec(std::function<std::int32_t()> number) {
    RelatedListSpec s;
    s.formProcedure = "UpdatePOItems";
    s.headings = {"Part#", "Qty", "Cost", "Line Cost"};
    s.key = POItems::byPoNum;
    s.start = recordSetter<POItems>([number](POItems& l) { l.PoNum = number(); });
    s.belongs = rowsWhere<POItems>([number](const POItems& l) { return l.PoNum == number(); });
    s.format = rowCells<POItems>([](const POItems& l) {
        static const Picture qty = *Picture::parse("@n-10.2");
        return std::vector<std::string>{l.PartNum.str(), cellText(qty, l.QTY), cellText(moneyPicture(), l.COST),
                                        cellText(moneyPicture(), l.LINECOST)};
    });
    return s;
}

}  // namespace

void POForm::clearDitto() { ditto().reset(); }

POForm::POForm(Database& db, UiPort& ui, Table& po, const WindowRequest& request)
    : POForm(db, ui, po, request, "POForm") {}

POForm::POForm(Database& db, UiPort& ui, Table& po, const WindowRequest& request, const char* procedure)
    : FormWindow(db, ui, po, poSpec(procedure), request),
      m_defaults(db, ui),
      m_vendors(db, ui),
      m_lineTable(db, ui),
      m_lineScan(db, ui),
      m_ledger(db, ui) {
    build();
}

POForm::~POForm() = default;

void POForm::build() {
    FormLayout& l = mutableLayout();
    l.okCaption = "Save and Print";
    l.dittoButton = true;
    l.tabs = {"&POItems"};
    l.fields.push_back(formField("PO#:", fieldOf(&PO::PoNum), FieldKind::Display));
    l.fields.push_back(formField("Vendor:", fieldOf(&PO::Vendor), FieldKind::Lookup));
    FormField date = formField("PO Date:", fieldOf(&PO::PODATE), FieldKind::Entry, "@d2");
    date.calendarTitle = "Select Date for PO";
    l.fields.push_back(date);
    FormField ship = formField("Ship Date:", fieldOf(&PO::SHIPDATE), FieldKind::Entry, "@d2");
    ship.calendarTitle = "Select Ship Date for PO";
    ship.besideLast = true;
    l.fields.push_back(ship);
    FormField shipping = formField("Shipping:", fieldOf(&PO::SHIPAMT), FieldKind::Entry, "@n-13.2");
    shipping.tip = "Shipping Charges";
    l.fields.push_back(shipping);
    FormField total = formField("Total:", fieldOf(&PO::ORDERTOTAL), FieldKind::Display, "@n$-15.2");
    total.besideLast = true;
    l.fields.push_back(total);
    l.fields.push_back(formField("Ship To:", fieldOf(&PO::SHIPTO)));
    l.fields.push_back(formField("Address:", fieldOf(&PO::ADDRESS)));
    l.fields.push_back(formField("City St Zip:", fieldOf(&PO::CITYSTZIP)));
    l.fields.push_back(formField("Comments:", fieldOf(&PO::Comments), FieldKind::Memo));
    m_list = std::make_unique<RelatedList>(ui(), m_lineTable.handle, linesSpec([this] { return rec().PoNum; }));
    // Every line stored or removed changes the total shown.
    m_list->setFormListener([this](Request, Response r) {
        if (r == Response::Completed) m_linesChanged = true;
        recomputeTotal();
    });
    l.lists.push_back(FormListTab{"&POItems", m_list.get(), true, {}});
}

int POForm::firstField() const { return fieldOf(&PO::Vendor); }

std::string POForm::owner() const { return rec().Vendor.str(); }
std::int32_t POForm::ownerNumber() const { return rec().PoNum; }

bool POForm::mayOpen() {
    if (!m_defaults.isOpen() || !m_vendors.isOpen() || !m_lineTable.isOpen() || !m_lineScan.isOpen() ||
        !m_ledger.isOpen())
        return false;
    if (GETCOMPANYDEFAULTS(m_defaults.handle, 1) != 0) {
        ui().message("Error", kNoDefaultsText, Icon::Warning, Button::Ok, Button::Ok);
        return false;
    }
    if (request() == Request::Change) m_list->load();
    return true;
}

bool POForm::primeInsert() {
    PO& p = rec();
    const Defaults& d = m_defaults.rec();
    p.PODATE = today();
    p.SHIPTO = d.COMPANYNAME.view();
    p.ADDRESS = d.ADD1.view();
    p.CITYSTZIP = d.CITY.str() + ", " + d.STATE.str() + " " + d.ZIPCODE.str();
    p.Status = "Open";
    p.SHIPAMT.clear();
    p.ORDERTOTAL.clear();
    return true;
}

void POForm::recomputeTotal() {
    PO& p = rec();
    const std::int32_t poNum = p.PoNum;
    Decimal<13, 2> sum;
    bool fits = true;
    Table& t = m_lineScan.handle;
    t.clear();
    m_lineScan.rec().PoNum = poNum;
    if (t.setAtKey(POItems::byPoNum) == ErrorCode::None) {
        while (t.next() == ErrorCode::None && m_lineScan.rec().PoNum == poNum)
            if (sum.assign(sum + m_lineScan.rec().LINECOST) != DecimalStatus::Ok) fits = false;
    }
    Decimal<13, 2> total;
    if (fits && total.assign(sum + p.SHIPAMT) == DecimalStatus::Ok) p.ORDERTOTAL = total;
}

bool POForm::accept(int field) {
    if (field == fieldOf(&PO::Vendor) && !pickVendor(false)) return false;
    if (field == fieldOf(&PO::Vendor) || field == fieldOf(&PO::SHIPAMT)) recomputeTotal();
    return true;
}

bool POForm::lookup(int field) {
    if (field != fieldOf(&PO::Vendor) || !pickVendor(true)) return false;
    return true;
}

bool POForm::pickVendor(bool browse) {
    PO& p = rec();
    FieldLookup look(ui(), m_vendors.handle,
                     LookupSpec{Vendors::byName, fieldOf(&Vendors::NAME), "VENDORBROWSE", {}, true});
    const LookupResult r = browse ? look.browse() : look.check(p.Vendor.view());
    if (!r.accepted()) {
        if (!browse) requestFocus(fieldOf(&PO::Vendor));
        return false;
    }
    if (r.outcome != LookupOutcome::Blank) p.Vendor = r.value;
    return true;
}

void POForm::recallField(int field) {
    static const int fields[] = {fieldOf(&PO::PoNum),    fieldOf(&PO::Vendor),  fieldOf(&PO::PODATE),
                                 fieldOf(&PO::SHIPDATE), fieldOf(&PO::SHIPAMT), fieldOf(&PO::ORDERTOTAL),
                                 fieldOf(&PO::SHIPTO),   fieldOf(&PO::ADDRESS), fieldOf(&PO::CITYSTZIP)};
    bool dittoField = false;
    for (const int f : fields) dittoField = dittoField || f == field;
    if (!dittoField) return;
    // Before any PO was saved the ditto holds nothing: the field is emptied.
    PO empty;
    const PO& from = ditto() ? *ditto() : empty;
    copyField(desc(), field, &from, buffer());
}

bool POForm::checkBeforeSave() {
    recomputeTotal();
    return true;
}

void POForm::afterWrite() {
    ditto() = rec();
    // The stored PO is printed (with the preview question) after every completed save.
    WindowRequest r;
    r.request = Request::None;
    r.number = rec().PoNum;
    ui().runWindow("PrintPO", r);
}

bool POForm::removeRecord() {
    const std::int32_t poNum = rec().PoNum;
    for (;;) {
        switch (m_ledger.removeOrder(poNum)) {
        case LedgerOutcome::Done:
        case LedgerOutcome::Unchanged: finish(Response::Completed); return true;
        default: break;
        }
        if (showStandardMessage(ui(), StandardMessage::RetryDelete) != Button::Yes) {
            finish(Response::Cancelled);
            return true;
        }
    }
}

bool POForm::eraseAdded() {
    // The new PO goes with every line entered meanwhile and the on-order they added.
    const LedgerOutcome out = m_ledger.removeOrder(rec().PoNum);
    return out == LedgerOutcome::Done || out == LedgerOutcome::Unchanged;
}

void POForm::afterCancelledChange() {
    // The lines stored meanwhile stay; the stored total follows them, not the copy
    // the form is put back to.
    if (m_linesChanged) m_ledger.retotal(rec().PoNum);
}

NewPOForm::NewPOForm(Database& db, UiPort& ui, Table& po)
    : POForm(db, ui, po, WindowRequest{Request::Insert, &po, 0, {}}, "NewPOForm") {}

}  // namespace quay::util
