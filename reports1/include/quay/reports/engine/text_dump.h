// The page list as plain text, one line per placed item in page order:
//   page 1 y=1250 x=500 w=3000 h=180 text: Invoice
//   page 1 y=1500 x=500 w=7500 h=0 line
//   page 2 y=500 x=500 w=1000 h=1000 image: logo.png
// Positions are layout units from the page's top-left corner. Tests compare reports on this
// dump, and the command line writes it.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports {

// Writes the dump page by page, holding one page at a time. False, with the reason in
// *error when given, when a page cannot be read back or the stream fails; what was written
// before stays written.
QUAY_EXPORT bool writeTextDump(const PageList& pages, std::ostream& out, std::string* error = nullptr);

// What each text form of the pages shares: pages are read back one at a time, `append`
// turns page `number` (from 1) into text, and the text is written before the next page is
// read. `asString` is the same for the whole text at once; a page that cannot be read back
// ends it with a line "error: " and the reason.
using PageTextAppender = std::function<void(int number, const Page& page, std::string& out)>;
QUAY_EXPORT bool writePagesAsText(const PageList& pages, std::ostream& out, std::string* error,
                                  const PageTextAppender& append);
QUAY_EXPORT std::string pagesAsString(const PageList& pages, const PageTextAppender& append);

// The whole dump as one string, for short reports and tests. A page that cannot be read
// back ends the text with a line "error: " and the reason.
QUAY_EXPORT std::string dumpText(const PageList& pages);

}  // namespace quay::reports
