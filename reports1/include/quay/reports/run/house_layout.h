// The house layout every report is drawn in: letter paper with half-inch margins, a body
// 7500 units wide, rows of 180 units, one text font in its plain, bold, small and title
// forms, and the pieces that open a page: the company heading, the run stamp ("Run:"
// with the date and time) and the page number. A report's layout is built from these, so
// every report of the program looks like one family and a new one starts from here.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "quay/export.h"
#include "quay/reports/engine/report_layout.h"
#include "quay/tables/defaults.h"

namespace quay::reports::house {

// The printable width between the margins of a letter page in portrait.
inline constexpr Units kBodyWidth = 7500;
// The height of one row of text: a label with its value, a report line.
inline constexpr Units kRow = 180;

inline const FontSpec kText{.pointSize = 9};
inline const FontSpec kBold{.pointSize = 9, .bold = true};
inline const FontSpec kSmall{.pointSize = 8};
inline const FontSpec kTitle{.pointSize = 15, .bold = true};

// The page number as "3 of 12" (after a "Page:" label) and as "Page 3 of 12".
inline constexpr const char* kPageOfPages = "{page} of {pages}";
inline constexpr const char* kPageNumberLine = "Page {page} of {pages}";

// An empty layout on the house paper.
QUAY_EXPORT ReportLayout layout(std::string title);

// A bold label of labelWidth and its value control `name` of valueWidth right after it.
QUAY_EXPORT void addLabelled(Band& band, Units x, Units y, const char* label, const char* name, Units valueWidth,
                             Units labelWidth = 1100);

// The right-hand block of a page heading, from y: "Run:" with the fields runDate ("@d2")
// and runTime ("@t7"), and below it "Page:" with the page number "3 of 12" (control
// `page`). The report fills the two fields once (HouseReport::stampRun).
QUAY_EXPORT void addRunStamp(Band& band, Units y = 0);

// Blocks of lines (a heading, an address): texts without their padding blanks, parts
// joined without the separators of the blank ones, and a block filled from its first
// line so that it never shows gaps.
QUAY_EXPORT std::string trimmed(std::string_view text);
QUAY_EXPORT std::string joined(std::initializer_list<std::string_view> parts, std::string_view separator);

template <std::size_t N>
class BlockFiller {
public:
    explicit BlockFiller(std::array<std::string, N>& block, std::size_t first = 0) : m_block(block), m_next(first) {}
    bool hasRoom() const { return m_next < N; }
    // Takes the next line, even for a blank text (a line kept for a fixed part).
    void put(std::string text) {
        if (hasRoom()) m_block[m_next++] = std::move(text);
    }
    // Takes the next line only for a text that is not blank.
    void putIfAny(std::string text) {
        if (!text.empty()) put(std::move(text));
    }

private:
    std::array<std::string, N>& m_block;
    std::size_t m_next;
};

// The company heading printed on the customer's documents: seven lines, line 1 the
// company name when the company prints it (else blank); from line 2 on its address
// lines, the city line, the phones (with the fax), the e-mail and the web address, each
// only when the company prints it and has it. What does not fit is left off at the end.
inline constexpr std::size_t kHeadingLines = 7;
using HeadingLines = std::array<std::string, kHeadingLines>;
QUAY_EXPORT HeadingLines companyHeading(const core::Defaults& def);

// "city, state zip" without the separators of missing parts.
QUAY_EXPORT std::string cityLine(std::string_view city, std::string_view state, std::string_view zip);

}  // namespace quay::reports::house
