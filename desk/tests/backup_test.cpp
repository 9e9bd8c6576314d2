// Backup and restore: the all-files-free test against a window of this process and
// against another running copy of the program (a forked child holding a table), the
// gate's messages, and backup and restore compared record by record, with bad backup
// files refused and the data left as it was.
#include <sqlite3.h>
#include <sys/wait.h>

#include <fstream>
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "backup/backup_gate.h"
#include "backup/data_command_flow.h"
#include "backup/data_copy.h"
#include "backup/files_free.h"
#include "desk_test_support.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/use_counters.h"
#include "quay/tables/all_tables.h"
#include "quay/types/date.h"

namespace quay::desk {
namespace {

namespace fs = std::filesystem;
using core::Button;
using core::ErrorCode;

class BackupTest : public testing::DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        db = std::make_unique<core::Database>(dataDir().string());
        fillData(*db, "Harbour Supply", 3);
    }
    void TearDown() override {
        db.reset();
        DeskTest::TearDown();
    }
    // A company record and `customers` customers.
    static void fillData(core::Database& d, const std::string& company, int customers) {
        core::Handle<core::Defaults> def(d);
        def.create();
        ASSERT_EQ(def.open(), ErrorCode::None);
        def.clear();
        def.rec.COMPANYNUM = 1;
        def.rec.COMPANYNAME = company;
        def.rec.InvComments = "Thank you for your business.";
        ASSERT_EQ(def.add(), ErrorCode::None);
        core::Handle<core::Customer> cus(d);
        cus.create();
        ASSERT_EQ(cus.open(), ErrorCode::None);
        for (int i = 1; i <= customers; ++i) {
            cus.clear();
            cus.rec.Name = company + " customer " + std::to_string(i);
            cus.rec.CITY = "Salem";
            cus.rec.Active = 1;
            ASSERT_EQ(cus.add(), ErrorCode::None);
        }
    }
    core::DateTime moment() const { return {*core::dateFromCivil(2026, 12, 8), *core::timeFromClock(15, 30)}; }

    std::unique_ptr<core::Database> db;
};

TEST_F(BackupTest, AllFilesAreFreeWhenNothingHoldsATableAndMissingTablesCount) {
    const FilesFreeResult r = allFilesFree(*db);
    EXPECT_TRUE(r.free);
    // The test leaves every table closed.
    core::Handle<core::Customer> cus(*db);
    EXPECT_EQ(cus.open(core::OpenMode::Exclusive), ErrorCode::None);
}

TEST_F(BackupTest, TableHeldByAWindowOfThisProgramIsNotFree) {
    core::Handle<core::Products> held(*db);
    held.create();
    ASSERT_EQ(held.open(), ErrorCode::None);
    const FilesFreeResult r = allFilesFree(*db);
    EXPECT_FALSE(r.free);
    EXPECT_EQ(r.busyTable, "Products");
}

TEST_F(BackupTest, TableHeldByAnotherRunningCopyRefusesTheBackup) {
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Another workstation with an invoice open: it holds Orders until told to go.
        core::Database other(dataDir().string());
        core::Handle<core::Orders> orders(other);
        orders.create();
        const char ok = orders.open() == ErrorCode::None ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        char go;
        (void)!::read(release[0], &go, 1);
        orders.close();
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');

    core::ScriptedUi ui;
    DefaultsHold hold(*db, ui);
    ASSERT_TRUE(hold.hold());
    EXPECT_FALSE(confirmDataCommand(ui, *db, hold, DataCommand::Backup));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Request Cancelled, Files Open");
    EXPECT_EQ(ui.messages()[0].text, "Make sure all other users are out of Billquay.");
    EXPECT_EQ(ui.messages()[0].icon, core::Icon::Warning);
    EXPECT_TRUE(hold.isHeld());
    EXPECT_EQ(core::UseCounters::count("Defaults"), 1);

    (void)!::write(release[1], "g", 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));

    // With the other copy gone the same command goes ahead after the warning.
    ui.clearRecord();
    ui.answer(Button::Ok);
    EXPECT_TRUE(confirmDataCommand(ui, *db, hold, DataCommand::Backup));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Warning");
    EXPECT_EQ(ui.messages()[0].text,
              "Make sure and close all windows (customers, orders, invoice, products) before proceeding.||"
              "Failure to do this may result in a backup that is corrupt.  No other warning will be given.");
    EXPECT_TRUE(hold.isHeld());
}

// A scripted user who, while a message waits for an answer, looks at the data set
// as another station would.
class WatchingUi : public core::ScriptedUi {
public:
    std::function<void()> whileShown;
    Button message(std::string_view caption, std::string_view text, core::Icon icon, core::ButtonSet buttons,
                   Button defaultButton) override {
        if (whileShown) whileShown();
        return ScriptedUi::message(caption, text, icon, buttons, defaultButton);
    }
};

TEST_F(BackupTest, GateHoldsDefaultsAgainWhileItsMessageWaits) {
    for (const bool filesOpen : {false, true}) {
        SCOPED_TRACE(filesOpen ? "files open" : "files free");
        WatchingUi ui;
        DefaultsHold hold(*db, ui);
        ASSERT_TRUE(hold.hold());
        std::optional<core::UseHold> window;
        if (filesOpen) window.emplace("Customer");
        int shown = 0;
        ui.whileShown = [&] {
            ++shown;
            EXPECT_TRUE(hold.isHeld());
            // Another station's gate must find Defaults held now.
            core::Database other(dataDir().string());
            core::Handle<core::Defaults> probe(other);
            EXPECT_EQ(probe.open(core::OpenMode::Exclusive), ErrorCode::AccessDenied);
        };
        ui.answer(Button::Cancel);
        EXPECT_FALSE(confirmDataCommand(ui, *db, hold, DataCommand::Backup));
        EXPECT_EQ(shown, 1);
    }
}

TEST_F(BackupTest, TableCountedByAnOpenListWindowRefusesTheBackup) {
    core::ScriptedUi ui;
    DefaultsHold hold(*db, ui);
    {
        // A quote list between two pages holds no handle, only its count on Orders.
        core::UseHold list("Orders");
        const FilesFreeResult r = allFilesFree(*db);
        EXPECT_FALSE(r.free);
        EXPECT_EQ(r.busyTable, "Orders");
    }
    ASSERT_TRUE(hold.hold());
    {
        core::UseHold list("Orders");
        EXPECT_FALSE(confirmDataCommand(ui, *db, hold, DataCommand::Restore));
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].caption, "Request Cancelled, Files Open");
        EXPECT_EQ(ui.messages()[0].text, "Make sure all other users are out of Billquay.");
    }
    // Closed, the list no longer stands in the way.
    ui.clearRecord();
    ui.answer(Button::Ok);
    EXPECT_TRUE(confirmDataCommand(ui, *db, hold, DataCommand::Backup));
    EXPECT_EQ(ui.messages()[0].caption, "Warning");
}

TEST_F(BackupTest, RestoreWarningCanBeDeclined) {
    core::ScriptedUi ui;
    DefaultsHold hold(*db, ui);
    ASSERT_TRUE(hold.hold());
    ui.answer(Button::Cancel);
    EXPECT_FALSE(confirmDataCommand(ui, *db, hold, DataCommand::Restore));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text,
              "Make sure and close all windows (customers, orders, invoice, products) before proceeding.||"
              "Failure to do this may result in corrupt data being restored.  No other warning will be given.");
    EXPECT_TRUE(hold.isHeld());
}

TEST_F(BackupTest, BackupFileIsNamedByTheMinuteAndNeverOverwritten) {
    EXPECT_EQ(backupFileName(moment()), "billquay-2026-12-08-1530.bqbackup");
    const fs::path folder = root() / "backups";
    const DataCopyResult first = makeBackup(dataDir(), folder, moment());
    const DataCopyResult second = makeBackup(dataDir(), folder, moment());
    ASSERT_TRUE(first.ok) << first.message;
    ASSERT_TRUE(second.ok) << second.message;
    EXPECT_EQ(first.file.filename(), "billquay-2026-12-08-1530.bqbackup");
    EXPECT_EQ(second.file.filename(), "billquay-2026-12-08-1530-2.bqbackup");
    // Only finished files are left in the folder.
    int files = 0;
    for (const auto& e : fs::directory_iterator(folder)) {
        ++files;
        EXPECT_EQ(e.path().extension(), ".bqbackup");
    }
    EXPECT_EQ(files, 2);
}

TEST_F(BackupTest, BackupAndRestoreRoundTripRecordByRecord) {
    const fs::path folder = root() / "backups";
    const auto before = testing::dataSetRecords(dataDir());
    int progressCalls = 0;
    const DataCopyResult backup = makeBackup(dataDir(), folder, moment(), [&](int, int) { ++progressCalls; });
    ASSERT_TRUE(backup.ok) << backup.message;
    EXPECT_GT(progressCalls, 0);
    EXPECT_TRUE(checkBackup(backup.file).ok);

    // Work goes on after the backup: a customer deleted, another added.
    {
        core::Handle<core::Customer> cus(*db);
        ASSERT_EQ(cus.open(), ErrorCode::None);
        cus.rec.Name = "Harbour Supply customer 2";
        ASSERT_EQ(cus.get(core::Customer::byName), ErrorCode::None);
        ASSERT_EQ(cus.erase(), ErrorCode::None);
        cus.clear();
        cus.rec.Name = "Late Arrival Ltd";
        ASSERT_EQ(cus.add(), ErrorCode::None);
    }
    ASSERT_TRUE(testing::dataSetRecords(dataDir()) != before) << "the records are unchanged";
    const auto changed = testing::dataSetRecords(dataDir());

    const DataCopyResult restore = restoreBackup(dataDir(), backup.file, folder, moment());
    ASSERT_TRUE(restore.ok) << restore.message;
    EXPECT_TRUE(testing::dataSetRecords(dataDir()) == before) << "the records differ";
    // The program's own connection sees the restored data at once.
    core::Handle<core::Customer> cus(*db);
    ASSERT_EQ(cus.open(), ErrorCode::None);
    EXPECT_EQ(cus.records(), 3);
    cus.close();

    // The data as it was before the restore was kept beside the backups.
    const fs::path safety = folder / "billquay-2026-12-08-1530-before-restore.bqbackup";
    ASSERT_TRUE(fs::exists(safety));
    fs::path other = root() / "other";
    fs::create_directories(other);
    fs::copy_file(safety, other / kDataSetFile);
    EXPECT_TRUE(testing::dataSetRecords(other) == changed) << "the records differ";
}

TEST_F(BackupTest, BadBackupFilesAreRefusedAndTheDataStaysAsItWas) {
    const auto before = testing::dataSetRecords(dataDir());
    const fs::path folder = root() / "backups";
    fs::create_directories(folder);

    const fs::path text = folder / "notes.bqbackup";
    std::ofstream(text) << "this is a shopping list, not a backup\n";
    const fs::path empty = folder / "empty.bqbackup";
    std::ofstream(empty).close();
    // A sound SQLite database that is not a Billquay data set.
    const fs::path foreign = folder / "foreign.bqbackup";
    {
        sqlite3* f = nullptr;
        ASSERT_EQ(sqlite3_open(foreign.c_str(), &f), SQLITE_OK);
        sqlite3_exec(f, "CREATE TABLE recipes (name TEXT)", nullptr, nullptr, nullptr);
        sqlite3_close(f);
    }
    // A Billquay data set whose customer table has another layout.
    const fs::path otherLayout = folder / "older.bqbackup";
    {
        const DataCopyResult b = makeBackup(dataDir(), folder, moment());
        ASSERT_TRUE(b.ok);
        fs::rename(b.file, otherLayout);
        sqlite3* f = nullptr;
        ASSERT_EQ(sqlite3_open(otherLayout.c_str(), &f), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(f, "UPDATE quay_layout SET layout = 'v0' WHERE sql_table LIKE 'customer%'", nullptr,
                               nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(f);
    }
    // columns: file, a word the reason must contain
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {text, "not a Billquay backup"},
        {empty, "empty"},
        {foreign, "not a Billquay backup"},
        {otherLayout, "different version"},
        {folder / "missing.bqbackup", "does not exist"},
    };
    for (const auto& [file, reason] : cases) {
        SCOPED_TRACE(file.filename().string());
        const DataCopyResult r = restoreBackup(dataDir(), file, folder, moment());
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(reason), std::string::npos) << r.message;
        EXPECT_TRUE(testing::dataSetRecords(dataDir()) == before) << "the records differ";
    }
    // Refused restores keep no copy of the current data: nothing was about to change.
    EXPECT_FALSE(fs::exists(folder / "billquay-2026-12-08-1530-before-restore.bqbackup"));
}

TEST_F(BackupTest, BackupWithoutDataOrIntoAnUnwritableFolderSaysWhy) {
    const DataCopyResult none = makeBackup(root() / "empty-dir", root() / "b", moment());
    EXPECT_FALSE(none.ok);
    EXPECT_NE(none.message.find("There is no Billquay data"), std::string::npos);

    const fs::path blocker = root() / "a-file";
    std::ofstream(blocker) << "x";
    const DataCopyResult blocked = makeBackup(dataDir(), blocker / "sub", moment());
    EXPECT_FALSE(blocked.ok);
    EXPECT_NE(blocked.message.find("could not be made"), std::string::npos) << blocked.message;
}

TEST_F(BackupTest, RestoreCommandAsksBeforeReplacingAndReportsEachOutcome) {
    const fs::path folder = root() / "backups";
    const DataCopyResult backup = makeBackup(dataDir(), folder, moment());
    ASSERT_TRUE(backup.ok);
    // Work after the backup, which a restore would replace.
    {
        core::Handle<core::Customer> cus(*db);
        ASSERT_EQ(cus.open(), ErrorCode::None);
        cus.clear();
        cus.rec.Name = "Added After The Backup";
        ASSERT_EQ(cus.add(), ErrorCode::None);
    }
    const auto current = testing::dataSetRecords(dataDir());

    core::Settings settings(settingsFile());
    settings.write(kBackupSection, kBackupFolderKey, folder.string());
    fs::path offered;
    DataCommandServices services;
    fs::path chosen = backup.file;
    services.chooseBackupFile = [&](const fs::path& start) {
        offered = start;
        return std::optional<fs::path>(chosen);
    };
    core::ScriptedUi ui;
    DataCommandFlow flow(ui, settings, dataDir(), services);

    // No: nothing changes.
    ui.answer(Button::No);
    EXPECT_FALSE(flow.restore());
    EXPECT_EQ(offered, folder);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Restore Data");
    EXPECT_EQ(ui.messages()[0].defaultButton, Button::No);
    EXPECT_TRUE(testing::dataSetRecords(dataDir()) == current) << "the records differ";

    // A file that is no backup is refused before the question.
    ui.clearRecord();
    chosen = root() / "notes.bqbackup";
    std::ofstream(chosen) << "not a backup";
    EXPECT_FALSE(flow.restore());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Restore Refused");
    EXPECT_TRUE(testing::dataSetRecords(dataDir()) == current) << "the records differ";

    // Yes: the backup's data comes back.
    ui.clearRecord();
    chosen = backup.file;
    ui.answer(Button::Yes);
    EXPECT_TRUE(flow.restore());
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].caption, "Restore Complete");
    EXPECT_TRUE(testing::dataSetRecords(dataDir()) != current) << "the records are unchanged";
    core::Handle<core::Defaults> def(*db);
    ASSERT_EQ(def.open(), ErrorCode::None);
    EXPECT_EQ(def.records(), 1);
}

TEST_F(BackupTest, BackupCommandRemembersTheFolderAndSaysWhereTheFileWent) {
    core::Settings settings(settingsFile());
    const fs::path folder = root() / "my backups";
    DataCommandServices services;
    fs::path offered;
    services.chooseFolder = [&](const fs::path& start) {
        offered = start;
        return std::optional<fs::path>(folder);
    };
    core::ScriptedUi ui;
    DataCommandFlow flow(ui, settings, dataDir(), services);
    EXPECT_EQ(flow.backupFolder(), dataDir() / "backups");
    EXPECT_TRUE(flow.backup());
    EXPECT_EQ(offered, dataDir() / "backups");
    EXPECT_EQ(flow.backupFolder(), folder);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Backup Complete");
    EXPECT_NE(ui.messages()[0].text.find(folder.string()), std::string::npos);

    // A cancelled folder choice does nothing at all.
    ui.clearRecord();
    services.chooseFolder = [](const fs::path&) { return std::optional<fs::path>(); };
    DataCommandFlow cancelled(ui, settings, dataDir(), services);
    EXPECT_FALSE(cancelled.backup());
    EXPECT_TRUE(ui.messages().empty());
}

}  // namespace
}  // namespace quay::desk
