// TableAccess: a window's hold on one table. Every window has table handles of its
// own; holding one through a TableAccess opens it through the open routine (which
// creates or repairs the file as needed) and counts the window among the table's
// users; destroying the TableAccess (or release()) closes the handle and lowers the
// count. When the open routine ended the program the access holds nothing and
// isOpen() is false: the window returns at once.
//
// HeldTable<R> bundles a Handle<R> with its access, for windows that want both in
// one member:  HeldTable<Customer> cus(db, ui);  if (!cus.isOpen()) return;
//
// A TableAccess belongs to the thread of its window; it is neither copied nor moved.
#pragma once

#include "quay/app/table_open.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/table.h"

namespace quay::core {

class QUAY_EXPORT TableAccess {
public:
    // REQUIRES: `table` outlives the access and is not open.
    TableAccess(UiPort& ui, Table& table, bool createAllowed = true, OpenMode mode = OpenMode::Shared);
    ~TableAccess();
    TableAccess(const TableAccess&) = delete;
    TableAccess& operator=(const TableAccess&) = delete;

    bool isOpen() const { return m_held; }
    OpenOutcome outcome() const { return m_outcome; }
    Table& table() { return m_table; }

    // Closes the handle and lowers the count now; later calls do nothing.
    void release();

private:
    Table& m_table;
    OpenOutcome m_outcome;
    bool m_held = false;
};

template <class R>
class HeldTable {
public:
    HeldTable(Database& db, UiPort& ui, bool createAllowed = true, OpenMode mode = OpenMode::Shared)
        : handle(db), access(ui, handle, createAllowed, mode) {}

    bool isOpen() const { return access.isOpen(); }
    R& rec() { return handle.rec; }

    Handle<R> handle;
    TableAccess access;
};

}  // namespace quay::core
