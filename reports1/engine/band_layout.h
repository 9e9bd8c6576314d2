// Laying out one band with its controls as they are now, and cutting a laid-out band where
// a page ends. Positions here are relative to the band's top and the left margin; the run
// moves them onto the page.
#pragma once

#include <vector>

#include "quay/reports/engine/band.h"
#include "quay/reports/engine/page_list.h"
#include "quay/reports/engine/text_measurer.h"

namespace quay::reports::detail {

struct LaidItem {
    PlacedItem item;
    bool unbreakable = false;  // a text line or an image: never cut across pages
    bool pageNumber = false;   // text is a "{page}"/"{pages}" pattern, filled in when placed
};

struct LaidBand {
    Units height = 0;
    std::vector<LaidItem> items;
};

// Lays out the visible controls of band. Wrapped texts become one item per line and push
// the controls that start at or below their bottom down by the growth; the band's height
// grows to hold everything; stretching vertical lines follow the band's bottom.
LaidBand layoutBand(const Band& band, const TextMeasurer& measurer);

// The lowest y at or above limit where the band can be cut without cutting a text line or
// an image; 0 when the first such item already crosses limit.
Units findCut(const LaidBand& band, Units limit);

// Moves what lies at or below cut into the returned band (shifted up by cut) and keeps the
// rest in band; lines and boxes crossing the cut are divided between the two.
LaidBand splitAt(LaidBand& band, Units cut);

}  // namespace quay::reports::detail
