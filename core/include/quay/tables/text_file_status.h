// Outcome of reading an import file or writing an export file. Every failure leaves the
// program's data unchanged: an import that fails hands out no record at all, an export
// that fails leaves any earlier file of that name as it was.
#pragma once

#include <cstdint>
#include <string_view>

#include "quay/export.h"

namespace quay::core {

enum class TextFileStatus : std::uint8_t {
    Ok,
    EndOfFile,        // next() read past the last record: the import is complete
    NameMissing,      // no file name was given: ask for one
    NameTooLong,      // the file name is longer than the 99 characters the name field holds
    NotFound,         // the import file does not exist: ask for another name
    CannotRead,       // the import file exists but cannot be read (permissions, a directory)
    CannotWrite,      // the export file cannot be created or written (disk full, permissions)
    NotOpen,          // a read or write on a file that is not open: a program fault, reported
    LineTooLong,      // an export line longer than 2048 characters, or one holding a line break
    TooManyColumns,   // an import line with more than 50 columns
    ColumnTooLong,    // an import column longer than the 50 characters a field holds
    UnbalancedQuote,  // an import line whose quoted column is not closed on that line
    TextAfterQuote,   // an import column with text between its closing quote and the comma
    NotText,          // an import line holding a NUL byte: the file is not text (a spreadsheet's own format)
    NotUtf8,          // an import line with bytes that are not UTF-8: save the file as UTF-8 text
};

// A short sentence for the user, e.g. "A quoted column is not closed."
QUAY_EXPORT std::string_view textFileStatusText(TextFileStatus status);

}  // namespace quay::core
