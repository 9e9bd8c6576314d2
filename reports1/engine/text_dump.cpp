// The text dump of a page list. Each line carries everything that tells two layouts apart
// on paper: page, rectangle and the text or image shown.
#include "quay/reports/engine/text_dump.h"

#include <ostream>
#include <sstream>

namespace quay::reports {
namespace {

void appendPage(int number, const Page& page, std::string& out) {
    const std::string prefix = "page " + std::to_string(number) + " y=";
    for (const PlacedItem& it : page.items) {
        out += prefix;
        out += std::to_string(it.y);
        out += " x=";
        out += std::to_string(it.x);
        out += " w=";
        out += std::to_string(it.width);
        out += " h=";
        out += std::to_string(it.height);
        switch (it.kind) {
        case ItemKind::Text: out += " text: " + it.text; break;
        case ItemKind::Line: out += " line"; break;
        case ItemKind::Box: out += " box"; break;
        case ItemKind::Image: out += " image: " + it.imagePath; break;
        }
        out += '\n';
    }
}

}  // namespace

bool writePagesAsText(const PageList& pages, std::ostream& out, std::string* error, const PageTextAppender& append) {
    std::string text;
    for (int p = 0; p < pages.pageCount(); ++p) {
        std::shared_ptr<const Page> page = pages.readPage(p, error);
        if (!page) return false;
        text.clear();
        append(p + 1, *page, text);
        if (!out.write(text.data(), static_cast<std::streamsize>(text.size()))) {
            if (error) *error = "The text could not be written.";
            return false;
        }
    }
    return true;
}

std::string pagesAsString(const PageList& pages, const PageTextAppender& append) {
    std::ostringstream out;
    std::string error;
    if (!writePagesAsText(pages, out, &error, append)) out << "error: " << error << '\n';
    return std::move(out).str();
}

bool writeTextDump(const PageList& pages, std::ostream& out, std::string* error) {
    return writePagesAsText(pages, out, error, appendPage);
}

std::string dumpText(const PageList& pages) { return pagesAsString(pages, appendPage); }

}  // namespace quay::reports
