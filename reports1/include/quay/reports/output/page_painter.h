// Paints one page of a page list with a QPainter. The preview, the printer and the PDF file
// all draw through this one function, so what the user sees is what is printed.
#pragma once

#include <map>
#include <memory>
#include <string>

#include <QImage>

#include "quay/export.h"
#include "quay/reports/engine/page_list.h"

class QPainter;

namespace quay::reports {

// What painting keeps between pages: image files read once (a logo on every page of a
// long report, every repaint of the preview) and fonts resolved once. A file that cannot
// be read is remembered as empty and leaves its place blank. Not thread-safe: one per
// output.
class QUAY_EXPORT PaintCache {
public:
    PaintCache();
    ~PaintCache();
    PaintCache(const PaintCache&) = delete;
    PaintCache& operator=(const PaintCache&) = delete;

    const QImage& image(const std::string& path);
    struct Font;
    const Font& font(const FontSpec& spec);

private:
    std::map<std::string, QImage> m_images;
    std::map<FontSpec, std::unique_ptr<Font>> m_fonts;
};

// Paints page in layout units on paper of the given geometry: the caller's painter
// transform maps layout units to the device (see layoutToDeviceScale). The page is drawn on
// white paper. Images and fonts are kept in cache when given, else for this page only.
QUAY_EXPORT void paintPage(QPainter& painter, const Page& page, const PageGeometry& geometry,
                           PaintCache* cache = nullptr);

// Reads page pageIndex of the list back and paints it as above. False, with the reason in
// *error when given, when the page cannot be read back; nothing is painted then.
// REQUIRES: 0 <= pageIndex < pages.pageCount().
QUAY_EXPORT bool paintPage(QPainter& painter, const PageList& pages, int pageIndex, PaintCache* cache = nullptr,
                           std::string* error = nullptr);

// The scale from layout units to a device of the given resolution in dots per inch.
inline double layoutToDeviceScale(double dotsPerInch) { return dotsPerInch / 1000.0; }

}  // namespace quay::reports
