// Printing a page list: the system's default printer, the copy handling of the report
// output contract, and direct printing.
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

class QPrinter;

namespace quay::reports {

// The system's default printer; empty when none is installed.
QUAY_EXPORT std::string defaultPrinterName();

// Prints every page `copies` times (whole sets one after the other) on the page list's
// printer, or the default printer when it names none or a printer no longer installed.
// Returns 1 when the pages went to the printer, 0 when there is no printer, nothing to
// print or the printer refused.
QUAY_EXPORT int HANDLECOPIES(const PageList& pages, int copies);

// 1 when the report's printer makes copies itself (so one set with a copy count is
// enough), 0 otherwise and on a machine without a printer.
QUAY_EXPORT int SUPPORTED(int copies);

// Prints straight to the printer: with more than one copy and a printer that cannot make
// copies itself, through HANDLECOPIES. Returns 1 on success, 0 otherwise.
QUAY_EXPORT int printDirect(const PageList& pages, int copies);

// Paints every page `copies` times on a printer already set up (any output format).
// Returns false when the printer cannot be opened. Used by the functions above.
QUAY_EXPORT bool printPagesTo(QPrinter& printer, const PageList& pages, int copies);

}  // namespace quay::reports
