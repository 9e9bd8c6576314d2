// The ticket layouts. The heading is the page header, so every page of a long ticket
// names its order; the report fills it before the first line prints.
#include "order_ticket_layout.h"

#include "quay/reports/run/house_layout.h"

namespace quay::reports::detail {
namespace {

using house::kBold;
using house::kRow;
using house::kSmall;
using house::kText;
constexpr Units kBody = house::kBodyWidth;

}  // namespace

const char* ticketTitle(TicketKind kind) {
    return kind == TicketKind::DetailTicket ? "Order Detail Ticket (Build Ticket)" : "Packing List";
}

ReportLayout ticketLayout(TicketKind kind) {
    const bool ticket = kind == TicketKind::DetailTicket;
    ReportLayout layout = house::layout(ticketTitle(kind));

    Band& head = layout.addBand(kTicketHeading, BandKind::PageHeader, 1560);
    head.add(textControl("title", 0, 0, 5000, 320, ticketTitle(kind), house::kTitle));
    house::addRunStamp(head);
    house::addLabelled(head, 0, 480, "Customer:", "customer", 3300);
    head.add(textControl("docLabel", 4600, 480, 1100, kRow, "", kBold));
    head.add(textControl("docNumber", 5700, 480, 1800, kRow, "", kText));
    house::addLabelled(head, 0, 480 + kRow, "Phone#:", "phone", 3300);
    house::addLabelled(head, 4600, 480 + kRow, "Order Date:", "orderDate", 1800);
    house::addLabelled(head, 0, 480 + 2 * kRow, "Fax#:", "fax", 3300);
    house::addLabelled(head, 4600, 480 + 2 * kRow, "Salesperson:", "salesperson", 1800);
    if (ticket) {
        house::addLabelled(head, 0, 480 + 3 * kRow, "PO#:", "poNum", 3300);
        house::addLabelled(head, 4600, 480 + 3 * kRow, "Reference:", "reference", 1800);
    }
    head.add(textControl("", 0, 1300, 800, kRow, "Qty", kBold, Alignment::Right));
    head.add(textControl("", 1000, 1300, 1600, kRow, "Part#", kBold));
    head.add(textControl("", 2700, 1300, 3300, kRow, "Description", kBold));
    if (ticket)
        head.add(textControl("", 6300, 1300, 1200, kRow, "Cost", kBold, Alignment::Right));
    else
        head.add(textControl("", 6500, 1300, 1000, kRow, "Packed", kBold, Alignment::Center));
    head.add(lineControl("", 0, 1500, kBody, 0, 8));

    Band& line = layout.addBand(kTicketLine, BandKind::Detail, 240);
    line.add(fieldControl("qty", 0, 40, 800, kRow, "n-14.2", kText, Alignment::Right));
    line.add(textControl("partNum", 1000, 40, 1600, kRow, "", kText));
    line.add(wrappedText("description", 2700, 40, ticket ? 3500 : 3700, kRow, "", kText));
    if (ticket)
        line.add(fieldControl("cost", 6300, 40, 1200, kRow, "n$-14.4", kText, Alignment::Right));
    else
        line.add(boxControl("packed", 6900, 40, 200, 170));

    if (ticket) {
        Band& vendor = layout.addBand(kTicketVendor, BandKind::Detail, 380);
        vendor.add(textControl("", 1000, 0, 600, 170, "Vendor:", kSmall));
        vendor.add(textControl("vendorName", 1600, 0, 2500, 170, "", kSmall));
        vendor.add(textControl("", 4200, 0, 600, 170, "Phone#:", kSmall));
        vendor.add(textControl("vendorPhone", 4800, 0, 1100, 170, "", kSmall));
        vendor.add(textControl("", 6000, 0, 350, 170, "Ext.", kSmall));
        vendor.add(textControl("vendorExt", 6350, 0, 600, 170, "", kSmall));
        vendor.add(textControl("", 1000, 180, 1000, 170, "Vendor Part#:", kSmall));
        vendor.add(textControl("vendorPartNum", 2000, 180, 2500, 170, "", kSmall));
    }

    Band& end = layout.addBand(kTicketLineEnd, BandKind::Detail, 60);
    end.add(lineControl("", 0, 30, kBody, 0, 3));

    Band& totals = layout.addBand(kTicketTotals, BandKind::Totals, ticket ? 1000 : 420);
    Units notesY = 150;
    if (ticket) {
        const char* labels[3] = {"Estimated Cost:", "Sold For:", "Profit:"};
        const char* names[3] = {"estimatedCost", "soldFor", "profit"};
        for (int i = 0; i < 3; ++i) {
            totals.add(textControl("", 4600, 150 + i * kRow, 1600, kRow, labels[i], kBold, Alignment::Right));
            totals.add(fieldControl(names[i], 6300, 150 + i * kRow, 1200, kRow, "n$-15.2", i == 2 ? kBold : kText,
                                    Alignment::Right));
        }
        notesY = 150 + 4 * kRow;
    }
    totals.add(textControl("", 0, notesY, 1100, kRow, "Comments:", kBold));
    totals.add(wrappedText("notes", 1100, notesY, 6400, kRow, "", kText));
    return layout;
}

}  // namespace quay::reports::detail
