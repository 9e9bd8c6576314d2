// Column splitting for comma-separated lines. A column that starts with a double quote
// (after optional blanks) runs to the matching closing quote; inside it a doubled quote
// stands for one quote and commas are text. Anything but blanks between the closing
// quote and the next comma is a fault rather than a guess, so a damaged file is
// reported instead of being imported with shifted columns.
#include "csv_line.h"

namespace quay::core::detail {

namespace {

std::size_t lengthWithoutTrailingBlanks(const std::string& s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return n;
}

}  // namespace

TextFileStatus splitCsvLine(std::string_view line, const CsvLimits& limits, std::vector<std::string>& columns,
                            std::size_t& count, std::size_t& faultColumn) {
    count = 0;
    faultColumn = 0;
    const std::size_t n = line.size();
    std::size_t i = 0;
    for (;;) {
        if (count == limits.maxColumns) {
            faultColumn = count + 1;
            return TextFileStatus::TooManyColumns;
        }
        if (columns.size() <= count) columns.emplace_back();
        std::string& column = columns[count];
        column.clear();

        std::size_t j = i;
        while (j < n && line[j] == ' ') ++j;
        if (j < n && line[j] == '"') {
            i = j + 1;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        column += '"';
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                column += line[i++];
            }
            if (!closed) {
                faultColumn = count + 1;
                return TextFileStatus::UnbalancedQuote;
            }
            while (i < n && line[i] == ' ') ++i;
            if (i < n && line[i] != ',') {
                faultColumn = count + 1;
                return TextFileStatus::TextAfterQuote;
            }
        } else {
            const std::size_t start = i;
            while (i < n && line[i] != ',') ++i;
            column.assign(line.substr(start, i - start));
        }
        if (lengthWithoutTrailingBlanks(column) > limits.maxColumnLength) {
            faultColumn = count + 1;
            return TextFileStatus::ColumnTooLong;
        }
        ++count;
        if (i >= n) return TextFileStatus::Ok;
        ++i;  // the comma; a comma at the very end opens one more, empty, column
    }
}

}  // namespace quay::core::detail
