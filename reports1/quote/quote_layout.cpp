// The quote and invoice layout. The heading's document word, title and date are aligned
// right across the whole width from the heading's x, so they stay at the right edge when
// the heading moves to the margin.
#include "quote_layout.h"

#include <string>

#include "quay/reports/run/house_layout.h"

namespace quay::reports::detail {
namespace {

using house::kBold;
using house::kRow;
using house::kSmall;
using house::kText;
constexpr Units kBody = house::kBodyWidth;

const FontSpec kComment{.pointSize = 8.5, .italic = true};

// The four columns after the part number: where their texts start and how wide they are.
struct Column {
    Units x;
    Units width;
};
constexpr Column kPartCol{60, 1400};
constexpr Column kDescCol{1560, 2980};
constexpr Column kQtyCol{4600, 840};
constexpr Column kPriceCol{5500, 940};
constexpr Column kExtCol{6500, 940};

// The column headings in a box with the grid's inner rules; `prefix` names the controls
// (empty for the fixed headings of the address band).
void addColumnHeadings(Band& band, Units y, const char* prefix) {
    const bool named = *prefix != '\0';
    auto name = [&](const char* n) { return named ? std::string(prefix) + n : std::string(); };
    band.add(boxControl(name("Box"), 0, y, kBody, 280));
    for (int i = 1; i < 5; ++i)
        band.add(lineControl(name(("Rule" + std::to_string(i)).c_str()), kGridRules[i], y, 0, 280));
    band.add(textControl(name("Part"), kPartCol.x, y + 50, kPartCol.width, kRow, "Part#", kBold));
    band.add(textControl(name("Desc"), kDescCol.x, y + 50, kDescCol.width, kRow, "Description", kBold));
    band.add(textControl(name("Qty"), kQtyCol.x, y + 50, kQtyCol.width, kRow, "Qty.", kBold, Alignment::Right));
    band.add(
        textControl(name("Price"), kPriceCol.x, y + 50, kPriceCol.width, kRow, "Unit Price", kBold, Alignment::Right));
    band.add(textControl(name("Ext"), kExtCol.x, y + 50, kExtCol.width, kRow, "Ext.", kBold, Alignment::Right));
}

void addGrid(Band& band, const char* prefix, Units height) {
    for (int i = 0; i < 6; ++i) band.add(lineControl(ruleName(prefix, i), kGridRules[i], 0, 0, height));
}

void addAddressBox(Band& band, const char* label, const char* prefix, Units x) {
    band.add(boxControl("", x, 100, 3650, 1150));
    band.add(textControl("", x + 80, 140, 1500, kRow, label, kBold));
    for (int i = 0; i < 5; ++i)
        band.add(textControl(std::string(prefix) + std::to_string(i + 1), x + 80, 350 + i * 165, 3500, 170, "", kText));
}

// One row of the totals: label, optional percentage and the amount.
void addTotalRow(Band& band, Units y, const char* label, const char* name, const char* pctName = nullptr,
                 const char* pctPicture = nullptr, bool bold = false) {
    band.add(textControl(std::string(name) + "Label", 4600, y, 1200, kRow, label, kBold, Alignment::Right));
    if (pctName) band.add(fieldControl(pctName, 5820, y, 640, kRow, pctPicture, kText, Alignment::Right));
    band.add(fieldControl(name, kExtCol.x, y, kExtCol.width, kRow, "n$-15.2", bold ? kBold : kText, Alignment::Right));
}

void addDetail(Band& band, Units y, const char* label, const char* name) {
    band.add(textControl("", 60, y, 1400, kRow, label, kBold));
    band.add(textControl(name, 1500, y, 2950, kRow, "", kText));
}

}  // namespace

std::string ruleName(const char* prefix, int index) { return std::string(prefix) + "Rule" + std::to_string(index); }

ReportLayout quoteLayout() {
    ReportLayout layout = house::layout("Quote");

    Band& heading = layout.addBand(kQuoteHeading, BandKind::GroupHeader, 1300);
    heading.add(imageControl("logo", 0, 0, 1400, 1100));
    heading.add(textControl("head1", kHeadingXBesideLogo, 0, 3900, 240, "", FontSpec{.pointSize = 12, .bold = true}));
    for (int i = 2; i <= 7; ++i)
        heading.add(
            textControl("head" + std::to_string(i), kHeadingXBesideLogo, 250 + (i - 2) * 165, 3900, 170, "", kText));
    const Units rightWidth = kBody - kHeadingXBesideLogo;
    heading.add(textControl("docWord", kHeadingXBesideLogo, 0, rightWidth, 420, "",
                            FontSpec{.pointSize = 22, .bold = true}, Alignment::Right));
    heading.add(textControl("docTitle", kHeadingXBesideLogo, 450, rightWidth, 220, "",
                            FontSpec{.pointSize = 11, .bold = true}, Alignment::Right));
    heading.add(textControl("docDate", kHeadingXBesideLogo, 680, rightWidth, 200, "", FontSpec{.pointSize = 10},
                            Alignment::Right));

    Band& addresses = layout.addBand(kQuoteAddresses, BandKind::GroupHeader, 1700);
    addAddressBox(addresses, "Bill To:", "billTo", 0);
    addAddressBox(addresses, "Ship To:", "shipTo", 3850);
    addColumnHeadings(addresses, 1420, "");

    // A band of height 0 whose controls start hidden takes no room on the first page; once
    // shown, the headings open every further page and the grid goes on right below them.
    Band& continued = layout.addBand(kQuoteContinued, BandKind::PageHeader, 0);
    addColumnHeadings(continued, 0, "cont");
    for (Control& c : continued.controls) c.hidden = true;

    Band& line = layout.addBand(kQuoteLine, BandKind::Detail, kLineBandHeight);
    addGrid(line, "line", kLineBandHeight);
    line.add(textControl("partNum", kPartCol.x, 30, kPartCol.width, kRow, "", kText));
    line.add(wrappedText("description", kDescCol.x, 30, kDescCol.width, kRow, "", kText));
    line.add(fieldControl("qty", kQtyCol.x, 30, kQtyCol.width, kRow, "n-14.2", kText, Alignment::Right));
    line.add(fieldControl("unitPrice", kPriceCol.x, 30, kPriceCol.width, kRow, "n$-14.4", kText, Alignment::Right));
    line.add(fieldControl("extension", kExtCol.x, 30, kExtCol.width, kRow, "n$-14.2", kText, Alignment::Right));

    Band& comment = layout.addBand(kQuoteComment, BandKind::Detail, kCommentBandHeight);
    addGrid(comment, "comment", kCommentBandHeight);
    comment.add(wrappedText("comment", kDescCol.x, 0, kDescCol.width, 170, "", kComment));

    Band& serial = layout.addBand(kQuoteSerial, BandKind::Detail, 190);
    addGrid(serial, "serial", 190);
    serial.add(textControl("", kDescCol.x, 0, 700, 170, "Serial #:", kSmall));
    serial.add(textControl("serialNumber", kDescCol.x + 700, 0, 2200, 170, "", kSmall));

    // The grid runs on to the closing rule, so a line's column rules meet the next line's.
    Band& lineEnd = layout.addBand(kQuoteLineEnd, BandKind::Detail, 25);
    addGrid(lineEnd, "end", 25);
    lineEnd.add(lineControl("", 0, 25, kBody, 0));

    Band& totals = layout.addBand(kQuoteTotals, BandKind::Totals, 2400);
    addTotalRow(totals, 100, "Sub Total:", "listSub");
    addTotalRow(totals, 100 + kRow, "Discount:", "discount", "discountPct", "n9.2~%~");
    addTotalRow(totals, 100 + 2 * kRow, "Surcharge:", "surcharge", "surchargePct", "n9.2~%~");
    addTotalRow(totals, 100 + 3 * kRow, "Shipping:", "shipping");
    addTotalRow(totals, 100 + 4 * kRow, "Handling:", "handling");
    addTotalRow(totals, 100 + 5 * kRow, "COD:", "cod");
    addTotalRow(totals, 100 + 6 * kRow, "Sales Tax 1:", "salesTax1", "taxRate1", "n-9.4~%~");
    addTotalRow(totals, 100 + 7 * kRow, "Sales Tax 2:", "salesTax2", "taxRate2", "n-9.4~%~");
    totals.add(lineControl("", 5820, 100 + 8 * kRow + 10, 1680, 0));
    addTotalRow(totals, 100 + 8 * kRow + 30, "Order Total:", "orderTotal", nullptr, nullptr, true);
    addTotalRow(totals, 100 + 9 * kRow + 30, "Payments:", "payments");
    addTotalRow(totals, 100 + 10 * kRow + 30, "Balance Due:", "balanceDue", nullptr, nullptr, true);
    addDetail(totals, 100, "Shipped Via:", "shipVia");
    addDetail(totals, 100 + kRow, "Shipment Track#:", "shipTrak");
    addDetail(totals, 100 + 2 * kRow, "Reference:", "reference");
    addDetail(totals, 100 + 3 * kRow, "Purchase Order#:", "poNum");
    addDetail(totals, 100 + 4 * kRow, "Terms:", "terms");
    // The order's notes may run to many lines; standing last, they push nothing aside.
    totals.add(textControl("", 60, 2200, 1400, kRow, "Comments:", kBold));
    totals.add(wrappedText("notes", 1500, 2200, 5940, kRow, "", kText));

    Band& paymentsHead = layout.addBand(kQuotePaymentsHead, BandKind::Detail, 480);
    paymentsHead.add(
        textControl("", 60, 100, 3000, 200, "Payment Information", FontSpec{.pointSize = 10, .bold = true}));
    paymentsHead.add(textControl("", 60, 300, 1500, kRow, "Date", kBold));
    paymentsHead.add(textControl("", kExtCol.x, 300, kExtCol.width, kRow, "Amount", kBold, Alignment::Right));
    paymentsHead.add(lineControl("", 0, 475, kBody, 0, 5));

    Band& payment = layout.addBand(kQuotePayment, BandKind::Detail, 200);
    payment.add(textControl("paymentLine", 60, 10, 6000, kRow, "", kText));
    payment.add(fieldControl("paymentAmount", kExtCol.x, 10, kExtCol.width, kRow, "n$-14.2", kText, Alignment::Right));

    Band& notes = layout.addBand(kQuoteCompanyNotes, BandKind::Detail, 400);
    notes.add(wrappedText("invComments", 60, 200, 7380, kRow, "", kText));

    Band& signature = layout.addBand(kQuoteSignature, BandKind::Detail, 1000);
    signature.add(lineControl("", 0, 650, 4200, 0));
    signature.add(textControl("contactName", 0, 680, 4200, kRow, "", kText));
    signature.add(lineControl("", 5000, 650, 2500, 0));
    signature.add(textControl("", 5000, 680, 2500, kRow, "Date", kText));

    Band& footer = layout.addBand(kQuoteFooter, BandKind::PageFooter, 420);
    footer.add(lineControl("", 0, 0, kBody, 0, 5));
    footer.add(textControl("notice", 0, 60, kBody, 170, "", kSmall, Alignment::Center));
    footer.add(textControl("footerTitle", 0, 240, 3700, 170, "", kSmall));
    footer.add(pageNumberControl("pageNumber", 3800, 240, 3700, 170, house::kPageNumberLine, kSmall, Alignment::Right));
    return layout;
}

}  // namespace quay::reports::detail
