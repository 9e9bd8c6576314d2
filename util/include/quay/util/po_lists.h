// The purchase-order lists. "Browse PO's" (BrowseNewPOs) lists the open POs by
// number, vendor or date and changes them through POForm. "Purchase Orders"
// (BrowsePOs) lists every PO on six tabs (open or closed, by vendor or by date; all
// by vendor; by number), opens "Receive Items into Inventory" for the highlighted PO,
// prints it, and receives the entire order into stock.
#pragma once

#include <memory>

#include "quay/app/table_access.h"
#include "quay/export.h"
#include "quay/tables/po.h"
#include "quay/ui/list_window.h"
#include "quay/util/po_ledger.h"

namespace quay::util {

// The list of open POs, changed through POForm.
QUAY_EXPORT core::ListSpec browseNewPOsSpec();

class QUAY_EXPORT BrowsePOs {
public:
    static constexpr const char* kTitle = "Purchase Orders";
    static constexpr const char* kReceiveQuestion =
        "If you proceed, all items in this order not already received will be put into inventory and the PO will be "
        "closed.";
    // The commands, by their index in spec().commands.
    enum Command { ReceiveItems = 0, InsertCommand, DeleteCommand, PrintCommand, ReceiveEntireOrder };

    BrowsePOs(core::Database& db, core::UiPort& ui);

    bool isOpen() const;
    core::Table& table() { return m_po.handle; }
    core::ListSpec spec();

    // "Re&ceive Individual Items or Change Dates", "&Insert" (an empty PO) and
    // "&Delete": "Receive Items into Inventory" for the PO.
    void receiveItems(core::ListWindow& list, bool emptyOrder);
    // "&Print PO": the "Purchase Order" print of the highlighted PO.
    void print(core::ListWindow& list);
    // "&Receive Entire Order into Inventory", after the question.
    void receiveEntireOrder(core::ListWindow& list);

private:
    core::UiPort& m_ui;
    core::HeldTable<core::PO> m_po;
    core::HeldTable<core::PO> m_empty;  // the empty PO "&Insert" opens the window on
    PoLedger m_ledger;
};

}  // namespace quay::util
