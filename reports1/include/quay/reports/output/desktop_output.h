// The desktop's report output: the preview window and the system's printers.
#pragma once

#include "quay/export.h"
#include "quay/reports/engine/report_output.h"

namespace quay::reports {

class QUAY_EXPORT DesktopReportOutput final : public ReportOutput {
public:
    PreviewResult preview(const PageList& pages, const std::string& reportTitle, int copies) override;
    int handleCopies(const PageList& pages, int copies) override;
    int supported(int copies) override;
    int print(const PageList& pages, int copies) override;
    std::string defaultPrinter() override;
};

}  // namespace quay::reports
