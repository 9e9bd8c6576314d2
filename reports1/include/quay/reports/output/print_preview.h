// The preview window of the report output contract, run modally.
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"
#include "quay/reports/engine/report_output.h"

namespace quay::reports {

// Shows the pages in the modal "Report Preview" window (print, exit, next and previous
// page, jump to a page, pages across and down, zoom). Returns 1 when the user asks to
// print, 0 when the window is left otherwise, when the list is empty or when the program
// has no QApplication. Called from a worker thread, the window opens on the GUI thread
// and the call waits for it. REQUIRES: the GUI thread is not itself waiting for the
// caller.
QUAY_EXPORT int PRINTPREVIEW(const PageList& pages, const std::string& reportTitle);

// The preview as the desktop's report output runs it: Print sends the pages `copies`
// times to the printer (HANDLECOPIES) from inside the window, which closes once they
// went; when the printer refuses, the window stays open and says why. "Save as PDF..."
// writes the pages to a PDF file the user chooses, whether or not a printer exists.
// Same threading as PRINTPREVIEW; Closed when the list is empty or there is no
// QApplication.
QUAY_EXPORT PreviewResult previewAndPrint(const PageList& pages, const std::string& reportTitle, int copies);

}  // namespace quay::reports
