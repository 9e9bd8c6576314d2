// Writing a report's pages where a command line asked for them.
#include "quay/reports/run/file_output.h"

#include <fstream>
#include <iostream>

#include "quay/reports/engine/text_dump.h"
#include "quay/reports/output/pdf_output.h"
#include "quay/reports/run/page_text.h"

namespace quay::reports {

PreviewResult FileOutput::preview(const PageList& pages, const std::string&, int) {
    write(pages);
    return PreviewResult::Closed;
}

bool FileOutput::write(const PageList& pages) {
    std::string error;
    bool ok = false;
    if (m_format == FileFormat::Pdf) {
        ok = writePdf(pages, m_path, &error);
    } else {
        // Page by page, so a long report never stands whole in memory.
        std::ofstream file;
        if (!m_path.empty()) file.open(m_path, std::ios::binary);
        std::ostream& out = m_path.empty() ? std::cout : file;
        if (out) {
            ok =
                m_format == FileFormat::Dump ? writeTextDump(pages, out, &error) : writeReadingText(pages, out, &error);
            out.flush();
        }
        if (!out) {
            ok = false;
            error = m_path.empty() ? "Cannot write to standard output" : "Cannot write " + m_path;
        }
    }
    if (!ok) std::cerr << error << '\n';
    m_written = ok;
    return ok;
}

}  // namespace quay::reports
