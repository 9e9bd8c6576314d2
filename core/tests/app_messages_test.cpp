// The standard-message catalogue: every number's caption, text, icon, buttons and
// default as shown through the port; the error insert from the saved error and its
// clearing; and the messages that end the program with their short texts.
#include <gtest/gtest.h>

#include <thread>

#include "quay/app/last_error.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/standard_messages.h"

namespace quay::core {
namespace {

constexpr ButtonSet kOk = Button::Ok;
constexpr ButtonSet kYN = Button::Yes | Button::No;
constexpr ButtonSet kYNC = Button::Yes | Button::No | Button::Cancel;

struct CatalogueRow {
    int number;           // message number
    bool alternate;       // second form (29, 31)
    const char* caption;  // expected caption
    const char* text;     // expected text with name "Orders", extra "Customer, Orders", error 2
    Icon icon;
    ButtonSet buttons;
    Button defaultButton;
    const char* ending;  // short text the program ends with after the default answer, or null
};

const CatalogueRow kRows[] = {
    {1, false, "Invalid File", "Error: (File Not Found (2)) accessing Orders.  Press OK to end this application.",
     Icon::Warning, kOk, Button::Ok, "Invalid File!"},
    {2, false, "Invalid Key", "Orders key file is invalid.  Do you want to rebuild the key?", Icon::Question, kYN,
     Button::Yes, nullptr},
    {3, false, "Key Rebuild Error",
     "Error: (File Not Found (2)) repairing key for Orders.  Press OK to end this application.", Icon::Warning, kOk,
     Button::Ok, "Error Rebuilding Key!"},
    {4, false, "File Creation Error", "Error: (File Not Found (2)) creating Orders.  Press OK to end this application.",
     Icon::Warning, kOk, Button::Ok, "File Creation Error!"},
    {5, false, "File Creation Error",
     "Error: (File Not Found (2)) opening created file:Orders.  Press OK to end this application.", Icon::Warning, kOk,
     Button::Ok, "File Creation Error!"},
    {6, false, "Procedure not defined", "The Procedure Orders has not been defined.", Icon::Warning, kOk, Button::Ok,
     nullptr},
    {7, false, "", "Unable to read keyed record.  Error: File Not Found (2).  Insert Aborted", Icon::Warning, kOk,
     Button::Ok, nullptr},
    {8, false, "Range Error", "The value of Orders must be lower than Customer, Orders", Icon::Warning, kOk, Button::Ok,
     nullptr},
    {9, false, "Range Error", "The value of Orders must be higher than Customer, Orders", Icon::Warning, kOk,
     Button::Ok, nullptr},
    {10, false, "Range Error", "The value of Orders must be between Customer, Orders.", Icon::Warning, kOk, Button::Ok,
     nullptr},
    {11, false, "Field Contents Error", "The value for Orders must be found in the Customer, Orders file.",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {12, false, "Referential Integrity Update Error",
     "This record is referenced from the file Orders.  Linking field(s) have been restricted from change and have "
     "been reset to original values.",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {13, false, "Referential Integrity Delete Error",
     "This record is referenced from the file Orders.  This record cannot be deleted while these references exist.",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {14, false, "Record Insert Error",
     "An error was experienced during the update of record.  Error: File Not Found (2).", Icon::Warning, kOk,
     Button::Ok, nullptr},
    {15, false, "Update Operation Error",
     "An error (2) was experienced when attempting to update a record from the Orders file.  Probable Cause: File "
     "Not Found.",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {16, false, "Record Update Error",
     "An error was experienced changing this record.  Do you want to try to save again?", Icon::Warning, kYNC,
     Button::Cancel, nullptr},
    {17, false, "Delete Operation Error",
     "An error (2) was experienced when attempting to delete a record from the file Orders.", Icon::Warning, kOk,
     Button::Ok, nullptr},
    {18, false, "Record Update Error",
     "An error was experienced deleting this record.  Do you want to try to save again?", Icon::Warning, kYNC,
     Button::Cancel, nullptr},
    {19, false, "Invalid Request",
     "This procedure was called to insert a record, however inserts are not allowed for this procedure.  Press OK "
     "to return to the calling procedure",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {20, false, "Invalid Request",
     "This procedure was called to change a record, however changes are not allowed for this procedure.  Press OK "
     "to return to the calling procedure",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {21, false, "Invalid Request",
     "This procedure was called to delete a record, however deletions are not allowed for this procedure.  Press "
     "OK to return to the calling procedure",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {22, false, "File Creation Not Allowed",
     "The File Orders was not found, and creation of the file is not allowed.  Press OK to end this application.",
     Icon::Warning, kOk, Button::Ok, "File Creation Error!"},
    {23, false, "Update Cancelled", "Are you sure you want to cancel?", Icon::Question, kYN, Button::No, nullptr},
    {24, false, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key:Orders", Icon::Warning,
     kOk, Button::Ok, nullptr},
    {25, false, "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: File Not Found (2).", Icon::Warning,
     Button::Retry | Button::Cancel, Button::Cancel, nullptr},
    {26, false, "File Load Error", "Error: (File Not Found (2)) loading Orders.", Icon::Warning, kOk, Button::Ok,
     nullptr},
    {27, false, "Cancel Request", "Are you certain you want to stop loading Orders", Icon::Question, kYN, Button::No,
     nullptr},
    {28, false, "File Load Error", "The file you've requested contains no text.", Icon::Warning, kOk, Button::Ok,
     nullptr},
    {29, false, "End of File Error",
     "The end of the viewed file was encountered.  Do you want to start again from the beginning?", Icon::Question, kYN,
     Button::Yes, nullptr},
    {29, true, "Beginning of File Error",
     "The beginning of the viewed file was encountered.  Do you want to start again from the end of the file?",
     Icon::Question, kYN, Button::Yes, nullptr},
    {30, false, "File Access Error", "File (Orders) could not be opened.  Error: File Not Found (2).", Icon::Warning,
     kOk, Button::Ok, "Disk Error"},
    {31, false, "Process PUT Error",
     "An error was experienced when making changes to the  file.  Error: File Not Found (2)", Icon::Warning, kOk,
     Button::Ok, nullptr},
    {31, true, "Process DELETE Error",
     "An error was experienced when deleting a record from the Orders file.  Error: File Not Found (2)", Icon::Warning,
     kOk, Button::Ok, nullptr},
    {32, false, "Confirm Delete",
     "You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.", Icon::Question,
     Button::Ok | Button::Cancel, Button::Cancel, nullptr},
    {33, false, "Update Cancelled", "Do you want to save the changes to this record?", Icon::Question, kYNC, Button::No,
     nullptr},
    {34, false, "Transaction Framing Error",
     "Error: (File Not Found (2)) attempting to frame the Orders transaction on Customer, Orders.  Orders "
     "transaction cancelled.",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {35, false, "Record Retrieval Error",
     "Error: (File Not Found (2)) attempting to access a record from the Orders file.  Returning to previous "
     "window.",
     Icon::Warning, kOk, Button::Ok, nullptr},
    {36, false, "View Open Error",
     "Error: (File Not Found (2)) attempting to open the current VIEW. Filter and Range Limits ignored.", Icon::Warning,
     kOk, Button::Ok, nullptr},
    {37, false, "Record Added", "This record has been added to the file. Do you want to add another record?",
     Icon::Question, kYN, Button::Yes, nullptr},
    {38, false, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or "
     "Ctrl+' to recall your changes.",
     Icon::Warning, kOk, Button::Ok, nullptr},
};

TEST(StandardMessageCatalogue, EveryMessageShowsItsCaptionTextIconAndButtons) {
    int covered = 0;
    for (const CatalogueRow& row : kRows) {
        SCOPED_TRACE("message " + std::to_string(row.number) + (row.alternate ? " (alternate)" : ""));
        ScriptedUi ui;
        saveError(ErrorCode::FileNotFound, "File Not Found   ");
        // Inserts with trailing blanks, as fixed-length fields hold them.
        const Button answer = showStandardMessage(ui, static_cast<StandardMessage>(row.number),
                                                  {"Orders    ", "Customer, Orders", row.alternate});
        ASSERT_EQ(ui.messages().size(), 1u);
        const RecordedMessage& m = ui.messages()[0];
        EXPECT_EQ(m.caption, row.caption);
        EXPECT_EQ(m.text, row.text);
        EXPECT_EQ(m.icon, row.icon);
        EXPECT_EQ(m.buttons, row.buttons);
        EXPECT_EQ(m.defaultButton, row.defaultButton);
        EXPECT_EQ(answer, row.defaultButton);
        if (row.ending) {
            EXPECT_EQ(ui.endings(), std::vector<std::string>{row.ending});
        } else {
            EXPECT_FALSE(ui.programEnded());
        }
        EXPECT_FALSE(savedError().isSet()) << "the saved error is cleared once shown";
        ++covered;
    }
    EXPECT_EQ(covered, kLastStandardMessage + 2);
}

TEST(StandardMessageEnding, RebuildQuestionEndsTheProgramOnlyWhenRefused) {
    ScriptedUi ui;
    ui.answers({Button::Yes, Button::No});
    EXPECT_EQ(showStandardMessage(ui, StandardMessage::InvalidKey, {"Customer"}), Button::Yes);
    EXPECT_FALSE(ui.programEnded());
    EXPECT_EQ(showStandardMessage(ui, StandardMessage::InvalidKey, {"Customer"}), Button::No);
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Invalid Key!"});
}

TEST(StandardMessageEnding, OnlyTheOpenFailuresEndTheProgram) {
    for (int n = kFirstStandardMessage; n <= kLastStandardMessage; ++n) {
        SCOPED_TRACE(n);
        if (n == 2) continue;  // the rebuild question, above
        const auto m = static_cast<StandardMessage>(n);
        const bool ends = n == 1 || n == 3 || n == 4 || n == 5 || n == 22 || n == 30;
        EXPECT_EQ(endingText(m, Button::Ok).has_value(), ends);
    }
    EXPECT_EQ(endingText(StandardMessage::CreateOpenError, Button::Ok), "File Creation Error!");
    EXPECT_EQ(endingText(StandardMessage::InvalidKey, Button::None), "Invalid Key!");
}

TEST(ErrorInsert, DriverErrorShowsTheDriversTextAndCode) {
    ScriptedUi ui;
    saveError(ErrorCode::DriverError, "Driver Error", "database disk image is malformed  ", 11);
    showStandardMessage(ui, StandardMessage::DiskError, {"Orders"});
    EXPECT_EQ(ui.messages()[0].text,
              "File (Orders) could not be opened.  Error: database disk image is malformed (11).");
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Disk Error"});
}

TEST(ErrorInsert, UpdateErrorShowsNumberAndCause) {
    ScriptedUi ui;
    saveError(ErrorCode::RecordInUse, "Record Is Already Held");
    showStandardMessage(ui, StandardMessage::UpdateError, {"Customer"});
    EXPECT_EQ(ui.messages()[0].text,
              "An error (43) was experienced when attempting to update a record from the Customer file.  Probable "
              "Cause: Record Is Already Held.");
}

TEST(ErrorInsert, ChangeByAnotherStationHasItsOwnUpdateText) {
    ScriptedUi ui;
    saveError(ErrorCode::ChangedByOtherStation, "Record Changed By Another Station");
    showStandardMessage(ui, StandardMessage::UpdateError, {"Customer"});
    EXPECT_EQ(ui.messages()[0].caption, "Update Operation Error");
    EXPECT_EQ(ui.messages()[0].text, "This record was changed by another station.");
}

TEST(ErrorInsert, IsClearedAfterUseSoTheNextMessageShowsNoStaleError) {
    ScriptedUi ui;
    saveError(ErrorCode::DuplicateKey, "Creates Duplicate Key");
    showStandardMessage(ui, StandardMessage::InsertError);
    showStandardMessage(ui, StandardMessage::InsertError);
    EXPECT_EQ(ui.messages()[0].text,
              "An error was experienced during the update of record.  Error: Creates Duplicate Key (40).");
    EXPECT_EQ(ui.messages()[1].text, "An error was experienced during the update of record.  Error: .");
}

TEST(ErrorInsert, SavedErrorIsPerThread) {
    saveError(ErrorCode::FileLocked, "File Is Locked");
    bool otherThreadSawIt = true;
    std::thread t([&] { otherThreadSawIt = savedError().isSet(); });
    t.join();
    EXPECT_FALSE(otherThreadSawIt);
    EXPECT_EQ(savedError().insert(), "File Is Locked (32)");
    clearSavedError();
}

}  // namespace
}  // namespace quay::core
