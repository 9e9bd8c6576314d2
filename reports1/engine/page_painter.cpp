// The one renderer of report pages. Texts are drawn on their baseline from the font's
// ascent, aligned inside their rectangle exactly as the measurer saw them; images keep their
// proportions inside their rectangle; a missing image file leaves its place empty.
#include "quay/reports/engine/page_painter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cassert>
#include <map>

#include "qt_font.h"

namespace quay::reports {
namespace {

void drawText(QPainter& painter, const PlacedItem& it) {
  QFont font = detail::toQFont(it.font);
  painter.setFont(font);
  QFontMetricsF fm(font);
  QString text = QString::fromStdString(it.text);
  double w = fm.horizontalAdvance(text);
  double x = it.x;
  if (it.alignment == Alignment::Right) x = it.x + it.width - w;
  if (it.alignment == Alignment::Center) x = it.x + (it.width - w) / 2.0;
  painter.drawText(QPointF(x, it.y + fm.ascent()), text);
}

void drawImage(QPainter& painter, const PlacedItem& it, std::map<std::string, QImage>& images) {
  auto found = images.find(it.imagePath);
  if (found == images.end()) found = images.emplace(it.imagePath, QImage(QString::fromStdString(it.imagePath))).first;
  const QImage& img = found->second;
  if (img.isNull() || it.width <= 0 || it.height <= 0) return;
  QSizeF size = QSizeF(img.size()).scaled(QSizeF(it.width, it.height), Qt::KeepAspectRatio);
  painter.drawImage(QRectF(QPointF(it.x, it.y), size), img);
}

}  // namespace

void paintPage(QPainter& painter, const PageList& pages, int pageIndex) {
  // REQUIRES: pageIndex names a page of the list.
  assert(pageIndex >= 0 && pageIndex < pages.pageCount());
  const Page& page = pages.pages[static_cast<std::size_t>(pageIndex)];
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.fillRect(QRectF(0, 0, pages.geometry.width, pages.geometry.height), Qt::white);
  std::map<std::string, QImage> images;
  for (const PlacedItem& it : page.items) {
    switch (it.kind) {
      case ItemKind::Text:
        painter.setPen(Qt::black);
        drawText(painter, it);
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
        drawImage(painter, it, images);
        break;
    }
  }
  painter.restore();
}

}  // namespace quay::reports
