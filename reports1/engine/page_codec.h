// The stored form of a report page: what the page store writes to its file and reads back.
// Compact because a long report writes tens of thousands of pages: numbers as variable-
// length integers, each item's top as the step from the item before, fonts and the texts
// that repeat (headings, labels, the page-number pattern) as numbers into tables kept for
// the run.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "quay/reports/engine/page_list.h"

namespace quay::reports::detail {

// Stored page:
//   varint itemCount, then per item:
//     varint head: shape number << 3 | text is a page-number pattern (bit 2)
//                  | has image (bit 1) | has text (bit 0)
//     [shape]      when the shape number is 0: byte kind (bits 0-1) and alignment (2-3),
//                  varint font number, zigzag x, width, height, pen width
//     zigzag y - previous item's y
//     [text ref] [image ref]   when flagged
//   text ref: varint v; v odd: (v >> 1) bytes of text follow; v even: table entry v >> 1.
// A shape is everything of an item but its top and its texts. The items of one column share
// a shape row after row, so each page keeps a table of its first kMaxShapes shapes (in the
// order they first appear) and names them by number: a row item mostly takes a byte for its
// shape, one for its step down the page and its text.
// A pattern item's text keeps "{page}" and "{pages}"; they are filled in when read, so the
// page count, known only at the end, never means rewriting a stored page.
//
// Memory: the font table grows only with the fonts of the layout; the text table takes
// short texts until it holds kMaxTexts of them or kMaxTextBytes, after which new texts are
// stored in place. So a run of any length keeps a bounded table.
//
// Not thread-safe: the page store serialises encoding and decoding.
class PageCodec {
public:
    static constexpr std::size_t kMaxTexts = 4096;
    static constexpr std::size_t kMaxTextBytes = 256 * 1024;
    static constexpr std::size_t kMaxTableText = 64;  // longer texts are always stored in place
    static constexpr std::size_t kMaxShapes = 32;     // shapes a page names by number

    // Appends the stored form of page to out. patterns lists the items (ascending) whose
    // text is a page-number pattern.
    void encode(const Page& page, const std::vector<std::uint32_t>& patterns, std::string& out);

    // Reads a stored page into out, filling its patterns for page number pageNumber of
    // pageCount. False when data is not a whole stored page of this run (out is then
    // unspecified).
    bool decode(std::string_view data, int pageNumber, int pageCount, Page& out) const;

    std::size_t tableTexts() const { return m_texts.size(); }

private:
    std::uint32_t fontNumber(const FontSpec& font);
    void putText(const std::string& text, std::string& out);

    struct Shape {
        ItemKind kind = ItemKind::Text;
        Alignment alignment = Alignment::Left;
        std::uint32_t font = 0;
        Units x = 0;
        Units width = 0;
        Units height = 0;
        Units penWidth = 0;
        friend bool operator==(const Shape&, const Shape&) = default;
    };

    std::vector<Shape> m_shapes;  // the page being encoded
    std::vector<FontSpec> m_fonts;
    std::map<FontSpec, std::uint32_t> m_fontNumbers;
    std::uint32_t m_lastFont = 0;
    static constexpr std::size_t kSlots = 2 * kMaxTexts;
    static_assert((kSlots & (kSlots - 1)) == 0, "slots are found by masking the hash");
    std::vector<std::string> m_texts;     // the text table, by number
    std::vector<std::uint64_t> m_hashes;  // the hash of each entry
    std::vector<std::uint32_t> m_slots;   // entry number + 1 by hash; 0 empty
    std::size_t m_textBytes = 0;
};

// Fills "{page}" and then "{pages}" in a page-number pattern.
std::string fillPageNumbers(std::string pattern, int pageNumber, int pageCount);

}  // namespace quay::reports::detail
