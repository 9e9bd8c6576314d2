// Fonts, text alignment and layout units of the report engine. Every position and size in
// a report is given in layout units of 1/1000 inch, whatever device the pages go to.
#pragma once

#include <string>

namespace quay::reports {

// One layout unit is 1/1000 inch: a letter page is 8500 x 11000 units.
using Units = int;
inline constexpr Units kUnitsPerInch = 1000;

// How a text sits inside its control's width.
enum class Alignment { Left, Center, Right };

// The font of a text control. The family falls back through the platform's font matching
// when it is not installed; DejaVu Sans ships with every supported system.
struct FontSpec {
    std::string family = "DejaVu Sans";
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
    friend auto operator<=>(const FontSpec&, const FontSpec&) = default;
};

}  // namespace quay::reports
