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
#include <unordered_map>
#include <vector>

#include "quay/reports/engine/page_list.h"

namespace quay::reports::detail {

// Stored page:
//   varint itemCount, then per item:
//     byte   kind (bits 0-1), alignment (bits 2-3), has text (4), has image (5),
//            has pen width (6), text is a page-number pattern (7)
//     varint font number
//     zigzag x, y - previous item's y, width, height
//     [text ref] [image ref] [zigzag pen width]   when flagged
//   text ref: varint v; v odd: (v >> 1) bytes of text follow; v even: table entry v >> 1.
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

  std::vector<FontSpec> m_fonts;
  std::map<FontSpec, std::uint32_t> m_fontNumbers;
  std::vector<const std::string*> m_texts;  // keys of m_textNumbers, whose nodes do not move
  std::unordered_map<std::string, std::uint32_t> m_textNumbers;
  std::size_t m_textBytes = 0;
};

// Fills "{page}" and then "{pages}" in a page-number pattern.
std::string fillPageNumbers(std::string pattern, int pageNumber, int pageCount);

}  // namespace quay::reports::detail
