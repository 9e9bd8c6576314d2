// The recording report output of the tests.
#include "quay/reports/engine/report_output.h"

namespace quay::reports {

PreviewResult RecordingReportOutput::preview(const PageList& pages, const std::string& reportTitle, int copies) {
    previewed.push_back(pages);
    previewTitles.push_back(reportTitle);
    if (previewAnswer != 1) return PreviewResult::Closed;
    return handleCopies(pages, copies) == 1 ? PreviewResult::Printed : PreviewResult::PrintFailed;
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
