// The bands of the printed quote and invoice and the names of their controls. Positions
// are layout units (1/1000 inch) from the left margin of a letter page; the body is
// 7500 units wide. The columns of the lines are shared by the column headings, the line,
// comment and serial bands, so their rules meet into one grid.
#pragma once

#include "quay/reports/engine/report_layout.h"

namespace quay::reports::detail {

enum QuoteBand {
    kQuoteHeading = 1,   // company heading, logo, document word, title and date
    kQuoteAddresses,     // "Bill To:", "Ship To:" and the column headings
    kQuoteLine,          // one order line
    kQuoteComment,       // a product or line comment under its line
    kQuoteSerial,        // one serial number sold on the line
    kQuoteLineEnd,       // the rule that closes a line
    kQuoteTotals,        // totals and the order's shipping and reference details
    kQuotePaymentsHead,  // "Payment Information"
    kQuotePayment,       // one applied payment
    kQuoteCompanyNotes,  // the company's comments for every quote and invoice
    kQuoteSignature,     // signature and date lines over the contact name
    kQuoteFooter,        // page footer: program notice, document title and page number
    kQuoteContinued,     // page header: the column headings again on every page after the first
};

// The controls of the continuation header, hidden until the first page has its heading.
inline constexpr const char* kContinuedControls[10] = {"contBox",  "contRule1", "contRule2", "contRule3", "contRule4",
                                                       "contPart", "contDesc",  "contQty",   "contPrice", "contExt"};

// Where the heading stands beside the logo, and where it moves when there is none.
inline constexpr int kHeadingXBesideLogo = 1563;
inline constexpr int kHeadingXWithoutLogo = 63;
// The vertical rules of the line grid, left edge to right edge.
inline constexpr int kGridRules[6] = {0, 1500, 4600, 5500, 6500, 7500};
// The controls the heading moves when there is no logo.
inline constexpr const char* kMovedHeading[10] = {"head1", "head2", "head3",   "head4",    "head5",
                                                  "head6", "head7", "docWord", "docTitle", "docDate"};

// Heights of the line and comment bands before their texts stretch them.
inline constexpr int kLineBandHeight = 230;
inline constexpr int kCommentBandHeight = 200;

// Names of the rules of a grid band: "<prefix>Rule0" ... "<prefix>Rule5".
std::string ruleName(const char* prefix, int index);

ReportLayout quoteLayout();

}  // namespace quay::reports::detail
