// The bands of the printed purchase order and the names of their controls. Positions are
// layout units (1/1000 inch) from the left margin of a letter page.
#pragma once

#include <cstddef>

#include "quay/reports/engine/report_layout.h"

namespace quay::reports::detail {

enum PoBand {
    kPoHeading = 1,  // company heading, "Purchase Order#:", dates, vendor and ship-to blocks
    kPoLine,         // one PO line
    kPoTotals,       // sub total, shipping, order total and the comments
    kPoFooter,       // page footer: "Page:" numbering
};

// Lines of the vendor block ("vendor1" ...) and of the company heading ("head1" ...).
inline constexpr std::size_t kVendorLines = 6;
inline constexpr std::size_t kPoHeadingLines = 7;

ReportLayout poLayout();

}  // namespace quay::reports::detail
