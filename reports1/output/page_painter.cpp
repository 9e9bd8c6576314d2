// The one renderer of report pages. Texts are drawn on their baseline from the font's
// ascent, aligned inside their rectangle exactly as the measurer saw them; images keep their
// proportions inside their rectangle; a missing image file leaves its place empty.
#include "quay/reports/output/page_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cassert>
#include <unordered_map>

#include "qt_font.h"

namespace quay::reports {

struct PaintCache::Font {
    QFont font;
    QFontMetricsF metrics;
    // Widths of the texts aligned right or centred so far: the same labels and figures come
    // back on page after page, and measuring one shapes it as drawing does.
    mutable std::unordered_map<std::string, double> widths;
};

namespace {

constexpr std::size_t kKeptWidths = 8192;

double widthOf(const PaintCache::Font& f, const std::string& text, const QString& shown) {
    if (f.widths.size() >= kKeptWidths) f.widths.clear();
    auto [at, added] = f.widths.try_emplace(text, 0.0);
    if (added) at->second = f.metrics.horizontalAdvance(shown);
    return at->second;
}

// `current` is the font the painter holds, so it is set only when it changes.
void drawText(QPainter& painter, const PlacedItem& it, PaintCache& cache, const PaintCache::Font*& current) {
    const PaintCache::Font& f = cache.font(it.font);
    if (current != &f) painter.setFont(f.font);
    current = &f;
    const QFontMetricsF& fm = f.metrics;
    const QString text = QString::fromStdString(it.text);
    double x = it.x;
    if (it.alignment == Alignment::Right) x = it.x + it.width - widthOf(f, it.text, text);
    if (it.alignment == Alignment::Center) x = it.x + (it.width - widthOf(f, it.text, text)) / 2.0;
    painter.drawText(QPointF(x, it.y + fm.ascent()), text);
}

void drawImage(QPainter& painter, const PlacedItem& it, PaintCache& cache) {
    const QImage& img = cache.image(it.imagePath);
    if (img.isNull() || it.width <= 0 || it.height <= 0) return;
    QSizeF size = QSizeF(img.size()).scaled(QSizeF(it.width, it.height), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(QPointF(it.x, it.y), size), img);
}

}  // namespace

PaintCache::PaintCache() = default;
PaintCache::~PaintCache() = default;

const PaintCache::Font& PaintCache::font(const FontSpec& spec) {
    auto found = m_fonts.find(spec);
    if (found == m_fonts.end()) {
        QFont f = detail::toQFont(spec);
        found = m_fonts.emplace(spec, std::make_unique<Font>(Font{f, QFontMetricsF(f), {}})).first;
    }
    return *found->second;
}

const QImage& PaintCache::image(const std::string& path) {
    auto found = m_images.find(path);
    if (found == m_images.end()) found = m_images.emplace(path, QImage(QString::fromStdString(path))).first;
    return found->second;
}

bool paintPage(QPainter& painter, const PageList& pages, int pageIndex, PaintCache* cache, std::string* error) {
    // REQUIRES: pageIndex names a page of the list.
    assert(pageIndex >= 0 && pageIndex < pages.pageCount());
    std::shared_ptr<const Page> page = pages.readPage(pageIndex, error);
    if (!page) return false;
    paintPage(painter, *page, pages.geometry, cache);
    return true;
}

void paintPage(QPainter& painter, const Page& page, const PageGeometry& geometry, PaintCache* cache) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRectF(0, 0, geometry.width, geometry.height), Qt::white);
    PaintCache ownCache;
    PaintCache& kept = cache ? *cache : ownCache;
    const PaintCache::Font* font = nullptr;
    bool textPen = false;  // the painter's pen is the plain black one of texts
    for (const PlacedItem& it : page.items) {
        if (it.kind != ItemKind::Text) textPen = false;
        switch (it.kind) {
        case ItemKind::Text:
            if (!textPen) painter.setPen(Qt::black);
            textPen = true;
            drawText(painter, it, kept, font);
            break;
        case ItemKind::Line: {
            QPen pen(Qt::black, std::max<Units>(it.penWidth, 1));
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(QPointF(it.x, it.y), QPointF(it.x + it.width, it.y + it.height));
            break;
        }
        case ItemKind::Box: {
            QPen pen(Qt::black, std::max<Units>(it.penWidth, 1));
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(it.x, it.y, it.width, it.height));
            break;
        }
        case ItemKind::Image: drawImage(painter, it, kept); break;
        }
    }
    painter.restore();
}

}  // namespace quay::reports
