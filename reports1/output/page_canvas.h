// The preview's drawing surface: the pages in view laid out across and down on a grey
// desk, each with a thin frame and a shadow so the paper's edge shows, painted with the
// page painter at the window's scale. Each paint reads only the pages in view back from
// the page list; the store keeps the pages read last, so paging back and forth re-reads
// nothing.
#pragma once

#include <QWidget>

#include "quay/reports/engine/page_list.h"
#include "quay/reports/engine/preview_state.h"
#include "quay/reports/output/page_painter.h"

namespace quay::reports::detail {

inline constexpr double kPageGap = 12.0;  // pixels around each page

// REQUIRES: pages and state outlive the canvas.
class PageCanvas final : public QWidget {
public:
    PageCanvas(const PageList& pages, const PreviewState& state, QWidget* parent);

    // Screen pixels per layout unit; the canvas takes the size the pages in view need.
    void setScale(double scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Rows of the grid that hold a page: two pages in a 2 x 2 view need one row.
    int rowsInUse() const;

    const PageList& m_pages;
    const PreviewState& m_state;
    PaintCache m_cache;  // the logo and fonts are read once, not on every repaint
    double m_scale = 0.05;
};

}  // namespace quay::reports::detail
