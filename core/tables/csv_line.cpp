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
    return utf8Length(std::string_view(s.data(), n));
}

}  // namespace

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

// The well-formed sequences (Unicode, table 3-7): the second byte's range depends on
// the first byte so that overlong forms and surrogates are refused.
std::size_t firstInvalidUtf8(std::string_view text) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0) low = 0xA0;
            if (b == 0xED) high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0) low = 0x90;
            if (b == 0xF4) high = 0x8F;
        } else {
            return i;
        }
        if (i + length > n) return i;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high) return i;
        for (std::size_t k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return i;
        i += length;
    }
    return std::string_view::npos;
}

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
