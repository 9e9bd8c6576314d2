// Measuring report text with the installed fonts, exactly as the page painter draws them:
// each font is resolved once and sized in layout units, so figures do not depend on the
// screen.
#pragma once

#include <memory>

#include "quay/export.h"
#include "quay/reports/engine/text_measurer.h"

namespace quay::reports {

// REQUIRES: a QGuiApplication (or QApplication) exists while it measures.
// Not thread-safe: each report run owns its measurer.
class QUAY_EXPORT QtTextMeasurer final : public TextMeasurer {
public:
    QtTextMeasurer();
    ~QtTextMeasurer() override;
    double width(const FontSpec& font, std::string_view text) const override;
    Units lineHeight(const FontSpec& font) const override;

private:
    struct Cache;
    std::unique_ptr<Cache> m_cache;
};

}  // namespace quay::reports
