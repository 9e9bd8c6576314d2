// What the master windows' factories share: the handle a form works on, which is
// the caller's when it is on the form's file (a list hands its own, with the
// record), else one the window opens for itself through the open routine.
#pragma once

#include <memory>
#include <vector>

#include "quay/app/table_access.h"
#include "quay/store/table.h"
#include "quay/views/window_registry.h"

namespace quay::core::detail {

// A handle of any table with a buffer of its own, held open through the open routine.
class OwnTable {
public:
    OwnTable(Database& db, UiPort& ui, const TableDesc& desc)
        : m_buffer(desc.recordSize), m_table(db, desc, m_buffer.data()), m_access(ui, m_table) {}
    bool isOpen() const { return m_access.isOpen(); }
    Table& table() { return m_table; }

private:
    std::vector<unsigned char> m_buffer;
    Table m_table;
    TableAccess m_access;
};

// The caller's handle when it is on `desc`'s file, else one opened into `own`; null
// without a data set or when the table could not be opened.
inline Table* formTable(WindowContext& c, const WindowRequest& r, const TableDesc& desc,
                        std::unique_ptr<OwnTable>& own) {
    if (c.database == nullptr) return nullptr;  // no data set: no form
    if (r.table != nullptr && r.table->desc().fileName == desc.fileName) return r.table;
    own = std::make_unique<OwnTable>(*c.database, c.ui, desc);
    return own->isOpen() ? &own->table() : nullptr;
}

}  // namespace quay::core::detail
