// Paints one page of a page list with a QPainter. The preview, the printer and the PDF file
// all draw through this one function, so what the user sees is what is printed.
#pragma once

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

class QPainter;

namespace quay::reports {

// Paints page pageIndex in layout units: the caller's painter transform maps layout units
// to the device (see layoutToDeviceScale). The page is drawn on white paper.
// REQUIRES: 0 <= pageIndex < pages.pageCount().
QUAY_EXPORT void paintPage(QPainter& painter, const PageList& pages, int pageIndex);

// The scale from layout units to a device of the given resolution in dots per inch.
inline double layoutToDeviceScale(double dotsPerInch) { return dotsPerInch / 1000.0; }

}  // namespace quay::reports
