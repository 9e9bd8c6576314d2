// Measuring text for layout: widths and line heights in layout units. The engine lays out
// every band through this interface, so tests can run with a fixed-pitch measurer and the
// program with the installed fonts (QtTextMeasurer, quay/reports/output/font_measurer.h).
#pragma once

#include <string_view>

#include "quay/export.h"
#include "quay/reports/engine/font_spec.h"

namespace quay::reports {

class QUAY_EXPORT TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The advance width of text (UTF-8) on one line.
    virtual double width(const FontSpec& font, std::string_view text) const = 0;
    // The distance from one line's top to the next line's top.
    virtual Units lineHeight(const FontSpec& font) const = 0;
};

}  // namespace quay::reports
