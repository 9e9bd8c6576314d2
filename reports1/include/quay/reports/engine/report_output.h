// Where a finished report goes, as one interface: the preview, the copy handling and the
// printer look-up. Reports take a ReportOutput so that their tests can script the user's
// answer and keep the page list instead of opening windows.
#pragma once

#include <string>
#include <vector>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports {

class QUAY_EXPORT ReportOutput {
 public:
  virtual ~ReportOutput() = default;
  // PRINTPREVIEW: 1 when the user asks to print.
  virtual int preview(const PageList& pages, const std::string& reportTitle) = 0;
  // HANDLECOPIES: 1 when the pages went to the printer.
  virtual int handleCopies(const PageList& pages, int copies) = 0;
  // SUPPORTED: 1 when the printer makes copies itself.
  virtual int supported(int copies) = 0;
  // Direct printing without preview.
  virtual int print(const PageList& pages, int copies) = 0;
  // The system's default printer; empty when none.
  virtual std::string defaultPrinter() = 0;
};

// The real thing: the preview window and the system's printers.
class QUAY_EXPORT DesktopReportOutput final : public ReportOutput {
 public:
  int preview(const PageList& pages, const std::string& reportTitle) override;
  int handleCopies(const PageList& pages, int copies) override;
  int supported(int copies) override;
  int print(const PageList& pages, int copies) override;
  std::string defaultPrinter() override;
};

// For tests: keeps every page list it is given and answers as scripted.
class QUAY_EXPORT RecordingReportOutput final : public ReportOutput {
 public:
  int previewAnswer = 0;        // what preview() returns (1: the user asks to print)
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

  int preview(const PageList& pages, const std::string& reportTitle) override;
  int handleCopies(const PageList& pages, int copies) override;
  int supported(int copies) override;
  int print(const PageList& pages, int copies) override;
  std::string defaultPrinter() override;
};

}  // namespace quay::reports
