// Reading a page list as lines of text. Texts whose tops are within a third of a line of
// each other read as one line, so a bold label and its value printed a few units apart
// still read together.
#include "quay/reports/run/page_text.h"

#include <algorithm>
#include <vector>

namespace quay::reports {
namespace {

constexpr Units kSameLine = 60;

}  // namespace

std::string readingText(const PageList& pages) {
  std::string out;
  for (std::size_t p = 0; p < pages.pages.size(); ++p) {
    out += "--- page " + std::to_string(p + 1) + '\n';
    std::vector<const PlacedItem*> texts;
    for (const PlacedItem& it : pages.pages[p].items)
      if (it.kind == ItemKind::Text && !it.text.empty()) texts.push_back(&it);
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedItem* a, const PlacedItem* b) { return a->y < b->y; });
    std::size_t i = 0;
    while (i < texts.size()) {
      std::size_t j = i + 1;
      while (j < texts.size() && texts[j]->y - texts[i]->y < kSameLine) ++j;
      std::stable_sort(texts.begin() + static_cast<long>(i), texts.begin() + static_cast<long>(j),
                       [](const PlacedItem* a, const PlacedItem* b) { return a->x < b->x; });
      for (std::size_t k = i; k < j; ++k) {
        if (k > i) out += " | ";
        out += texts[k]->text;
      }
      out += '\n';
      i = j;
    }
  }
  return out;
}

}  // namespace quay::reports
