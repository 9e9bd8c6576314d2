// The desktop report output: the preview window and the printers.
#include "quay/reports/output/desktop_output.h"

#include "quay/reports/output/print_preview.h"
#include "quay/reports/output/printing.h"

namespace quay::reports {

PreviewResult DesktopReportOutput::preview(const PageList& pages, const std::string& reportTitle, int copies) {
    return previewAndPrint(pages, reportTitle, copies);
}
int DesktopReportOutput::handleCopies(const PageList& pages, int copies) { return HANDLECOPIES(pages, copies); }
int DesktopReportOutput::supported(int copies) { return SUPPORTED(copies); }
int DesktopReportOutput::print(const PageList& pages, int copies) { return printDirect(pages, copies); }
std::string DesktopReportOutput::defaultPrinter() { return defaultPrinterName(); }

}  // namespace quay::reports
