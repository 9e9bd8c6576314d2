// The catalogue of standard messages that every list and form shares, numbered as
// the windows refer to them: each has its caption, text, icon, buttons and default
// button. Inserts: `name` is the table, procedure, field or key label a message
// names, `extra` the second text some messages carry (a range limit, the table a
// value must be found in, the tables of a transaction); the error insert is built
// from the saved last error ("text (number)") and the saved error is cleared once
// the message has been shown. Inserts lose their trailing blanks.
//
// Messages 1, 3, 4, 5, 22 and 30 end the program after OK, and message 2 when it
// is answered No, each with its short text ("Invalid File!", "Invalid Key!",
// "Error Rebuilding Key!", "File Creation Error!", "Disk Error"), through the UI
// port's endProgram().
//
// Messages 29 and 31 have two forms (end or beginning of the file; PUT or DELETE):
// `alternate` selects the second.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/export.h"

namespace quay::core {

enum class StandardMessage : int {
    InvalidFile = 1,               // "Invalid File"; ends the program
    InvalidKey = 2,                // "Invalid Key": rebuild the keys? No ends the program
    RebuildError = 3,              // "Key Rebuild Error"; ends the program
    CreateError = 4,               // "File Creation Error"; ends the program
    CreateOpenError = 5,           // "File Creation Error" (opening the created file); ends the program
    ProcedureToDo = 6,             // "Procedure not defined"
    BadKeyedRecord = 7,            // no caption: insert abandoned
    RangeLower = 8,                // "Range Error": must be lower than
    RangeHigher = 9,               // "Range Error": must be higher than
    RangeBetween = 10,             // "Range Error": must be between
    NotInFile = 11,                // "Field Contents Error"
    RestrictUpdate = 12,           // "Referential Integrity Update Error"
    RestrictDelete = 13,           // "Referential Integrity Delete Error"
    InsertError = 14,              // "Record Insert Error"
    UpdateError = 15,              // "Update Operation Error"
    RetryUpdate = 16,              // "Record Update Error": save again?
    DeleteError = 17,              // "Delete Operation Error"
    RetryDelete = 18,              // "Record Update Error": delete again?
    InsertDisabled = 19,           // "Invalid Request": inserts not allowed
    UpdateDisabled = 20,           // "Invalid Request": changes not allowed
    DeleteDisabled = 21,           // "Invalid Request": deletions not allowed
    NoCreate = 22,                 // "File Creation Not Allowed"; ends the program
    ConfirmCancel = 23,            // "Update Cancelled": are you sure?
    DuplicateKey = 24,             // "Duplicate Key Error"
    AutoIncrementError = 25,       // "Auto Increment Error": retry?
    FileLoadError = 26,            // "File Load Error"
    ConfirmCancelLoad = 27,        // "Cancel Request": stop loading?
    FileEmpty = 28,                // "File Load Error": the file has no text
    EndOfFile = 29,                // "End of File Error" (alternate: "Beginning of File Error")
    DiskError = 30,                // "File Access Error"; ends the program
    ProcessActionError = 31,       // "Process PUT Error" (alternate: "Process DELETE Error")
    ConfirmDelete = 32,            // "Confirm Delete"
    SaveOnCancel = 33,             // "Update Cancelled": save the changes?
    TransactionFramingError = 34,  // "Transaction Framing Error"
    RecordRetrievalError = 35,     // "Record Retrieval Error"
    ViewOpenError = 36,            // "View Open Error"
    RecordAdded = 37,              // "Record Added": add another?
    RecordChanged = 38,            // "Record Was Not Updated"
};

constexpr int kFirstStandardMessage = 1;
constexpr int kLastStandardMessage = 38;

struct MessageInserts {
    constexpr MessageInserts() = default;
    constexpr MessageInserts(std::string_view n, std::string_view x = {},
                             bool alt = false)  // NOLINT: {"Orders"} reads well
        : name(n), extra(x), alternate(alt) {}

    std::string_view name;
    std::string_view extra;
    bool alternate = false;
};

// One message as it will be shown.
struct MessageText {
    std::string caption;
    std::string text;
    Icon icon = Icon::Warning;
    ButtonSet buttons;
    Button defaultButton = Button::Ok;
};

// The message with its inserts and the given error (`errorText` without trailing
// blanks, `errorNumber`, `errorCode` the record-store code, which picks the text of
// message 15 for a change by another station). Pure: touches no saved state.
QUAY_EXPORT MessageText composeStandardMessage(StandardMessage m, const MessageInserts& inserts,
                                               const std::string& errorInsert, int errorNumber,
                                               const std::string& errorText, int errorCode);

// The short text the program ends with when message `m` is answered `answer`, or
// nullopt when the program goes on.
QUAY_EXPORT std::optional<std::string> endingText(StandardMessage m, Button answer);

// Shows message `m` with the inserts and the saved error, clears the saved error,
// ends the program through the port when the message says so, and returns the
// button pressed.
QUAY_EXPORT Button showStandardMessage(UiPort& ui, StandardMessage m, const MessageInserts& inserts = {});

}  // namespace quay::core
