// PDF output through QPdfWriter at 1000 dots per inch, so one device pixel is one layout
// unit. The writer's own margins are zero: the layout's margins are already in the items.
// The file goes through QSaveFile, which writes beside the target and renames on commit.
#include "quay/reports/output/pdf_output.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "quay/reports/output/page_painter.h"

namespace quay::reports {
namespace {

void fail(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

}  // namespace

bool writePdf(const PageList& pages, const std::string& path, std::string* error) {
    if (pages.isEmpty()) {
        fail(error, "Nothing to Print.");
        return false;
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        fail(error, "Cannot write " + path + ": " + file.errorString().toStdString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(kUnitsPerInch);
        writer.setTitle(QString::fromStdString(pages.title));
        writer.setCreator(QStringLiteral("Billquay"));
        const PageGeometry& g = pages.geometry;
        QSizeF portrait(std::min(g.width, g.height) / double(kUnitsPerInch),
                        std::max(g.width, g.height) / double(kUnitsPerInch));
        QPageLayout layout(QPageSize(portrait, QPageSize::Inch),
                           g.isLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            fail(error, "Cannot write " + path + ": the PDF could not be started");
            return false;
        }
        // One page at a time: each is read back, painted and let go before the next.
        PaintCache cache;
        std::string why;
        for (int i = 0; i < pages.pageCount(); ++i) {
            if (i > 0) writer.newPage();
            if (!paintPage(painter, pages, i, &cache, &why)) {
                painter.end();
                file.cancelWriting();
                fail(error, "Cannot write " + path + ": " + why);
                return false;
            }
        }
        painter.end();
    }
    if (!file.commit()) {
        fail(error, "Cannot write " + path + ": " + file.errorString().toStdString());
        return false;
    }
    return true;
}

}  // namespace quay::reports
