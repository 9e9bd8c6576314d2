// Preview navigation. A screenful is across x down pages; next and previous move by a whole
// screenful so that no page is skipped or shown twice while paging through.
#include "quay/reports/engine/preview_state.h"

#include <algorithm>

namespace quay::reports {

PreviewState::PreviewState(int pageCount) : m_pageCount(std::max(pageCount, 0)) {}

std::vector<int> PreviewState::visiblePages() const {
    std::vector<int> out;
    for (int i = m_first; i < m_pageCount && i < m_first + m_across * m_down; ++i) out.push_back(i + 1);
    return out;
}

bool PreviewState::canGoNext() const { return m_first + m_across * m_down < m_pageCount; }

bool PreviewState::next() {
    if (!canGoNext()) return false;
    m_first += m_across * m_down;
    return true;
}

bool PreviewState::previous() {
    if (!canGoPrevious()) return false;
    m_first = std::max(0, m_first - m_across * m_down);
    return true;
}

bool PreviewState::jumpTo(int page) {
    if (page < 1 || page > m_pageCount) return false;
    m_first = page - 1;
    return true;
}

bool PreviewState::setTiles(int across, int down) {
    if (across < 1 || down < 1 || across > kMaxTiles || down > kMaxTiles) return false;
    m_across = across;
    m_down = down;
    return true;
}

bool PreviewState::setPercent(int percent) {
    if (percent < kMinPercent || percent > kMaxPercent) return false;
    m_percent = percent;
    m_zoom = ZoomMode::Percent;
    return true;
}

double PreviewState::scale(double viewportWidth, double viewportHeight, int pageWidth, int pageHeight, double gap,
                           double dotsPerInch) const {
    if (pageWidth <= 0 || pageHeight <= 0) return 0.0;
    if (m_zoom == ZoomMode::Percent) return m_percent / 100.0 * dotsPerInch / 1000.0;
    double perPageWidth = std::max(1.0, viewportWidth / m_across - 2 * gap);
    double byWidth = perPageWidth / pageWidth;
    if (m_zoom == ZoomMode::FitWidth) return byWidth;
    double perPageHeight = std::max(1.0, viewportHeight / m_down - 2 * gap);
    return std::min(byWidth, perPageHeight / pageHeight);
}

}  // namespace quay::reports
