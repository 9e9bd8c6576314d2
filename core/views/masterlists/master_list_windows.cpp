// Factories of the small master tables' lists and forms, and the registration of
// every master-data window.
#include <memory>

#include "quay/app/table_access.h"
#include "quay/masterlists/master_lists.h"
#include "quay/store/table.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"
#include "quay/views/masterlists/master_windows.h"
#include "master_window_support.h"

namespace quay::core {
namespace {

WindowResponse openList(WindowContext& context, const WindowRequest& request, const TableDesc& desc, ListSpec spec) {
    if (context.database == nullptr) return WindowResponse{};
    auto held = std::make_shared<detail::OwnTable>(*context.database, context.ui, desc);
    if (!held->isOpen()) return WindowResponse{};
    Table& table = held->table();
    return openListWindow(context, request, held, table, std::move(spec));
}

}  // namespace

void registerMasterListWindows(WindowRegistry& registry) {
    for (const MasterListMember& m : masterListMembers()) {
        const TableDesc* desc = m.table;
        auto list = [desc, browse = m.browse](WindowContext& c, const WindowRequest& r) {
            return openList(c, r, *desc, browse());
        };
        registry.add(m.browseProcedure, list);
        registry.add(m.exportedName, list);
        registry.add(m.formProcedure, [desc, config = m.form](WindowContext& c, const WindowRequest& r) {
            std::unique_ptr<detail::OwnTable> own;
            Table* table = detail::formTable(c, r, *desc, own);
            if (table == nullptr) return WindowResponse{};
            MasterListForm form(*c.database, c.ui, *table, config(), r);
            return runMasterForm(c, form);
        });
    }
}

void registerMasterWindows(WindowRegistry& registry) {
    // The e-mail and web double-clicks go through the program's launcher, which the
    // framework's windows set (one that opens only mail and web addresses).
    registerCustomerWindows(registry);
    registerProductWindows(registry);
    registerMasterListWindows(registry);
}

}  // namespace quay::core
