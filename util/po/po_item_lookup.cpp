// The vendor's products to order from, and the form that pairs another product
// with the vendor.
#include "quay/util/po_item_lookup.h"

#include "quay/types/picture.h"
#include "quay/ui/record_fields.h"

namespace quay::util {

using namespace core;

POItemLookup::POItemLookup(Database& db, UiPort& ui, std::string vendor)
    : m_ui(ui), m_vendor(std::move(vendor)), m_list(db, ui), m_added(db, ui), m_products(db, ui), m_picked(db, ui) {}

bool POItemLookup::isOpen() const {
    return m_list.isOpen() && m_added.isOpen() && m_products.isOpen() && m_picked.isOpen();
}

ListSpec POItemLookup::spec() {
    ListSpec s;
    s.procedure = "POItemLookup";
    s.title = kTitle;
    s.columns = {
        {"Part#", 20, false}, {"Ven.Part#", 20, false}, {"Description", 35, false}, pictureColumn("Cost", "@n-13.4")};
    s.format = rowCells<VenProds>([this](const VenProds& v) {
        static const Picture cost = *Picture::parse("@n-13.4");
        m_products.handle.clear();
        m_products.rec().PartNum = v.PartNum.view();
        const bool found = m_products.handle.get(Products::byPartNum) == ErrorCode::None;
        return std::vector<std::string>{v.PartNum.str(), v.VENPARTNUM.str(),
                                        found ? m_products.rec().DESCRIPTION.str() : std::string(),
                                        found ? cellText(cost, m_products.rec().COST) : std::string()};
    });
    // Only this vendor's rows: sought on the first component of both keys.
    const ListRange mine{fieldOf(&VenProds::Vendor), m_vendor};
    s.tabs = {{"by &Part#", VenProds::byVendorPartNum, fieldOf(&VenProds::PartNum), mine},
              {"by &Vendor Part#", VenProds::byVendorVenPartNum, fieldOf(&VenProds::VENPARTNUM), mine}};
    s.allowInsert = false;
    s.allowChange = false;
    s.allowDelete = false;
    s.formButtons = false;
    s.commands = {{"&All Products", 0, [this](ListWindow& w) { allProducts(w); }}};
    return s;
}

void POItemLookup::allProducts(ListWindow& list) {
    WindowRequest pick;
    pick.request = Request::Select;
    pick.table = &m_picked.handle;
    if (m_ui.runWindow("PRODUCTBROWSE", pick).response != Response::Completed) return;
    m_added.handle.clear();
    m_added.rec().PartNum = m_picked.rec().PartNum.view();
    m_added.rec().Vendor = m_vendor;
    WindowRequest add;
    add.request = Request::Insert;
    add.table = &m_added.handle;
    if (m_ui.runWindow("VendorProductForm", add).response != Response::Completed) return;
    // The new row, read through the list's own handle, is the one highlighted.
    Table& t = list.table();
    t.clear();
    static_cast<VenProds*>(t.buffer())->VPRID = m_added.rec().VPRID;
    if (t.get(VenProds::byVPRId) == ErrorCode::None)
        list.showRecord(t.position());
    else
        list.refresh();
}

namespace {

FormSpec pairingSpec() {
    FormSpec s;
    s.procedure = "VendorProductForm";
    s.title = VendorProductForm::kTitle;
    s.numberField = fieldOf(&VenProds::VPRID);
    s.numberKey = VenProds::byVPRId;
    return s;
}

}  // namespace

VendorProductForm::VendorProductForm(Database& db, UiPort& ui, Table& venProds, const WindowRequest& request)
    : FormWindow(db, ui, venProds, pairingSpec(), request) {
    // The caller put the part and the vendor in the buffer; the insert clears it.
    const auto& v = *static_cast<const VenProds*>(venProds.buffer());
    m_partNum = v.PartNum.str();
    m_vendor = v.Vendor.str();
    FormLayout& l = mutableLayout();
    l.fields.push_back(formField("Part#:", fieldOf(&VenProds::PartNum), FieldKind::Display));
    l.fields.push_back(formField("Vendor:", fieldOf(&VenProds::Vendor), FieldKind::Display));
    FormField ven = formField("Ven.Part#:", fieldOf(&VenProds::VENPARTNUM));
    ven.width = 20;
    ven.tip = "Vendor Part Number";
    l.fields.push_back(ven);
}

int VendorProductForm::firstField() const { return fieldOf(&VenProds::VENPARTNUM); }

bool VendorProductForm::primeInsert() {
    auto& v = *static_cast<VenProds*>(table().buffer());
    v.PartNum = m_partNum;
    v.Vendor = m_vendor;
    v.VENPARTNUM = m_partNum;
    return true;
}

}  // namespace quay::util
