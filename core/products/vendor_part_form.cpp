// The vendor part number form of a product.
#include "quay/products/vendor_part_form.h"

#include "quay/ui/field_lookup.h"
#include "quay/tables/ven_prods.h"

namespace quay::core {
namespace {

FormSpec pairSpec() {
    FormSpec s;
    s.procedure = "VendorPartForm";
    s.title = "Vendor Part Number";
    s.numberField = fieldOf(&VenProds::VPRID);
    s.numberKey = VenProds::byVPRId;
    return s;
}

int vpr(const char* name) { return VenProds::desc().fieldIndex(name); }

}  // namespace

VendorPartForm::VendorPartForm(Database& db, UiPort& ui, Table& venProds, const WindowRequest& request)
    : FormWindow(db, ui, venProds, pairSpec(), request),
      m_partNum(request.text),
      m_vendors(db),
      m_vendorsAccess(ui, m_vendors) {
    FormLayout& l = mutableLayout();
    l.fields.push_back(formField("Part#:", vpr("PartNum"), FieldKind::Display));
    l.fields.push_back(formField("Vendor:", vpr("Vendor"), FieldKind::Lookup));
    l.fields.push_back(formField("Ven.Part#:", vpr("VENPARTNUM")));
}

int VendorPartForm::firstField() const { return vpr("Vendor"); }

bool VendorPartForm::mayOpen() { return m_vendorsAccess.isOpen(); }

bool VendorPartForm::primeInsert() {
    auto& p = *static_cast<VenProds*>(table().buffer());
    p.PartNum = m_partNum;
    p.VENPARTNUM = m_partNum;
    return true;
}

bool VendorPartForm::accept(int f) {
    if (f != vpr("Vendor")) return true;
    return pick(false);
}

bool VendorPartForm::lookup(int f) { return f == vpr("Vendor") && pick(true); }

bool VendorPartForm::pick(bool browse) {
    auto& p = *static_cast<VenProds*>(table().buffer());
    FieldLookup lookup(ui(), m_vendors, LookupSpec{Vendors::byName, fieldOf(&Vendors::NAME), "VENDORBROWSE", {}, true});
    const LookupResult r = browse ? lookup.browse() : lookup.check(p.Vendor.view());
    if (!r.accepted()) {
        if (!browse) requestFocus(vpr("Vendor"));
        return false;
    }
    p.Vendor = r.value;
    return true;
}

bool VendorPartForm::checkBeforeSave() {
    // A pairing without a vendor names nothing; the user picks one first.
    if (static_cast<VenProds*>(table().buffer())->Vendor.isBlank())
        return refuse(vpr("Vendor"), "Choose the vendor who sells this part under the number given.");
    return true;
}

}  // namespace quay::core
