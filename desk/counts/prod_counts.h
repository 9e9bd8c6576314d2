// Physical counts: the list "Product Counts" (BrowseProdCounts) of every product with
// its stock figures, and the form "Change Product Counts" (ProdCountsForm) that
// corrects the four quantities of one product after a count. Products are neither
// added nor removed here: an insert or delete request is refused with the standard
// "Invalid Request" message and the form ends cancelled.
#pragma once

#include "quay/store/database.h"
#include "quay/ui/form_window.h"
#include "quay/ui/list_window.h"

namespace quay::desk {

// The list's columns, tabs and commands. Every product is listed, active or not.
core::ListSpec prodCountsSpec();

// The form edits On Hand, On Order, On Backorder and Min Qty of the product current
// in the caller's Products handle; part number, group and description are shown only.
// A change is written through the product rules in one transaction (so a stored part
// number stays whole across the dependants) and only when something differs.
class ProdCountsForm : public core::FormWindow {
public:
    // REQUIRES: `products` is a Products handle open on `db` holding the product.
    ProdCountsForm(core::Database& db, core::UiPort& ui, core::Table& products, const core::WindowRequest& request);

protected:
    bool mayOpen() override;
    int firstField() const override;
};

}  // namespace quay::desk
