// The purchase-order layout: the company at the top left, the order's number and dates
// at the top right, the vendor and ship-to blocks side by side, then the lines in
// columns Qty., Part#, Description, Unit Price and Ext.
#include "po_print_layout.h"

#include <string>

#include "quay/reports/run/house_layout.h"

namespace quay::reports::detail {
namespace {

using house::kBold;
using house::kRow;
using house::kText;
constexpr Units kBody = house::kBodyWidth;

struct Column {
    Units x;
    Units width;
};
constexpr Column kQtyCol{0, 800};
constexpr Column kPartCol{950, 1500};
constexpr Column kDescCol{2550, 2800};
constexpr Column kPriceCol{5400, 1000};
constexpr Column kExtCol{6450, 1050};

}  // namespace

ReportLayout poLayout() {
    ReportLayout layout = house::layout("Purchase Order");

    Band& head = layout.addBand(kPoHeading, BandKind::GroupHeader, 3000);
    head.add(textControl("head1", 0, 0, 4200, 240, "", FontSpec{.pointSize = 12, .bold = true}));
    for (std::size_t i = 2; i <= kPoHeadingLines; ++i)
        head.add(
            textControl("head" + std::to_string(i), 0, 250 + static_cast<Units>(i - 2) * 165, 4200, 170, "", kText));
    head.add(textControl("", 4300, 0, kBody - 4300, 320, "Purchase Order", house::kTitle, Alignment::Right));
    head.add(textControl("", 4600, 400, 1700, kRow, "Purchase Order#:", kBold, Alignment::Right));
    head.add(textControl("poNum", 6400, 400, 1100, kRow, "", kText, Alignment::Right));
    head.add(fieldControl("poDate", 6400, 400 + kRow, 1100, kRow, "@d2", kText, Alignment::Right));
    head.add(textControl("", 4600, 400 + 2 * kRow, 1700, kRow, "Expected Ship Date:", kBold, Alignment::Right));
    head.add(fieldControl("shipDate", 6400, 400 + 2 * kRow, 1100, kRow, "@d2b", kText, Alignment::Right));

    head.add(boxControl("", 0, 1500, 3650, 1150));
    head.add(textControl("", 80, 1540, 1500, kRow, "Vendor:", kBold));
    for (std::size_t i = 0; i < kVendorLines; ++i)
        head.add(textControl("vendor" + std::to_string(i + 1), 80, 1740 + static_cast<Units>(i) * 150, 3500, 150, "",
                             kText));
    head.add(boxControl("", 3850, 1500, 3650, 1150));
    head.add(textControl("", 3930, 1540, 1500, kRow, "Ship To:", kBold));
    for (int i = 0; i < 3; ++i)
        head.add(textControl("shipTo" + std::to_string(i + 1), 3930, 1740 + i * 165, 3500, 170, "", kText));

    head.add(textControl("", kQtyCol.x, 2780, kQtyCol.width, kRow, "Qty.", kBold, Alignment::Right));
    head.add(textControl("", kPartCol.x, 2780, kPartCol.width, kRow, "Part#", kBold));
    head.add(textControl("", kDescCol.x, 2780, kDescCol.width, kRow, "Description", kBold));
    head.add(textControl("", kPriceCol.x, 2780, kPriceCol.width, kRow, "Unit Price", kBold, Alignment::Right));
    head.add(textControl("", kExtCol.x, 2780, kExtCol.width, kRow, "Ext.", kBold, Alignment::Right));
    head.add(lineControl("", 0, 2980, kBody, 0, 8));

    Band& line = layout.addBand(kPoLine, BandKind::Detail, 220);
    line.add(fieldControl("qty", kQtyCol.x, 20, kQtyCol.width, kRow, "n-14.2", kText, Alignment::Right));
    line.add(textControl("venPartNum", kPartCol.x, 20, kPartCol.width, kRow, "", kText));
    line.add(wrappedText("description", kDescCol.x, 20, kDescCol.width, kRow, "", kText));
    line.add(fieldControl("unitPrice", kPriceCol.x, 20, kPriceCol.width, kRow, "n$-14.2", kText, Alignment::Right));
    line.add(fieldControl("extension", kExtCol.x, 20, kExtCol.width, kRow, "n$-14.2", kText, Alignment::Right));

    Band& totals = layout.addBand(kPoTotals, BandKind::Totals, 1400);
    totals.add(lineControl("", 0, 20, kBody, 0, 5));
    const char* labels[3] = {"SubTotal:", "Shipping:", "Order Total:"};
    const char* names[3] = {"subTotal", "shipping", "orderTotal"};
    for (int i = 0; i < 3; ++i) {
        totals.add(textControl("", 4600, 100 + i * kRow, 1700, kRow, labels[i], kBold, Alignment::Right));
        totals.add(fieldControl(names[i], kExtCol.x, 100 + i * kRow, kExtCol.width, kRow, "n$-15.2",
                                i == 2 ? kBold : kText, Alignment::Right));
    }
    totals.add(textControl("", 0, 100 + 4 * kRow, 1100, kRow, "Comments:", kBold));
    totals.add(wrappedText("comments", 1100, 100 + 4 * kRow, 6400, kRow, "", kText));
    totals.add(wrappedText("poComment", 0, 100 + 6 * kRow, kBody, kRow, "", kText));

    Band& footer = layout.addBand(kPoFooter, BandKind::PageFooter, 260);
    footer.add(lineControl("", 0, 0, kBody, 0, 5));
    footer.add(textControl("", 5800, 60, 600, 170, "Page:", house::kSmall, Alignment::Right));
    footer.add(
        pageNumberControl("pageNumber", 6450, 60, 1050, 170, house::kPageOfPages, house::kSmall, Alignment::Right));
    return layout;
}

}  // namespace quay::reports::detail
