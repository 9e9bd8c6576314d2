// What the preview window shows: the first page in view, how many pages across and down,
// and the zoom. The window is a thin view over this class, which tests drive directly.
#pragma once

#include <vector>

#include "quay/export.h"

namespace quay::reports {

enum class ZoomMode { FitPage, FitWidth, Percent };

// Invariants: 1 <= across, down <= kMaxTiles; 0 <= firstPage < max(pageCount, 1);
// kMinPercent <= percent <= kMaxPercent. Pages are numbered from 1 as the user sees them.
class QUAY_EXPORT PreviewState {
public:
    static constexpr int kMaxTiles = 4;
    static constexpr int kMinPercent = 10;
    static constexpr int kMaxPercent = 400;

    explicit PreviewState(int pageCount);

    int pageCount() const { return m_pageCount; }
    // The page number shown first (top-left), from 1; 0 for an empty list.
    int currentPage() const { return m_pageCount == 0 ? 0 : m_first + 1; }
    // The page numbers in view, left to right then top to bottom.
    std::vector<int> visiblePages() const;

    // Move by one screenful of pages; false (and no change) at the end or the start.
    bool next();
    bool previous();
    bool canGoNext() const;
    bool canGoPrevious() const { return m_first > 0; }
    // Shows page number page first; false (and no change) outside 1..pageCount.
    bool jumpTo(int page);

    int across() const { return m_across; }
    int down() const { return m_down; }
    // False (and no change) outside 1..kMaxTiles.
    bool setTiles(int across, int down);

    ZoomMode zoomMode() const { return m_zoom; }
    int percent() const { return m_percent; }
    void setFitPage() { m_zoom = ZoomMode::FitPage; }
    void setFitWidth() { m_zoom = ZoomMode::FitWidth; }
    // False (and no change) outside kMinPercent..kMaxPercent.
    bool setPercent(int percent);

    // Screen pixels per layout unit for pages of pageWidth x pageHeight layout units shown in
    // a viewport of viewportWidth x viewportHeight pixels with gap pixels around each page,
    // on a screen of dotsPerInch. Fit modes fit the tiles of across x down pages.
    double scale(double viewportWidth, double viewportHeight, int pageWidth, int pageHeight, double gap,
                 double dotsPerInch) const;

private:
    int m_pageCount;
    int m_first = 0;
    int m_across = 1;
    int m_down = 1;
    ZoomMode m_zoom = ZoomMode::FitPage;
    int m_percent = 100;
};

}  // namespace quay::reports
