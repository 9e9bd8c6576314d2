// Reading a page list as lines of text. Texts whose tops are within a third of a line of
// each other read as one line, so a bold label and its value printed a few units apart
// still read together.
#include "quay/reports/run/page_text.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <vector>

#include "quay/reports/engine/text_dump.h"

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
    return writePagesAsText(pages, out, error, appendPage);
}

std::string readingText(const PageList& pages) { return pagesAsString(pages, appendPage); }

}  // namespace quay::reports
