// Painting the preview's pages. The grid is centred when the canvas is larger than the
// pages need (the fit modes fill the viewport); each page is clipped to its paper.
#include "page_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace quay::reports::detail {

PageCanvas::PageCanvas(const PageList& pages, const PreviewState& state, QWidget* parent)
    : QWidget(parent), m_pages(pages), m_state(state) {}

int PageCanvas::rowsInUse() const {
    const int shown = static_cast<int>(m_state.visiblePages().size());
    return std::clamp((shown + m_state.across() - 1) / m_state.across(), 1, m_state.down());
}

void PageCanvas::setScale(double scale) {
    m_scale = scale;
    const PageGeometry& g = m_pages.geometry;
    int w = static_cast<int>(std::ceil(m_state.across() * (g.width * scale + 2 * kPageGap)));
    int h = static_cast<int>(std::ceil(rowsInUse() * (g.height * scale + 2 * kPageGap)));
    resize(std::max(w, minimumWidth()), std::max(h, minimumHeight()));
    update();
}

void PageCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const PageGeometry& g = m_pages.geometry;
    const double tileW = g.width * m_scale + 2 * kPageGap;
    const double tileH = g.height * m_scale + 2 * kPageGap;
    const double offX = std::max(0.0, (width() - tileW * m_state.across()) / 2.0);
    const double offY = std::max(0.0, (height() - tileH * rowsInUse()) / 2.0);
    std::vector<int> visible = m_state.visiblePages();
    for (std::size_t i = 0; i < visible.size(); ++i) {
        int col = static_cast<int>(i) % m_state.across();
        int row = static_cast<int>(i) / m_state.across();
        QPointF origin(offX + col * tileW + kPageGap, offY + row * tileH + kPageGap);
        QRectF paper(origin, QSizeF(g.width * m_scale, g.height * m_scale));
        painter.fillRect(paper.translated(3, 3), QColor(0x40, 0x40, 0x40));
        painter.save();
        painter.translate(origin);
        painter.scale(m_scale, m_scale);
        painter.setClipRect(QRectF(0, 0, g.width, g.height));
        std::string error;
        if (!paintPage(painter, m_pages, visible[i] - 1, &m_cache, &error)) {
            // The page could not be read back: say so on its paper instead of showing it blank.
            painter.fillRect(QRectF(0, 0, g.width, g.height), Qt::white);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, 0, g.width, g.height), Qt::AlignCenter | Qt::TextWordWrap,
                             QString::fromStdString(error));
        }
        painter.restore();
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(paper);
    }
}

}  // namespace quay::reports::detail
