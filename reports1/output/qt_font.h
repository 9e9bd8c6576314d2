// Turning a report font into a QFont sized in layout units. The measurer and the painter
// both use this, so text is drawn exactly as wide as it was measured.
#pragma once

#include <QFont>

#include "quay/reports/engine/font_spec.h"

namespace quay::reports::detail {

// A point is 1/72 inch, so a font of p points is p * 1000 / 72 layout units high. Hinting
// is off so that widths scale linearly to every device.
inline QFont toQFont(const FontSpec& spec) {
    QFont f(QString::fromStdString(spec.family));
    f.setPixelSize(std::max(1, static_cast<int>(spec.pointSize * kUnitsPerInch / 72.0 + 0.5)));
    f.setBold(spec.bold);
    f.setItalic(spec.italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

}  // namespace quay::reports::detail
