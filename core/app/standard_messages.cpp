// The standard-message catalogue as one table: per number the caption, the text
// with its insert places, icon, buttons and default, and the short text the
// program ends with. Insert places in the texts: {N} the name insert, {X} the
// extra insert, {E} the error insert "text (number)", {#} the error number alone,
// {C} the error text alone (the probable cause).
#include "quay/app/standard_messages.h"

#include <array>
#include <cassert>

#include "quay/app/last_error.h"

namespace quay::core {
namespace {

constexpr ButtonSet kOk = Button::Ok;
constexpr ButtonSet kYesNo = Button::Yes | Button::No;
constexpr ButtonSet kYesNoCancel = Button::Yes | Button::No | Button::Cancel;
constexpr ButtonSet kOkCancel = Button::Ok | Button::Cancel;
constexpr ButtonSet kRetryCancel = Button::Retry | Button::Cancel;

struct Entry {
    int number;
    const char* caption;
    const char* text;
    const char* alternateCaption;  // second form (29, 31), else null
    const char* alternateText;
    Icon icon;
    ButtonSet buttons;
    Button defaultButton;
    const char* endsWith;  // short text the program ends with, else null
    Button endsOn;         // the answer that ends it
};

constexpr const char* kChangedByOtherStation = "This record was changed by another station.";

const std::array<Entry, 38> kCatalogue{{
    {1, "Invalid File", "Error: ({E}) accessing {N}.  Press OK to end this application.", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, "Invalid File!", Button::Ok},
    {2, "Invalid Key", "{N} key file is invalid.  Do you want to rebuild the key?", nullptr, nullptr, Icon::Question,
     kYesNo, Button::Yes, "Invalid Key!", Button::No},
    {3, "Key Rebuild Error", "Error: ({E}) repairing key for {N}.  Press OK to end this application.", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, "Error Rebuilding Key!", Button::Ok},
    {4, "File Creation Error", "Error: ({E}) creating {N}.  Press OK to end this application.", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, "File Creation Error!", Button::Ok},
    {5, "File Creation Error", "Error: ({E}) opening created file:{N}.  Press OK to end this application.", nullptr,
     nullptr, Icon::Warning, kOk, Button::Ok, "File Creation Error!", Button::Ok},
    {6, "Procedure not defined", "The Procedure {N} has not been defined.", nullptr, nullptr, Icon::Warning, kOk,
     Button::Ok, nullptr, Button::None},
    {7, "", "Unable to read keyed record.  Error: {E}.  Insert Aborted", nullptr, nullptr, Icon::Warning, kOk,
     Button::Ok, nullptr, Button::None},
    {8, "Range Error", "The value of {N} must be lower than {X}", nullptr, nullptr, Icon::Warning, kOk, Button::Ok,
     nullptr, Button::None},
    {9, "Range Error", "The value of {N} must be higher than {X}", nullptr, nullptr, Icon::Warning, kOk, Button::Ok,
     nullptr, Button::None},
    {10, "Range Error", "The value of {N} must be between {X}.", nullptr, nullptr, Icon::Warning, kOk, Button::Ok,
     nullptr, Button::None},
    {11, "Field Contents Error", "The value for {N} must be found in the {X} file.", nullptr, nullptr, Icon::Warning,
     kOk, Button::Ok, nullptr, Button::None},
    {12, "Referential Integrity Update Error",
     "This record is referenced from the file {N}.  Linking field(s) have been restricted from change and have "
     "been reset to original values.",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {13, "Referential Integrity Delete Error",
     "This record is referenced from the file {N}.  This record cannot be deleted while these references exist.",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {14, "Record Insert Error", "An error was experienced during the update of record.  Error: {E}.", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {15, "Update Operation Error",
     "An error ({#}) was experienced when attempting to update a record from the {N} file.  Probable Cause: {C}.",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {16, "Record Update Error", "An error was experienced changing this record.  Do you want to try to save again?",
     nullptr, nullptr, Icon::Warning, kYesNoCancel, Button::Cancel, nullptr, Button::None},
    {17, "Delete Operation Error",
     "An error ({#}) was experienced when attempting to delete a record from the file {N}.", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {18, "Record Update Error", "An error was experienced deleting this record.  Do you want to try to save again?",
     nullptr, nullptr, Icon::Warning, kYesNoCancel, Button::Cancel, nullptr, Button::None},
    {19, "Invalid Request",
     "This procedure was called to insert a record, however inserts are not allowed for this procedure.  Press "
     "OK to return to the calling procedure",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {20, "Invalid Request",
     "This procedure was called to change a record, however changes are not allowed for this procedure.  Press "
     "OK to return to the calling procedure",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {21, "Invalid Request",
     "This procedure was called to delete a record, however deletions are not allowed for this procedure.  Press "
     "OK to return to the calling procedure",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {22, "File Creation Not Allowed",
     "The File {N} was not found, and creation of the file is not allowed.  Press OK to end this application.", nullptr,
     nullptr, Icon::Warning, kOk, Button::Ok, "File Creation Error!", Button::Ok},
    {23, "Update Cancelled", "Are you sure you want to cancel?", nullptr, nullptr, Icon::Question, kYesNo, Button::No,
     nullptr, Button::None},
    {24, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key:{N}", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {25, "Auto Increment Error", "Attempts to automatically number this record have failed.  Error: {E}.", nullptr,
     nullptr, Icon::Warning, kRetryCancel, Button::Cancel, nullptr, Button::None},
    {26, "File Load Error", "Error: ({E}) loading {N}.", nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr,
     Button::None},
    {27, "Cancel Request", "Are you certain you want to stop loading {N}", nullptr, nullptr, Icon::Question, kYesNo,
     Button::No, nullptr, Button::None},
    {28, "File Load Error", "The file you've requested contains no text.", nullptr, nullptr, Icon::Warning, kOk,
     Button::Ok, nullptr, Button::None},
    {29, "End of File Error",
     "The end of the viewed file was encountered.  Do you want to start again from the beginning?",
     "Beginning of File Error",
     "The beginning of the viewed file was encountered.  Do you want to start again from the end of the file?",
     Icon::Question, kYesNo, Button::Yes, nullptr, Button::None},
    {30, "File Access Error", "File ({N}) could not be opened.  Error: {E}.", nullptr, nullptr, Icon::Warning, kOk,
     Button::Ok, "Disk Error", Button::Ok},
    {31, "Process PUT Error", "An error was experienced when making changes to the  file.  Error: {E}",
     "Process DELETE Error", "An error was experienced when deleting a record from the {N} file.  Error: {E}",
     Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {32, "Confirm Delete",
     "You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.", nullptr,
     nullptr, Icon::Question, kOkCancel, Button::Cancel, nullptr, Button::None},
    {33, "Update Cancelled", "Do you want to save the changes to this record?", nullptr, nullptr, Icon::Question,
     kYesNoCancel, Button::No, nullptr, Button::None},
    {34, "Transaction Framing Error",
     "Error: ({E}) attempting to frame the {N} transaction on {X}.  {N} transaction cancelled.", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {35, "Record Retrieval Error",
     "Error: ({E}) attempting to access a record from the {N} file.  Returning to previous window.", nullptr, nullptr,
     Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {36, "View Open Error", "Error: ({E}) attempting to open the current VIEW. Filter and Range Limits ignored.",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
    {37, "Record Added", "This record has been added to the file. Do you want to add another record?", nullptr, nullptr,
     Icon::Question, kYesNo, Button::Yes, nullptr, Button::None},
    {38, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or "
     "Ctrl+' to recall your changes.",
     nullptr, nullptr, Icon::Warning, kOk, Button::Ok, nullptr, Button::None},
}};

const Entry& entryFor(StandardMessage m) {
    const int n = static_cast<int>(m);
    // REQUIRES: m is one of the catalogue's numbers.
    assert(n >= kFirstStandardMessage && n <= kLastStandardMessage);
    if (n < kFirstStandardMessage || n > kLastStandardMessage) return kCatalogue[29];  // a disk error: never silent
    return kCatalogue[static_cast<std::size_t>(n - 1)];
}

std::string_view clip(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string fill(std::string_view templ, const MessageInserts& in, const std::string& errorInsert, int errorNumber,
                 const std::string& errorText) {
    std::string out;
    out.reserve(templ.size() + 64);
    for (std::size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '{' && i + 2 < templ.size() && templ[i + 2] == '}') {
            switch (templ[i + 1]) {
            case 'N':
                out += clip(in.name);
                i += 2;
                continue;
            case 'X':
                out += clip(in.extra);
                i += 2;
                continue;
            case 'E':
                out += errorInsert;
                i += 2;
                continue;
            case '#':
                out += std::to_string(errorNumber);
                i += 2;
                continue;
            case 'C':
                out += clip(errorText);
                i += 2;
                continue;
            default: break;
            }
        }
        out += templ[i];
    }
    return out;
}

}  // namespace

MessageText composeStandardMessage(StandardMessage m, const MessageInserts& inserts, const std::string& errorInsert,
                                   int errorNumber, const std::string& errorText, int errorCode) {
    const Entry& e = entryFor(m);
    const bool alt = inserts.alternate && e.alternateText != nullptr;
    MessageText out;
    out.caption = alt ? e.alternateCaption : e.caption;
    if (m == StandardMessage::UpdateError && errorCode == static_cast<int>(ErrorCode::ChangedByOtherStation)) {
        out.text = kChangedByOtherStation;
    } else {
        out.text = fill(alt ? e.alternateText : e.text, inserts, errorInsert, errorNumber, errorText);
    }
    out.icon = e.icon;
    out.buttons = e.buttons;
    out.defaultButton = e.defaultButton;
    return out;
}

std::optional<std::string> endingText(StandardMessage m, Button answer) {
    const Entry& e = entryFor(m);
    if (e.endsWith == nullptr) return std::nullopt;
    // The rebuild question goes on only on Yes; a box closed without an answer ends
    // the program like No. The OK-only messages end it whatever closed them.
    if (e.endsOn == Button::No && answer == Button::Yes) return std::nullopt;
    return std::string(e.endsWith);
}

Button showStandardMessage(UiPort& ui, StandardMessage m, const MessageInserts& inserts) {
    const SavedError err = savedError();
    const MessageText msg =
        composeStandardMessage(m, inserts, err.insert(), err.number(), err.isSet() ? err.shownText() : std::string(),
                               static_cast<int>(err.code));
    clearSavedError();
    const Button answer = ui.message(msg.caption, msg.text, msg.icon, msg.buttons, msg.defaultButton);
    if (auto ending = endingText(m, answer)) ui.endProgram(*ending);
    return answer;
}

}  // namespace quay::core
