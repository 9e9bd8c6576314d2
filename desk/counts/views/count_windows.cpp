// The physical-count list runs on the shared list view, its form on the master form view.
#include "counts/views/count_windows.h"

#include <memory>

#include "counts/prod_counts.h"
#include "quay/app/table_access.h"
#include "quay/tables/products.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"

namespace quay::desk {

void registerCountWindows(core::WindowRegistry& registry) {
    registry.add("BrowseProdCounts", [](core::WindowContext& c, const core::WindowRequest& r) {
        return core::openListWindow<core::Products>(c, r, prodCountsSpec());
    });
    registry.add("ProdCountsForm", [](core::WindowContext& c, const core::WindowRequest& r) {
        if (c.database == nullptr) return core::WindowResponse{};
        std::unique_ptr<core::HeldTable<core::Products>> own;
        core::Table* t = r.table;
        if (t == nullptr || t->desc().fileName != core::Products::desc().fileName) {
            own = std::make_unique<core::HeldTable<core::Products>>(*c.database, c.ui);
            if (!own->isOpen()) return core::WindowResponse{};
            t = &own->handle;
        }
        ProdCountsForm form(*c.database, c.ui, *t, r);
        return core::runMasterForm(c, form);
    });
}

}  // namespace quay::desk
