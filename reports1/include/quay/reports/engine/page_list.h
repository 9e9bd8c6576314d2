// The result of a report run: pages of placed items, each with its kind, its rectangle in
// layout units from the page's top-left corner, its text, font, pen and image. Nothing here
// knows about a device: the same page list goes to the preview, the printer, a PDF file and
// the text dump.
#pragma once

#include <string>
#include <vector>

#include "quay/reports/engine/font_spec.h"
#include "quay/reports/engine/page_geometry.h"

namespace quay::reports {

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
};

struct PageList {
  std::string title;  // the report's title, shown by the preview and given to the printer
  PageGeometry geometry;
  std::vector<Page> pages;
  int copies = 1;            // the report's copy count when the run finished
  std::string printerName;   // empty: the system's default printer

  bool isEmpty() const { return pages.empty(); }
  int pageCount() const { return static_cast<int>(pages.size()); }
};

}  // namespace quay::reports
