// Sentences for the outcomes of the import and export files.
#include "quay/tables/text_file_status.h"

namespace quay::core {

std::string_view textFileStatusText(TextFileStatus status) {
    switch (status) {
    case TextFileStatus::Ok: return "The file was read or written.";
    case TextFileStatus::EndOfFile: return "There are no more records in the file.";
    case TextFileStatus::NameMissing: return "No file name was given.";
    case TextFileStatus::NameTooLong: return "The file name is longer than 99 characters.";
    case TextFileStatus::NotFound: return "The file does not exist.";
    case TextFileStatus::CannotRead: return "The file cannot be read.";
    case TextFileStatus::CannotWrite: return "The file cannot be written.";
    case TextFileStatus::NotOpen: return "The file is not open.";
    case TextFileStatus::LineTooLong: return "The line is longer than 2048 characters or holds a line break.";
    case TextFileStatus::TooManyColumns: return "The line has more than 50 columns.";
    case TextFileStatus::ColumnTooLong: return "A column is longer than 50 characters.";
    case TextFileStatus::UnbalancedQuote: return "A quoted column is not closed.";
    case TextFileStatus::TextAfterQuote: return "A quoted column is followed by text before the next comma.";
    case TextFileStatus::NotText: return "The file is not a text file.";
    case TextFileStatus::NotUtf8:
        return "The line holds characters that are not UTF-8 text.  Save the file as \"CSV UTF-8\" and import it "
               "again.";
    }
    return "Unknown text file status.";
}

}  // namespace quay::core
