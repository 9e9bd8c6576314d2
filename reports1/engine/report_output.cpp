// The desktop and recording report outputs.
#include "quay/reports/engine/report_output.h"

#include "quay/reports/engine/print_preview.h"
#include "quay/reports/engine/printing.h"

namespace quay::reports {

int DesktopReportOutput::preview(const PageList& pages, const std::string& reportTitle) {
  return PRINTPREVIEW(pages, reportTitle);
}
int DesktopReportOutput::handleCopies(const PageList& pages, int copies) { return HANDLECOPIES(pages, copies); }
int DesktopReportOutput::supported(int copies) { return SUPPORTED(copies); }
int DesktopReportOutput::print(const PageList& pages, int copies) { return printDirect(pages, copies); }
std::string DesktopReportOutput::defaultPrinter() { return defaultPrinterName(); }

int RecordingReportOutput::preview(const PageList& pages, const std::string& reportTitle) {
  previewed.push_back(pages);
  previewTitles.push_back(reportTitle);
  return previewAnswer;
}

int RecordingReportOutput::handleCopies(const PageList& pages, int copies) {
  if (pages.isEmpty() || copies < 1) return 0;
  printed.push_back({pages, copies, true});
  return 1;
}

int RecordingReportOutput::supported(int) { return supportedAnswer; }

int RecordingReportOutput::print(const PageList& pages, int copies) {
  if (pages.isEmpty() || copies < 1) return 0;
  if (copies > 1 && supportedAnswer != 1) return handleCopies(pages, copies);
  printed.push_back({pages, copies, false});
  return 1;
}

std::string RecordingReportOutput::defaultPrinter() { return printerAnswer; }

}  // namespace quay::reports
