// Measuring text for layout: widths and line heights in layout units. The engine lays out
// every band through this interface, so tests can run with a fixed-pitch measurer and the
// program with the real fonts.
#pragma once

#include <map>
#include <memory>
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

// Measures with the installed fonts, exactly as the page painter draws them: each font is
// resolved once and sized in layout units, so figures do not depend on the screen.
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
