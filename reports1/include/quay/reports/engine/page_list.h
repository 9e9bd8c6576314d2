// The result of a report run: pages of placed items, each with its kind, its rectangle in
// layout units from the page's top-left corner, its text, font, pen and image. Nothing here
// knows about a device: the same page list goes to the preview, the printer, a PDF file and
// the text dump.
//
// A run's pages are not held in memory: they lie in the run's page store (a temporary file)
// and are read back one at a time by number, so outputs take a page, draw or write it and
// let it go. A list can also hold pages built in memory, for a few pages made by hand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quay/export.h"
#include "quay/reports/engine/font_spec.h"
#include "quay/reports/engine/page_geometry.h"

namespace quay::reports {

namespace detail {
class PageStore;
}

enum class ItemKind { Text, Line, Box, Image };

struct PlacedItem {
    ItemKind kind = ItemKind::Text;
    Units x = 0;  // page coordinates, margins included
    Units y = 0;
    Units width = 0;
    Units height = 0;
    std::string text;  // Text: one line as shown
    FontSpec font;
    Alignment alignment = Alignment::Left;
    Units penWidth = 0;     // Line and Box
    std::string imagePath;  // Image

    friend bool operator==(const PlacedItem&, const PlacedItem&) = default;
};

struct Page {
    std::vector<PlacedItem> items;  // in the order they were placed, top to bottom per band

    friend bool operator==(const Page&, const Page&) = default;
};

// Copies share the stored pages of a run; the page store (and its file) goes when the
// last copy does. Reading is thread-safe.
class QUAY_EXPORT PageList {
public:
    std::string title;  // the report's title, shown by the preview and given to the printer
    PageGeometry geometry;
    int copies = 1;           // the report's copy count when the run finished
    std::string printerName;  // empty: the system's default printer

    PageList();
    // Pages held in memory.
    explicit PageList(std::vector<Page> pages);
    // The pages of a finished run.
    explicit PageList(std::shared_ptr<const detail::PageStore> store);
    ~PageList();
    PageList(const PageList&);
    PageList& operator=(const PageList&);
    PageList(PageList&&) noexcept;
    PageList& operator=(PageList&&) noexcept;

    bool isEmpty() const { return pageCount() == 0; }
    int pageCount() const;

    // Page index (from 0) as laid out, "{pages}" filled in. Null, with the reason in *error
    // when given, when a stored page cannot be read back; outputs report that instead of
    // going on with a page missing. A page held in memory stays valid while the list is
    // neither changed nor destroyed.
    // REQUIRES: 0 <= index < pageCount().
    std::shared_ptr<const Page> readPage(int index, std::string* error = nullptr) const;
    // A copy of page index; an empty page when it cannot be read back. For callers that
    // look at a few pages (tests, a report checking its own layout).
    Page page(int index) const;

    // Adds a page at the end of a list held in memory.
    // REQUIRES: the list does not hold a run's stored pages.
    void appendPage(Page page);

    // Bytes the run's page store wrote to its file; 0 for pages held in memory.
    std::uint64_t storedBytes() const;

private:
    std::vector<Page> m_pages;
    std::shared_ptr<const detail::PageStore> m_store;
};

}  // namespace quay::reports
