// PoLedger: every write of purchasing that moves stock, each one transaction over
// the purchase order, its lines, the products they name (and, for a deleted order,
// its schedule entries), so that on order and on hand never fall out of step with
// the lines, whatever fails or stops midway.
//
//   saveLine      a line entered or changed: the line and its product's on order
//   deleteLine    a line deleted: the line and its product's on order
//   removeOrder   a new PO cancelled, or a PO deleted: its unreceived lines' on
//                 order, its lines, its schedule entries and the PO itself
//   markLine      one line received or un-received: the line and its product
//   receiveOrder  every line not yet received, and the PO closed
//   followLines   the PO's status after its lines: "Open" while a line is not
//                 received, "Closed" once all are
//   retotal       the PO's order total after its stored lines and shipping
//
// Receiving re-reads each line's received mark inside its transaction, so a line is
// received at most once however many stations press at the same moment: a line
// another station has received meanwhile is left as it is. A received line's goods
// are on hand, so it no longer counts on order: changing or deleting it is refused,
// and deleting its PO leaves on order alone.
//
// Failures are reported to the user through the standard messages (or the texts of
// receiving) and roll the whole transaction back. Products are found by part
// number; a line whose part names no product moves no stock. Used on the thread of
// the window that holds the ledger.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/tables/products.h"
#include "quay/tables/schedule.h"

namespace quay::util {

enum class LedgerOutcome {
    Done,       // written and committed
    Unchanged,  // nothing to do: another station did it already (a line received
                // meanwhile) or the record is gone; nothing written
    Refused,    // the change is not allowed (a received line); the user was told
    Failed,     // an error was reported; nothing written
};

class QUAY_EXPORT PoLedger {
public:
    // Title of the messages of receiving ("Error ... getting PO#12").
    static constexpr const char* kErrorCaption = "Error";
    static constexpr const char* kReceivedLineText =
        "This item has been received into inventory.  Mark it as not received in \"Receive Items into "
        "Inventory\" before changing or deleting it.";

    // REQUIRES: `db` and `ui` outlive the ledger. The tables open through the open
    // routine; isOpen() is false when one could not be opened.
    PoLedger(core::Database& db, core::UiPort& ui);

    bool isOpen() const;

    // Writes `line` (already stored under its POI:POINUM) with its product's on order:
    // raised by its quantity when `entered` (a new line), else moved from what the
    // stored line counted (its part and quantity) to what `line` counts. A stored
    // line that is received is refused; one gone meanwhile fails.
    LedgerOutcome saveLine(const core::POItems& line, bool entered);
    // Deletes line `poiNum`, lowering its product's on order by its quantity.
    LedgerOutcome deleteLine(std::int32_t poiNum);
    // Deletes PO `poNum` with its lines and schedule entries; every line not yet
    // received lowers its product's on order first. A PO already gone: Unchanged.
    LedgerOutcome removeOrder(std::int32_t poNum);
    // Marks line `poiNum` received (`received`) or not, moving its quantity between
    // on order and on hand. Unchanged when the stored mark already is `received`.
    LedgerOutcome markLine(std::int32_t poiNum, bool received);
    // Receives every line of PO `poNum` whose mark is not set and closes the PO.
    LedgerOutcome receiveOrder(std::int32_t poNum);
    // Sets PO `poNum`'s status after its lines. A PO without lines keeps its status.
    LedgerOutcome followLines(std::int32_t poNum);
    // Stores in PO `poNum` the order total its stored lines and shipping make
    // (POH:ORDERTOTAL), for a PO form cancelled after its lines changed.
    LedgerOutcome retotal(std::int32_t poNum);

    // The stored PO `poNum` after a successful call, as last read.
    const core::PO& order() const { return m_po.handle.rec; }

private:
    struct Tx;
    bool begin(Tx& tx, const char* what);
    LedgerOutcome updateFailed(core::Table& t);
    LedgerOutcome deleteFailed(core::Table& t);
    LedgerOutcome retrievalFailed(core::Table& t);
    LedgerOutcome tooLarge(const core::Products& p);
    // Reads product `part` into the products buffer; false when there is none.
    bool findProduct(const core::FixedString<20>& part, core::ErrorCode& error);
    // The line numbers of PO `poNum`, in POI:byPoNum order.
    core::ErrorCode linesOf(std::int32_t poNum, std::vector<std::int32_t>& out);
    // Applies the stock rule `rule` to the product of `part` and writes it.
    template <class Rule>
    LedgerOutcome moveStock(const core::FixedString<20>& part, Rule rule);

    core::Database& m_db;
    core::UiPort& m_ui;
    core::HeldTable<core::PO> m_po;
    core::HeldTable<core::POItems> m_lines;
    core::HeldTable<core::Products> m_products;
    core::HeldTable<core::Schedule> m_schedule;
};

}  // namespace quay::util
