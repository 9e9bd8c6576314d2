// The bands of the order detail ticket and of the packing list. Both share the page
// heading; the ticket adds the order's PO number and reference, the cost column, the
// vendor rows and the cost and profit totals; the packing list has the "Packed" column.
#pragma once

#include "quay/reports/engine/report_layout.h"

namespace quay::reports::detail {

enum class TicketKind { DetailTicket, PackingList };

enum TicketBand {
    kTicketHeading = 1,  // page header: title, run date, page, customer and order
    kTicketLine,         // one order line
    kTicketVendor,       // one vendor of the line's product (detail ticket only)
    kTicketLineEnd,      // the rule that closes a line
    kTicketTotals,       // cost and profit (detail ticket) and the order's comments
};

const char* ticketTitle(TicketKind kind);

ReportLayout ticketLayout(TicketKind kind);

}  // namespace quay::reports::detail
