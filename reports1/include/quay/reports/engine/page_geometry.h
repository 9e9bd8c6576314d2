// The paper a report is laid out for: its size and margins in layout units.
#pragma once

#include "quay/reports/engine/font_spec.h"

namespace quay::reports {

// Defaults to a letter page in portrait with half-inch margins.
struct PageGeometry {
    Units width = 8500;
    Units height = 11000;
    Units leftMargin = 500;
    Units topMargin = 500;
    Units rightMargin = 500;
    Units bottomMargin = 500;

    Units bodyWidth() const { return width - leftMargin - rightMargin; }
    Units bodyHeight() const { return height - topMargin - bottomMargin; }
    bool isLandscape() const { return width > height; }

    // The same paper turned sideways, margins kept on the same sides of the text.
    PageGeometry landscape() const {
        if (isLandscape()) return *this;
        PageGeometry g = *this;
        g.width = height;
        g.height = width;
        return g;
    }

    friend bool operator==(const PageGeometry&, const PageGeometry&) = default;
};

}  // namespace quay::reports
