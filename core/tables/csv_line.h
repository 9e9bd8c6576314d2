// Splitting one line of a comma-separated import file into its columns, with the rules
// ImportFile documents (quoted columns, doubled quotes, at most 50 columns of at most 50
// characters each).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "quay/tables/text_file_status.h"

namespace quay::core::detail {

struct CsvLimits {
    std::size_t maxColumns;
    std::size_t maxColumnLength;  // in characters; trailing blanks do not count: a field is blank-padded anyway
};

// The offset of the first byte of `text` that is not part of well-formed UTF-8 (an
// overlong form, a surrogate, a code point past U+10FFFF, a cut sequence), or npos.
std::size_t firstInvalidUtf8(std::string_view text);

// The characters of well-formed UTF-8 `text`.
std::size_t utf8Length(std::string_view text);

// Splits `line` (without its line end) into columns[0..count). On failure returns the
// fault and sets `faultColumn` to the 1-based column where it was found; the contents
// of `columns` are then unspecified. `columns` keeps its strings between calls so a
// long import reuses their storage.
TextFileStatus splitCsvLine(std::string_view line, const CsvLimits& limits, std::vector<std::string>& columns,
                            std::size_t& count, std::size_t& faultColumn);

}  // namespace quay::core::detail
