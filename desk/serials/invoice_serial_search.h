// InvoiceSerialBrowse ("Invoice Search by Serial Number"): the serial numbers sold on
// invoices, in serial-number order (then line number), each joined to its line and
// the line's order, in the list pattern. Serial numbers on quotes are left out.
// "&Insert", "&View" and "&Delete" all open the closed-invoice window on the invoice
// the row's number was sold on; typing positions the list at a serial number.
#pragma once
#include <memory>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/items_ord.h"
#include "quay/tables/orders.h"
#include "quay/tables/serials.h"
#include "quay/ui/list_window.h"

namespace quay::desk {

// The tables the search reads: Serials in key order, and beside it the line and the
// order each serial number belongs to, read by their unique keys.
class InvoiceSerialTables {
public:
    InvoiceSerialTables(core::Database& db, core::UiPort& ui) : ser(db, ui), ite(db, ui), ord(db, ui) {}
    bool isOpen() const { return ser.isOpen() && ite.isOpen() && ord.isOpen(); }
    // Reads the line and the order of `serial`; true when the order is an invoice. A
    // line or order that is gone counts as not sold on an invoice.
    bool join(const core::Serials& serial);

    core::HeldTable<core::Serials> ser;
    core::HeldTable<core::ItemsOrd> ite;
    core::HeldTable<core::Orders> ord;
};

// The search's list description over `tables.ser`. REQUIRES: `tables` outlives every
// window made from it (its functions read the line and order handles).
core::ListSpec invoiceSerialSpec(const std::shared_ptr<InvoiceSerialTables>& tables);

}  // namespace quay::desk
