// UpdatePOItems ("Update the PO Item"): one line of a purchase order. Called with
// the PO's number in the request's number and its vendor in the request's text. A new
// line is primed (quantity 1, not received) and added at once with the next
// POI:POINUM; OK stores what was entered together with its product's on-order
// change in one transaction (see PoLedger), cancel removes the added line again.
// The part number is checked against the vendor's products (VenProds of the PO's
// vendor); one the vendor does not list opens "Select an Item to Order" to pick
// from. A part fills the vendor's part number and the cost from the product; the
// line cost is quantity times cost. A received line is neither changed nor deleted,
// and a PO without a vendor gets no new line.
#pragma once

#include <optional>
#include <string>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/tables/po_items.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"
#include "quay/ui/form_window.h"
#include "quay/util/po_ledger.h"

namespace quay::util {

class QUAY_EXPORT UpdatePOItems : public core::FormWindow {
public:
    static constexpr const char* kTitle = "Update the PO Item";
    static constexpr const char* kNoVendorText = "Choose the vendor of this PO before adding items to it.";

    // REQUIRES: `lines` is a POItems handle open on `db`, holding the line for change
    // and delete.
    UpdatePOItems(core::Database& db, core::UiPort& ui, core::Table& lines, const core::WindowRequest& request);

    bool accept(int field) override;
    bool lookup(int field) override;
    std::string statusText() const override;

    core::POItems& rec() { return *static_cast<core::POItems*>(buffer()); }

protected:
    bool mayOpen() override;
    bool primeInsert() override;
    std::optional<core::Response> writeRecord() override;
    bool removeRecord() override;
    int firstField() const override;

private:
    // Checks the typed part against the vendor's products, or (`browse`) picks one.
    bool choosePart(bool browse);
    // Runs "Select an Item to Order"; true when a part was picked (in m_venProds).
    bool pickFromList(const std::string& typed);
    void fillFromPart(const std::string& part);
    void recomputeLineCost();

    std::int32_t m_poNum;
    std::string m_vendor;
    core::HeldTable<core::VenProds> m_venProds;
    core::HeldTable<core::Products> m_products;
    PoLedger m_ledger;
};

}  // namespace quay::util
