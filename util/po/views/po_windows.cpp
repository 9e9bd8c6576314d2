// The purchasing windows on the shared views: the forms on the master form view, the
// lists on the list view (the receive window modally, the item look-up to pick from).
#include "quay/util/po_windows.h"

#include <cstring>
#include <memory>

#include "quay/app/table_access.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/tables/ven_prods.h"
#include "quay/util/po_form.h"
#include "quay/util/po_item_lookup.h"
#include "quay/util/po_lists.h"
#include "quay/util/receive_po_items.h"
#include "quay/util/update_po_items.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_form_view.h"

namespace quay::util {

using namespace core;

namespace {

bool isTableOf(const Table* t, const TableDesc& desc) {
    return t != nullptr && t->desc().fileName == desc.fileName && t->desc().recordSize == desc.recordSize;
}

// The caller's handle when it is on R's table (it holds "the record in the buffer"),
// else one opened here into `own`; null when it cannot be opened.
template <class R>
Table* formTable(WindowContext& c, const WindowRequest& r, std::unique_ptr<HeldTable<R>>& own) {
    if (c.database == nullptr) return nullptr;
    if (isTableOf(r.table, R::desc())) return r.table;
    own = std::make_unique<HeldTable<R>>(*c.database, c.ui);
    return own->isOpen() ? &own->handle : nullptr;
}

// The record of type R in the caller's buffer, or an empty one.
template <class R>
R recordOf(const WindowRequest& r) {
    R rec{};
    if (isTableOf(r.table, R::desc())) std::memcpy(static_cast<void*>(&rec), r.table->buffer(), sizeof(R));
    return rec;
}

}  // namespace

void registerPoWindows(WindowRegistry& registry) {
    registry.add("NewPOForm", [](WindowContext& c, const WindowRequest&) {
        if (c.database == nullptr) return WindowResponse{};
        HeldTable<PO> po(*c.database, c.ui);
        if (!po.isOpen()) return WindowResponse{};
        NewPOForm form(*c.database, c.ui, po.handle);
        return runMasterForm(c, form);
    });
    registry.add("POForm", [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<HeldTable<PO>> own;
        Table* t = formTable<PO>(c, r, own);
        if (t == nullptr) return WindowResponse{};
        POForm form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
    registry.add("UpdatePOItems", [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<HeldTable<POItems>> own;
        Table* t = formTable<POItems>(c, r, own);
        if (t == nullptr) return WindowResponse{};
        UpdatePOItems form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
    registry.add("VendorProductForm", [](WindowContext& c, const WindowRequest& r) {
        std::unique_ptr<HeldTable<VenProds>> own;
        Table* t = formTable<VenProds>(c, r, own);
        if (t == nullptr) return WindowResponse{};
        VendorProductForm form(*c.database, c.ui, *t, r);
        return runMasterForm(c, form);
    });
    registry.add("BrowseNewPOs",
                 [](WindowContext& c, const WindowRequest& r) { return openListWindow<PO>(c, r, browseNewPOsSpec()); });
    registry.add("BrowsePOs", [](WindowContext& c, const WindowRequest& r) {
        if (c.database == nullptr) return WindowResponse{};
        auto logic = std::make_shared<BrowsePOs>(*c.database, c.ui);
        if (!logic->isOpen()) return WindowResponse{};
        return openListWindow(c, r, logic, logic->table(), logic->spec());
    });
    registry.add("ReceivePOItems", [](WindowContext& c, const WindowRequest& r) {
        if (c.database == nullptr) return WindowResponse{};
        auto logic = std::make_shared<ReceivePOItems>(*c.database, c.ui, recordOf<PO>(r));
        if (!logic->isOpen()) return WindowResponse{};
        WindowRequest shown;
        shown.request = Request::Change;
        return openListWindow(c, shown, logic, logic->table(), logic->spec());
    });
    registry.add("POItemLookup", [](WindowContext& c, const WindowRequest& r) {
        if (c.database == nullptr) return WindowResponse{};
        auto logic = std::make_shared<POItemLookup>(*c.database, c.ui, recordOf<VenProds>(r).Vendor.str());
        if (!logic->isOpen()) return WindowResponse{};
        return openListWindow(c, r, logic, logic->table(), logic->spec());
    });
}

}  // namespace quay::util
