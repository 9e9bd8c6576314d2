// Reading a page list as lines of text. Texts whose tops are within a third of a line of
// each other read as one line, so a bold label and its value printed a few units apart
// still read together.
#include "quay/reports/run/page_text.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <vector>

namespace quay::reports {
namespace {

constexpr Units kSameLine = 60;

void appendPage(int number, const Page& page, std::string& out) {
  out += "--- page " + std::to_string(number) + '\n';
  std::vector<const PlacedItem*> texts;
  for (const PlacedItem& it : page.items)
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

}  // namespace

bool writeReadingText(const PageList& pages, std::ostream& out, std::string* error) {
  std::string text;
  for (int p = 0; p < pages.pageCount(); ++p) {
    std::shared_ptr<const Page> page = pages.readPage(p, error);
    if (!page) return false;
    text.clear();
    appendPage(p + 1, *page, text);
    if (!out.write(text.data(), static_cast<std::streamsize>(text.size()))) {
      if (error) *error = "The text could not be written.";
      return false;
    }
  }
  return true;
}

std::string readingText(const PageList& pages) {
  std::ostringstream out;
  std::string error;
  if (!writeReadingText(pages, out, &error)) out << "error: " << error << '\n';
  return std::move(out).str();
}

}  // namespace quay::reports
