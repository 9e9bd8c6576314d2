// The one renderer of report pages. Texts are drawn on their baseline from the font's
// ascent, aligned inside their rectangle exactly as the measurer saw them; images keep their
// proportions inside their rectangle; a missing image file leaves its place empty.
#include "quay/reports/output/page_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cassert>

#include "qt_font.h"

namespace quay::reports {

struct PaintCache::Font {
  QFont font;
  QFontMetricsF metrics;
};

namespace {

void drawText(QPainter& painter, const PlacedItem& it, PaintCache& cache) {
  const PaintCache::Font& f = cache.font(it.font);
  painter.setFont(f.font);
  const QFontMetricsF& fm = f.metrics;
  QString text = QString::fromStdString(it.text);
  double w = fm.horizontalAdvance(text);
  double x = it.x;
  if (it.alignment == Alignment::Right) x = it.x + it.width - w;
  if (it.alignment == Alignment::Center) x = it.x + (it.width - w) / 2.0;
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
    found = m_fonts.emplace(spec, std::make_unique<Font>(Font{f, QFontMetricsF(f)})).first;
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
  for (const PlacedItem& it : page.items) {
    switch (it.kind) {
      case ItemKind::Text:
        painter.setPen(Qt::black);
        drawText(painter, it, kept);
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
      case ItemKind::Image:
        drawImage(painter, it, kept);
        break;
    }
  }
  painter.restore();
}

}  // namespace quay::reports
