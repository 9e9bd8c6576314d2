// Factories of the product windows: the list, the product form and the vendor part
// number form.
#include <memory>

#include "quay/app/table_access.h"
#include "quay/defaults/company_defaults.h"
#include "quay/tables/defaults.h"
#include "quay/products/product_browse.h"
#include "quay/products/product_form.h"
#include "quay/products/vendor_part_form.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"
#include "quay/views/masterlists/master_windows.h"
#include "../masterlists/master_window_support.h"

namespace quay::core {

void registerProductWindows(WindowRegistry& registry) {
    auto list = [](WindowContext& c, const WindowRequest& r) {
        // Prices read with the places the company shows them with (cents with "C").
        int places = 4;
        if (c.database != nullptr) {
            HeldTable<Defaults> defaults(*c.database, c.ui);
            if (defaults.isOpen() && GETCOMPANYDEFAULTS(defaults.handle, 1) == 0 &&
                defaults.rec().ROUNDPC.equalsNoCase("C"))
                places = 2;
        }
        return openListWindow<Products>(c, r, productBrowseSpec(places));
    };
    registry.add("ProductBrowse", list);
    registry.add("PRODUCTBROWSE", list);
    registry.add("ProductForm", [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<detail::OwnTable> own;
        Table* t = detail::formTable(c, r, Products::desc(), own);
        if (t == nullptr) return WindowResponse{};
        ProductForm form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
    registry.add("VendorPartForm", [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<detail::OwnTable> own;
        Table* t = detail::formTable(c, r, VenProds::desc(), own);
        if (t == nullptr) return WindowResponse{};
        VendorPartForm form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
}

}  // namespace quay::core
