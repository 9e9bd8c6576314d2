// A page list read as text: every page's texts grouped into lines by their height on the
// page and read left to right, one line of text per line of print:
//   --- page 1
//   Invoice# 1042 | Page 1 of 2
//   P-100 | Deck cleat, galvanised | 2.00 | $4.2500 | $8.50
// Tests compare reports on it, and the command line prints it, because it shows what a
// reader of the paper sees without the positions the full dump carries.
#pragma once

#include <iosfwd>
#include <string>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports {

// Writes the text page by page, holding one page at a time. False, with the reason in
// *error when given, when a page cannot be read back or the stream fails.
QUAY_EXPORT bool writeReadingText(const PageList& pages, std::ostream& out, std::string* error = nullptr);

// The whole text as one string, for short reports and tests. A page that cannot be read
// back ends the text with a line "error: " and the reason.
QUAY_EXPORT std::string readingText(const PageList& pages);

}  // namespace quay::reports
