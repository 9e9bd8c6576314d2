// A band of a report layout: a numbered strip of controls that the report prints as a whole
// (a detail line, a group heading, the totals). The page header and page footer bands are
// printed by the engine itself at the top and the bottom of every page.
#pragma once

#include <string>
#include <vector>

#include "quay/reports/engine/control.h"

namespace quay::reports {

enum class BandKind {
    PageHeader,  // printed at the top of every page
    PageFooter,  // printed at the bottom of every page
    GroupHeader,
    GroupFooter,
    Detail,
    Totals,
};

struct Band {
    int number = 0;  // what the report passes to print()
    BandKind kind = BandKind::Detail;
    Units height = 0;           // the band's height before any control stretches it
    int across = 1;             // columns per row (a sheet of labels three across); 1: full width
    Units columnWidth = 0;      // the distance from one column's left edge to the next
    bool keepWithNext = false;  // placed together with the next band printed (headings)
    std::vector<Control> controls;

    // Appends a control and returns it for further settings. REQUIRES: the reference is
    // used before the next add() on this band.
    Control& add(Control control) {
        controls.push_back(std::move(control));
        return controls.back();
    }
};

}  // namespace quay::reports
