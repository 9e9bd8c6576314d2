// Where a finished report goes, as one interface: the preview, the copy handling and the
// printer look-up. Reports take a ReportOutput so that their tests can script the user's
// answer and keep the page list instead of opening windows; the desktop's is
// DesktopReportOutput (quay/reports/output/desktop_output.h).
#pragma once

#include <string>
#include <vector>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports {

// How a preview ended.
enum class PreviewResult {
    Closed,       // left without printing
    Printed,      // the user printed from the preview and the pages went to the printer
    PrintFailed,  // the user asked to print, the printer refused, and the user left; the
                  // preview showed why
};

class QUAY_EXPORT ReportOutput {
public:
    virtual ~ReportOutput() = default;
    // PRINTPREVIEW with the printing inside it: shows the pages; when the user asks to
    // print, the pages go to the printer `copies` times (HANDLECOPIES). A print that fails
    // leaves the preview open with the reason, so that the user can try again, save the
    // document some other way, or leave.
    virtual PreviewResult preview(const PageList& pages, const std::string& reportTitle, int copies) = 0;
    // HANDLECOPIES: 1 when the pages went to the printer.
    virtual int handleCopies(const PageList& pages, int copies) = 0;
    // SUPPORTED: 1 when the printer makes copies itself.
    virtual int supported(int copies) = 0;
    // Direct printing without preview.
    virtual int print(const PageList& pages, int copies) = 0;
    // The system's default printer; empty when none.
    virtual std::string defaultPrinter() = 0;
};

// For tests: keeps every page list it is given and answers as scripted.
class QUAY_EXPORT RecordingReportOutput final : public ReportOutput {
public:
    int previewAnswer = 0;  // 1: the user presses Print in the preview (once), else leaves
    int supportedAnswer = 0;
    std::string printerAnswer = "Test Printer";

    std::vector<PageList> previewed;
    std::vector<std::string> previewTitles;
    struct Printed {
        PageList pages;
        int copies;
        bool throughHandleCopies;
    };
    std::vector<Printed> printed;

    PreviewResult preview(const PageList& pages, const std::string& reportTitle, int copies) override;
    int handleCopies(const PageList& pages, int copies) override;
    int supported(int copies) override;
    int print(const PageList& pages, int copies) override;
    std::string defaultPrinter() override;
};

}  // namespace quay::reports
