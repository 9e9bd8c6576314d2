// VendorPartForm ("Vendor Part Number"): one vendor part number of a product. An
// insert adds the pairing at once with the next VPR:VPRID, our part number (the
// request's text) and the vendor's part number preset to the same; OK writes it
// back, cancel deletes it. "Vendor:" is checked against the vendors and picked from
// the vendor list; one product has at most one pairing per vendor ("Duplicate Key
// Error" naming "by &Part# / Vendor").
#pragma once

#include <string>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/ui/form_window.h"
#include "quay/tables/vendors.h"

namespace quay::core {

class QUAY_EXPORT VendorPartForm : public FormWindow {
public:
    // REQUIRES: `venProds` is a VenProds handle open on `db`.
    VendorPartForm(Database& db, UiPort& ui, Table& venProds, const WindowRequest& request);

    bool accept(int field) override;
    bool lookup(int field) override;

protected:
    bool mayOpen() override;
    bool primeInsert() override;
    bool checkBeforeSave() override;
    int firstField() const override;

private:
    bool pick(bool browse);
    std::string m_partNum;
    Handle<Vendors> m_vendors;
    TableAccess m_vendorsAccess;
};

}  // namespace quay::core
