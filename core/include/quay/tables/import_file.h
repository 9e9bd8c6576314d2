// ImportFile: a comma-separated text file read one record per line (prefix IMP), up to
// 50 columns a line. The record is the group DATAGROUP of the fifty columns FIELD1 to
// FIELD50, each STRING(50); DATAFIELD(n) addresses column n over the same characters.
//
// Format: UTF-8 text. Columns are separated by commas; a column may be enclosed in
// double quotes, and then holds commas and doubled quotes ("" for one "); blanks
// around a quoted column are ignored. Lines end in LF, CR LF or CR alone (as older
// Macintosh programs write them); empty lines are skipped; the last line needs no line
// end; a UTF-8 byte order mark at the start is skipped. Columns a line does not have
// are blank. The 50-character limit of a column counts characters, not bytes, so each
// column holds up to 50 characters of any script (up to 200 bytes of UTF-8).
//
// open() reads and checks the whole file before it hands out a single record: a line
// with an unclosed quote, text after a closing quote, more than 50 columns or a column
// longer than 50 characters, or bytes that are not UTF-8, makes the open fail with that
// line's number, so an import is never applied halfway and no malformed text reaches
// the tables. Not thread-safe; one reader per object.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "quay/export.h"
#include "quay/tables/text_file_status.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

#define QUAY_IMPORT_FIELD(n)                              \
    ImportColumn& FIELD##n() { return DATAGROUP[n - 1]; } \
    const ImportColumn& FIELD##n() const { return DATAGROUP[n - 1]; }

// One column: 50 characters, each of up to 4 bytes in UTF-8.
using ImportColumn = FixedString<200>;

struct ImportRecord {
    static constexpr int kColumns = 50;

    std::array<ImportColumn, kColumns> DATAGROUP;  // the columns of one line, in order

    // Column n as element n of DATAFIELD. REQUIRES: 1 <= n <= 50.
    ImportColumn& DATAFIELD(int n) {
        assert(n >= 1 && n <= kColumns);
        return DATAGROUP[static_cast<std::size_t>(n - 1)];
    }
    const ImportColumn& DATAFIELD(int n) const {
        assert(n >= 1 && n <= kColumns);
        return DATAGROUP[static_cast<std::size_t>(n - 1)];
    }

    // clang-format off
    QUAY_IMPORT_FIELD(1) QUAY_IMPORT_FIELD(2) QUAY_IMPORT_FIELD(3) QUAY_IMPORT_FIELD(4) QUAY_IMPORT_FIELD(5)
    QUAY_IMPORT_FIELD(6) QUAY_IMPORT_FIELD(7) QUAY_IMPORT_FIELD(8) QUAY_IMPORT_FIELD(9) QUAY_IMPORT_FIELD(10)
    QUAY_IMPORT_FIELD(11) QUAY_IMPORT_FIELD(12) QUAY_IMPORT_FIELD(13) QUAY_IMPORT_FIELD(14) QUAY_IMPORT_FIELD(15)
    QUAY_IMPORT_FIELD(16) QUAY_IMPORT_FIELD(17) QUAY_IMPORT_FIELD(18) QUAY_IMPORT_FIELD(19) QUAY_IMPORT_FIELD(20)
    QUAY_IMPORT_FIELD(21) QUAY_IMPORT_FIELD(22) QUAY_IMPORT_FIELD(23) QUAY_IMPORT_FIELD(24) QUAY_IMPORT_FIELD(25)
    QUAY_IMPORT_FIELD(26) QUAY_IMPORT_FIELD(27) QUAY_IMPORT_FIELD(28) QUAY_IMPORT_FIELD(29) QUAY_IMPORT_FIELD(30)
    QUAY_IMPORT_FIELD(31) QUAY_IMPORT_FIELD(32) QUAY_IMPORT_FIELD(33) QUAY_IMPORT_FIELD(34) QUAY_IMPORT_FIELD(35)
    QUAY_IMPORT_FIELD(36) QUAY_IMPORT_FIELD(37) QUAY_IMPORT_FIELD(38) QUAY_IMPORT_FIELD(39) QUAY_IMPORT_FIELD(40)
    QUAY_IMPORT_FIELD(41) QUAY_IMPORT_FIELD(42) QUAY_IMPORT_FIELD(43) QUAY_IMPORT_FIELD(44) QUAY_IMPORT_FIELD(45)
    QUAY_IMPORT_FIELD(46) QUAY_IMPORT_FIELD(47) QUAY_IMPORT_FIELD(48) QUAY_IMPORT_FIELD(49) QUAY_IMPORT_FIELD(50)
    // clang-format on
};

#undef QUAY_IMPORT_FIELD

class QUAY_EXPORT ImportFile {
public:
    static constexpr std::size_t kMaxNameLength = 99;  // GLO:ImportFileName
    static constexpr int kMaxColumns = ImportRecord::kColumns;
    static constexpr std::size_t kMaxColumnLength = 50;

    ImportFile() = default;
    ImportFile(const ImportFile&) = delete;
    ImportFile& operator=(const ImportFile&) = delete;

    // Reads and checks `fileName` (the name in GLO:ImportFileName). Ok, NameMissing,
    // NameTooLong, NotFound, CannotRead, or the first malformed line's fault
    // (TooManyColumns, ColumnTooLong, UnbalancedQuote, TextAfterQuote, NotText, NotUtf8) with errorLine()
    // giving its number, counted from 1. After a failure no record can be read.
    TextFileStatus open(std::string_view fileName);

    // Checks and takes text already in memory, as open() does with a file's contents.
    TextFileStatus openText(std::string text);

    // Fills rec with the next record; EndOfFile after the last; NotOpen before open().
    TextFileStatus next();

    void close();
    bool isOpen() const { return m_open; }

    // Records in the file (lines that are not empty); valid after a successful open.
    std::size_t records() const { return m_lines.size(); }
    // Columns the line last read had (1 to 50).
    int columns() const { return m_columns; }
    // Line number in the file of the record last read, or of the malformed line.
    long errorLine() const { return m_errorLine; }
    long currentLine() const { return m_currentLine; }
    // The last failure as a sentence for the user, naming the file and the line.
    const std::string& errorText() const { return m_errorText; }

    ImportRecord rec;

private:
    struct Line {
        std::size_t begin;
        std::size_t end;
        long number;
    };

    TextFileStatus fail(TextFileStatus status, long line = 0, std::size_t column = 0);

    std::string m_fileName;
    std::string m_text;
    std::vector<Line> m_lines;
    std::vector<std::string> m_scratch;  // column texts of the line being split
    std::size_t m_nextLine = 0;
    bool m_open = false;
    int m_columns = 0;
    long m_currentLine = 0;
    long m_errorLine = 0;
    std::string m_errorText;
};

}  // namespace quay::core
