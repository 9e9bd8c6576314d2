// POItemLookup ("Select an Item to Order"): the products a vendor sells (its
// VenProds rows), by our part number or by the vendor's, with each product's
// description and cost. "&Select" returns the highlighted pairing. "&All Products"
// opens the product list to pick any product; the "Vendor Product Form" then adds the
// pairing of that product with this vendor (the vendor's part number preset to ours),
// and the list shows the new row highlighted.
//
// The vendor is the one in the caller's VenProds buffer (VPR:Vendor). The object
// holds the list's tables; the list window runs over table() with spec().
#pragma once

#include <string>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"
#include "quay/ui/form_window.h"
#include "quay/ui/list_window.h"

namespace quay::util {

class QUAY_EXPORT POItemLookup {
public:
    static constexpr const char* kTitle = "Select an Item to Order";

    POItemLookup(core::Database& db, core::UiPort& ui, std::string vendor);

    bool isOpen() const;
    core::Table& table() { return m_list.handle; }
    const std::string& vendor() const { return m_vendor; }
    core::ListSpec spec();

    // "&All Products": a product picked from the whole list gets its pairing with the
    // vendor, which the list then highlights.
    void allProducts(core::ListWindow& list);

private:
    core::UiPort& m_ui;
    std::string m_vendor;
    core::HeldTable<core::VenProds> m_list;
    core::HeldTable<core::VenProds> m_added;     // the Vendor Product Form's handle
    core::HeldTable<core::Products> m_products;  // the rows' descriptions and costs
    core::HeldTable<core::Products> m_picked;    // the product list's pick
};

// The "Vendor Product Form": the pairing of one product with one vendor, added at
// once with the next VPR:VPRID, our part number and the vendor's preset from the
// caller's VenProds buffer (PartNum, Vendor); the user may change "Ven.Part#" before
// OK, and Cancel removes the row again. A pairing that exists already gives
// "Duplicate Key Error" for "by &Part# / Vendor" and nothing is added.
class QUAY_EXPORT VendorProductForm : public core::FormWindow {
public:
    static constexpr const char* kTitle = "Vendor Product Form";

    // REQUIRES: `venProds` is a VenProds handle open on `db`.
    VendorProductForm(core::Database& db, core::UiPort& ui, core::Table& venProds, const core::WindowRequest& request);

protected:
    bool primeInsert() override;
    int firstField() const override;

private:
    std::string m_partNum;
    std::string m_vendor;
};

}  // namespace quay::util
