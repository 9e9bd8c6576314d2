// Writing a page list as a PDF file: one PDF page per page, paper size from the layout.
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

namespace quay::reports {

// Writes the pages to path. The file appears whole or not at all: it is written beside the
// target and moved into place at the end, so an existing file survives a failed write.
// Returns false with a message in *error (when given) for an empty page list ("Nothing to
// Print.") or a file that cannot be written.
QUAY_EXPORT bool writePdf(const PageList& pages, const std::string& path, std::string* error = nullptr);

}  // namespace quay::reports
