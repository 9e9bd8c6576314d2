// Printing through QPrinter. The printer paints from the paper's corner (full page) at its
// own resolution; the painter is scaled so that the page painter works in layout units.
// Copies the driver cannot make are made here by sending the whole set again.
#include "quay/reports/output/printing.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "quay/reports/output/page_painter.h"

namespace quay::reports {
namespace {

QPrinterInfo printerFor(const PageList& pages) {
    if (!pages.printerName.empty()) {
        QPrinterInfo named = QPrinterInfo::printerInfo(QString::fromStdString(pages.printerName));
        if (!named.isNull()) return named;
    }
    return QPrinterInfo::defaultPrinter();
}

void setUp(QPrinter& printer, const PageList& pages) {
    const PageGeometry& g = pages.geometry;
    QSizeF portrait(std::min(g.width, g.height) / double(kUnitsPerInch),
                    std::max(g.width, g.height) / double(kUnitsPerInch));
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Inch),
                                      g.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
    printer.setDocName(QString::fromStdString(pages.title));
}

}  // namespace

std::string defaultPrinterName() {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? std::string() : info.printerName().toStdString();
}

bool printPagesTo(QPrinter& printer, const PageList& pages, int copies) {
    if (pages.isEmpty() || copies < 1) return false;
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const double scale = layoutToDeviceScale(printer.resolution());
    bool first = true;
    PaintCache cache;
    for (int copy = 0; copy < copies; ++copy) {
        for (int i = 0; i < pages.pageCount(); ++i) {
            if (!first && !printer.newPage()) {
                painter.end();
                return false;
            }
            first = false;
            painter.resetTransform();
            painter.scale(scale, scale);
            if (!paintPage(painter, pages, i, &cache)) {
                // A page that cannot be read back: the job is withdrawn rather than printed short.
                printer.abort();
                painter.end();
                return false;
            }
        }
    }
    return painter.end();
}

int HANDLECOPIES(const PageList& pages, int copies) {
    QPrinterInfo info = printerFor(pages);
    if (info.isNull() || pages.isEmpty() || copies < 1) return 0;
    QPrinter printer(info, QPrinter::HighResolution);
    setUp(printer, pages);
    printer.setCopyCount(1);
    return printPagesTo(printer, pages, copies) ? 1 : 0;
}

int SUPPORTED(int copies) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return 0;
    QPrinter printer(info);
    printer.setCopyCount(std::max(copies, 1));
    return printer.supportsMultipleCopies() ? 1 : 0;
}

int printDirect(const PageList& pages, int copies) {
    if (copies < 1) return 0;
    if (copies == 1 || SUPPORTED(copies) != 1) return HANDLECOPIES(pages, copies);
    QPrinterInfo info = printerFor(pages);
    if (info.isNull() || pages.isEmpty()) return 0;
    QPrinter printer(info, QPrinter::HighResolution);
    setUp(printer, pages);
    printer.setCopyCount(copies);
    return printPagesTo(printer, pages, 1) ? 1 : 0;
}

}  // namespace quay::reports
