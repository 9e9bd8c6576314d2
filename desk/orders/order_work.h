// The working lists of one open order form: its lines (ITEQ), the serial numbers of
// all its lines (SERQ) and the scratch list of one line's numbers (SERQ1), with the
// line sums and order totals computed from them. Every order form owns one
// OrderWork, so two open forms never share lines or serial numbers.
//
// A line's identity while the form is open is its position: a new line gets the
// highest position so far plus one, positions are never renumbered, and serial
// numbers follow their line through it (SerialEntry::ITEQNUM).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "quay/tables/items_ord.h"
#include "quay/tables/orders.h"
#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"

namespace quay::desk {

// The prints of one stored order that the order windows open: the customer's quote or
// invoice (QUOTEPRINT), the order detail ticket (QUOTEPRINTDETAIL) and the packing list
// (QUOTEPACKINGLIST). The view runs the report for each; the logic only names it.
enum class OrderPrint { QuoteOrInvoice, DetailTicket, PackingList };

// The exported procedure of a print, as the user's documentation names it.
const char* orderPrintProcedure(OrderPrint print);

// One line of the open order (an ITEQ entry).
struct LineEntry {
    core::FixedString<20> PARTNUM;
    core::FixedString<35> DESCRIPTION;
    core::Decimal<13, 2> QTY;
    core::Decimal<13, 4> PRICE;
    core::Decimal<13, 2> TOTAL;
    std::int32_t ITENUM = 0;  // the stored line's ITE:IteNum, 0 for a line not yet stored
    std::int32_t ORDNUM = 0;
    core::FixedString<15> GROUP;
    core::Decimal<13, 4> COST;
    core::Decimal<13, 2> QTYDELIVERED;
    std::uint8_t SALESTAXABLE1 = 0;
    std::uint8_t SALESTAXABLE2 = 0;
    std::int32_t BACKORDDATE = 0;
    std::int32_t DUEDATE = 0;
    std::int32_t DELIVERYDATE = 0;
    core::FixedString<3> TRACKSERIAL;
    std::uint8_t MARKED = 0;
    std::string COMMENTS;  // up to kCommentsLength characters
    std::uint8_t DELETED = 0;
    std::uint8_t MARK = 0;
    std::int32_t POSITION = 0;

    static constexpr std::size_t kCommentsLength = 1000;
};

// One serial number of a line (a SERQ entry).
struct SerialEntry {
    std::int32_t ITENUM = 0;
    core::FixedString<20> SERIALNUMBER;
    std::int32_t ITEQNUM = 0;  // POSITION of the line it belongs to
};

// What the line sums leave beside the order: the order's cost total, not stored.
struct LineSums {
    core::Decimal<13, 2> cost;
};

class OrderWork {
public:
    std::vector<LineEntry> lines;                // ITEQ, kept in POSITION order
    std::vector<SerialEntry> serials;            // SERQ
    std::vector<core::FixedString<20>> scratch;  // SERQ1, kept sorted on the number

    void clear();
    // The position a new line gets: the highest so far plus one.
    std::int32_t nextPosition() const;
    // Index of the line at `position`, or -1.
    int indexOf(std::int32_t position) const;
    int serialCount(std::int32_t position) const;
    // Removes the line at `position` and every serial number of it.
    void removeLine(std::int32_t position);
    // Fills `line` from a stored order line (and the reverse for a save).
    static void fromStored(const core::ItemsOrd& ite, std::int32_t position, LineEntry& line);
};

// Recomputes the order's tax buckets, ORD:LISTSUB and the cost total from the lines,
// every sum stored to the field's places as it goes. Overflow when a sum does not
// fit its field: the order is then left exactly as it was.
core::DecimalStatus computeLineSums(core::Orders& order, const std::vector<LineEntry>& lines, LineSums& sums);

// Recomputes subtotal, taxes, discount, surcharge, total and profit from the sums,
// each result stored to two places before a later step uses it. Overflow leaves the
// order as it was.
core::DecimalStatus computeOrderTotals(core::Orders& order, const LineSums& sums);

// The shipping line shown: shipping + handling + COD (not stored).
core::Decimal<15, 2> shippingLine(const core::Orders& order);

// ITEQ:TOTAL = QTY x PRICE to two places; Overflow leaves the total unchanged.
core::DecimalStatus computeLineTotal(LineEntry& line);

}  // namespace quay::desk
