// The page list as plain text, one line per placed item in page order:
//   page 1 y=1250 x=500 w=3000 h=180 text: Invoice
//   page 1 y=1500 x=500 w=7500 h=0 line
//   page 2 y=500 x=500 w=1000 h=1000 image: logo.png
// Positions are layout units from the page's top-left corner. Tests compare reports on this
// dump, and the command line writes it.
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports {

QUAY_EXPORT std::string dumpText(const PageList& pages);

}  // namespace quay::reports
