// Factories of the product windows: the list, the product form and the vendor part
// number form.
#include <memory>

#include "quay/app/table_access.h"
#include "quay/products/product_browse.h"
#include "quay/products/product_form.h"
#include "quay/products/vendor_part_form.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"
#include "quay/views/masterlists/master_windows.h"

namespace quay::core {
namespace {

template <class R>
Table* handleFor(WindowContext& c, const WindowRequest& r, std::unique_ptr<HeldTable<R>>& own) {
    if (r.table != nullptr && r.table->desc().fileName == R::desc().fileName) return r.table;
    own = std::make_unique<HeldTable<R>>(*c.database, c.ui);
    return own->isOpen() ? &own->handle : nullptr;
}

}  // namespace

void registerProductWindows(WindowRegistry& registry) {
    auto list = [](WindowContext& c, const WindowRequest& r) {
        return openListWindow<Products>(c, r, productBrowseSpec());
    };
    registry.add("ProductBrowse", list);
    registry.add("PRODUCTBROWSE", list);
    registry.add("ProductForm", [](WindowContext& c, const WindowRequest& r) {
        if (c.database == nullptr) return WindowResponse{};
        std::unique_ptr<HeldTable<Products>> own;
        Table* t = handleFor(c, r, own);
        if (t == nullptr) return WindowResponse{};
        ProductForm form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
    registry.add("VendorPartForm", [](WindowContext& c, const WindowRequest& r) {
        if (c.database == nullptr) return WindowResponse{};
        std::unique_ptr<HeldTable<VenProds>> own;
        Table* t = handleFor(c, r, own);
        if (t == nullptr) return WindowResponse{};
        VendorPartForm form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
}

}  // namespace quay::core
