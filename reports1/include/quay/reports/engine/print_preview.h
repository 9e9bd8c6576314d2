// The preview window of the report output contract.
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports {

// Shows the pages in the modal "Report Preview" window (print, exit, next and previous
// page, jump to a page, pages across and down, zoom). Returns 1 when the user asks to
// print, 0 when the window is left otherwise, when the list is empty or when the program
// has no QApplication. Called from a worker thread, the window opens on the GUI thread
// and the call waits for it. REQUIRES: the GUI thread is not itself waiting for the
// caller.
QUAY_EXPORT int PRINTPREVIEW(const PageList& pages, const std::string& reportTitle);

}  // namespace quay::reports
