// FileOutput: the "printer" of the command-line programs. Whatever the preview or the
// printer would get is written out instead: as a PDF file, as the full page list
// (positions included), or as the pages' lines of text, to a file or, with no path, to
// standard output. A failed write says why on standard error.
#pragma once

#include <string>
#include <utility>

#include "quay/export.h"
#include "quay/reports/engine/report_output.h"

namespace quay::reports {

enum class FileFormat { Pdf, Dump, Text };

class QUAY_EXPORT FileOutput final : public ReportOutput {
public:
    // REQUIRES: a path for FileFormat::Pdf.
    FileOutput(FileFormat format, std::string path) : m_format(format), m_path(std::move(path)) {}

    PreviewResult preview(const PageList& pages, const std::string& title, int copies) override;
    int handleCopies(const PageList& pages, int) override { return write(pages) ? 1 : 0; }
    int supported(int) override { return 1; }
    int print(const PageList& pages, int) override { return write(pages) ? 1 : 0; }
    std::string defaultPrinter() override { return m_format == FileFormat::Pdf ? "PDF file" : "Text"; }
    // True once the pages were written.
    bool written() const { return m_written; }

private:
    bool write(const PageList& pages);

    FileFormat m_format;
    std::string m_path;
    bool m_written = false;
};

}  // namespace quay::reports
