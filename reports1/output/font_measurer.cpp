// Measuring with QFontMetricsF. Each distinct font is resolved once and its metrics kept,
// because font matching is far slower than measuring a line.
#include "quay/reports/output/font_measurer.h"

#include <map>

#include <QFontMetricsF>
#include <QString>
#include <cmath>

#include "qt_font.h"

namespace quay::reports {

struct QtTextMeasurer::Cache {
    std::map<FontSpec, QFontMetricsF> metrics;

    const QFontMetricsF& of(const FontSpec& font) {
        auto it = metrics.find(font);
        if (it == metrics.end()) it = metrics.emplace(font, QFontMetricsF(detail::toQFont(font))).first;
        return it->second;
    }
};

QtTextMeasurer::QtTextMeasurer() : m_cache(std::make_unique<Cache>()) {}
QtTextMeasurer::~QtTextMeasurer() = default;

double QtTextMeasurer::width(const FontSpec& font, std::string_view text) const {
    return m_cache->of(font).horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

Units QtTextMeasurer::lineHeight(const FontSpec& font) const {
    return static_cast<Units>(std::ceil(m_cache->of(font).lineSpacing()));
}

}  // namespace quay::reports
