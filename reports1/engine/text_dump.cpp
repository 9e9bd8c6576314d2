// The text dump of a page list. Each line carries everything that tells two layouts apart
// on paper: page, rectangle and the text or image shown.
#include "quay/reports/engine/text_dump.h"

namespace quay::reports {

std::string dumpText(const PageList& pages) {
  std::string out;
  for (std::size_t p = 0; p < pages.pages.size(); ++p) {
    for (const PlacedItem& it : pages.pages[p].items) {
      out += "page " + std::to_string(p + 1) + " y=" + std::to_string(it.y) + " x=" + std::to_string(it.x) +
             " w=" + std::to_string(it.width) + " h=" + std::to_string(it.height);
      switch (it.kind) {
        case ItemKind::Text: out += " text: " + it.text; break;
        case ItemKind::Line: out += " line"; break;
        case ItemKind::Box: out += " box"; break;
        case ItemKind::Image: out += " image: " + it.imagePath; break;
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace quay::reports
