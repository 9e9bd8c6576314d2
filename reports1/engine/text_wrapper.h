// Breaking a text into the lines that fit a width: at word boundaries, and inside a word
// only when the word alone is wider than the line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quay/reports/engine/text_measurer.h"

namespace quay::reports::detail {

// Lines of text as they fit `width` layout units. Hard line breaks ('\n', and "\r\n" as
// memo fields hold them) always start a new line; blanks at a wrap point are dropped. An
// empty text gives no lines. A width of 0 or less wraps nothing (one line per paragraph).
std::vector<std::string> wrapText(std::string_view text, double width, const FontSpec& font,
                                  const TextMeasurer& measurer);

}  // namespace quay::reports::detail
