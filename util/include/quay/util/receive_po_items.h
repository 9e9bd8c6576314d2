// ReceivePOItems ("Receive Items into Inventory"): the lines of one purchase order
// with their received mark, under the order's number, vendor, date and total.
// "&Mark / UnMark" (or a double-click on the line) receives the highlighted line into
// stock or takes it out again, in one transaction with its product; the mark is read
// afresh inside it, so a line another station received meanwhile is not received a
// second time. When the window closes the order's status follows its lines.
//
// Runs modally over the PO in the caller's PO buffer. The object holds the window's
// tables; the list window runs over table() with spec().
#pragma once

#include <string>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/ui/list_window.h"
#include "quay/util/po_ledger.h"

namespace quay::util {

class QUAY_EXPORT ReceivePOItems {
public:
    static constexpr const char* kTitle = "Receive Items into Inventory";

    ReceivePOItems(core::Database& db, core::UiPort& ui, const core::PO& po);

    bool isOpen() const;
    core::Table& table() { return m_lines.handle; }
    core::ListSpec spec();
    const core::PO& order() const { return m_po; }

    // "&Mark / UnMark" on the highlighted line.
    void markCurrent(core::ListWindow& list);
    // The window closes: the PO's status follows its lines.
    void closing();

private:
    core::UiPort& m_ui;
    core::PO m_po;
    core::HeldTable<core::POItems> m_lines;
    PoLedger m_ledger;
};

}  // namespace quay::util
