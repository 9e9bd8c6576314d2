// The table-open routine through every branch (driven by a file whose calls return
// scripted codes, and on real tables in a fresh data directory), and the use
// counters that the table access keeps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include "quay/app/last_error.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_access.h"
#include "quay/app/table_open.h"
#include "quay/app/use_counters.h"
#include "quay/store/database.h"
#include "quay/tables/customer.h"
#include "quay/tables/groups.h"
#include "quay/tables/registry.h"

namespace quay::core {
namespace {

// A table file whose calls return the codes queued for them and log what was called.
class ScriptedFile : public OpenableFile {
public:
    std::deque<ErrorCode> opens, creates, rebuilds;
    std::vector<std::string> calls;
    ErrorCode last = ErrorCode::None;

    ErrorCode open(OpenMode) override { return take(opens, "open"); }
    ErrorCode create() override { return take(creates, "create"); }
    ErrorCode buildKeys() override { return take(rebuilds, "buildKeys"); }
    ErrorCode send(std::string_view command) override {
        calls.push_back("send " + std::string(command));
        return ErrorCode::None;
    }
    std::string name() const override { return "Customer"; }
    void saveLastError() const override { saveError(last, errorCodeText(last)); }

private:
    ErrorCode take(std::deque<ErrorCode>& q, const char* what) {
        calls.emplace_back(what);
        last = q.empty() ? ErrorCode::None : q.front();
        if (!q.empty()) q.pop_front();
        return last;
    }
};

using Calls = std::vector<std::string>;

TEST(OpenRoutine, OpenTableNeedsNothingMore) {
    for (ErrorCode ok : {ErrorCode::None, ErrorCode::AlreadyOpen}) {
        ScriptedUi ui;
        ScriptedFile f;
        f.opens = {ok};
        EXPECT_EQ(openTable(ui, f), OpenOutcome::Opened);
        EXPECT_EQ(f.calls, Calls{"open"});
        EXPECT_TRUE(ui.messages().empty());
    }
}

TEST(OpenRoutine, LockedFileOpensAfterRecoverWithoutAMessage) {
    ScriptedUi ui;
    ScriptedFile f;
    f.opens = {ErrorCode::FileLocked, ErrorCode::None};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::Opened);
    EXPECT_EQ(f.calls, (Calls{"open", "send Recover=10", "open"}));
    EXPECT_TRUE(ui.messages().empty());
}

TEST(OpenRoutine, FileStillLockedAfterRecoverIsADiskError) {
    ScriptedUi ui;
    ScriptedFile f;
    f.opens = {ErrorCode::FileLocked, ErrorCode::FileLocked};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::ProgramEnded);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "File Access Error");
    EXPECT_EQ(ui.messages()[0].text, "File (Customer) could not be opened.  Error: File Locked (32).");
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Disk Error"});
}

TEST(OpenRoutine, MissingFileIsCreatedAndOpenedSilently) {
    ScriptedUi ui;
    ScriptedFile f;
    f.opens = {ErrorCode::FileNotFound, ErrorCode::None};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::Opened);
    EXPECT_EQ(f.calls, (Calls{"open", "create", "open"}));
    EXPECT_TRUE(ui.messages().empty());
}

TEST(OpenRoutine, MissingFileWhereCreationIsNotAllowedEndsTheProgram) {
    ScriptedUi ui;
    ScriptedFile f;
    f.opens = {ErrorCode::FileNotFound};
    EXPECT_EQ(openTable(ui, f, false), OpenOutcome::ProgramEnded);
    EXPECT_EQ(f.calls, Calls{"open"});
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "File Creation Not Allowed");
    EXPECT_EQ(ui.messages()[0].text,
              "The File Customer was not found, and creation of the file is not allowed.  Press OK to end this "
              "application.");
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"File Creation Error!"});
}

TEST(OpenRoutine, FailedCreationOrFailedOpenOfTheCreatedFileEndsTheProgram) {
    {
        ScriptedUi ui;
        ScriptedFile f;
        f.opens = {ErrorCode::FileNotFound};
        f.creates = {ErrorCode::AccessDenied};
        EXPECT_EQ(openTable(ui, f), OpenOutcome::ProgramEnded);
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].text,
                  "Error: (Access Denied (5)) creating Customer.  Press OK to end this application.");
        EXPECT_EQ(ui.endings(), std::vector<std::string>{"File Creation Error!"});
    }
    {
        ScriptedUi ui;
        ScriptedFile f;
        f.opens = {ErrorCode::FileNotFound, ErrorCode::AccessDenied};
        EXPECT_EQ(openTable(ui, f), OpenOutcome::ProgramEnded);
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].text,
                  "Error: (Access Denied (5)) opening created file:Customer.  Press OK to end this application.");
        EXPECT_EQ(ui.endings(), std::vector<std::string>{"File Creation Error!"});
    }
}

TEST(OpenRoutine, InvalidKeysAreRebuiltOnYesAndTheTableOpened) {
    ScriptedUi ui;
    ui.answer(Button::Yes);
    ScriptedFile f;
    f.opens = {ErrorCode::InvalidKeyFile, ErrorCode::None};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::Opened);
    EXPECT_EQ(f.calls, (Calls{"open", "buildKeys", "open"}));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Invalid Key");
    EXPECT_EQ(ui.messages()[0].text, "Customer key file is invalid.  Do you want to rebuild the key?");
    EXPECT_EQ(ui.messages()[0].icon, Icon::Question);
    EXPECT_FALSE(ui.programEnded());
}

TEST(OpenRoutine, NoToTheRebuildEndsWithInvalidKey) {
    ScriptedUi ui;
    ui.answer(Button::No);
    ScriptedFile f;
    f.opens = {ErrorCode::InvalidKeyFile};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::ProgramEnded);
    EXPECT_EQ(f.calls, Calls{"open"});
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Invalid Key!"});
}

TEST(OpenRoutine, FailedRebuildEndsWithErrorRebuildingKey) {
    ScriptedUi ui;
    ui.answer(Button::Yes);
    ScriptedFile f;
    f.opens = {ErrorCode::InvalidKeyFile};
    f.rebuilds = {ErrorCode::DriverError};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::ProgramEnded);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].caption, "Key Rebuild Error");
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Error Rebuilding Key!"});
}

TEST(OpenRoutine, KeysStillInvalidAfterARebuildAreNotOfferedAgain) {
    ScriptedUi ui;
    ui.answer(Button::Yes);
    ScriptedFile f;
    f.opens = {ErrorCode::InvalidKeyFile, ErrorCode::InvalidKeyFile};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::ProgramEnded);
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Invalid Key", "File Access Error"}));
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Disk Error"});
}

TEST(OpenRoutine, LayoutMismatchIsAnInvalidFile) {
    ScriptedUi ui;
    ScriptedFile f;
    f.opens = {ErrorCode::LayoutMismatch};
    EXPECT_EQ(openTable(ui, f), OpenOutcome::ProgramEnded);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Invalid File");
    EXPECT_EQ(ui.messages()[0].text,
              "Error: (Layout Mismatch (47)) accessing Customer.  Press OK to end this application.");
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Invalid File!"});
}

// --- on real tables ---

class OpenOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/quay-open-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    // Runs SQL on the data set through a connection of its own, as a damaged file or
    // an outside tool would leave it.
    void sql(const std::string& text) {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open((m_dir + "/billquay.sqlite3").c_str(), &raw), SQLITE_OK);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(raw, text.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
        sqlite3_close(raw);
    }
    void storeGroup(Database& db, const char* name) {
        ScriptedUi quiet;
        HeldTable<Groups> grp(db, quiet);
        ASSERT_TRUE(grp.isOpen());
        grp.handle.clear();
        grp.rec().GROUP = name;
        ASSERT_EQ(grp.handle.add(), ErrorCode::None);
    }
    std::string m_dir;
};

TEST_F(OpenOnDisk, FirstOpenCreatesTheTableSilentlyAndItKeepsItsRecords) {
    ScriptedUi ui;
    {
        Database db(m_dir);
        HeldTable<Groups> grp(db, ui);
        ASSERT_TRUE(grp.isOpen());
        grp.handle.clear();
        grp.rec().GROUP = "Hardware";
        grp.rec().ACTIVE = 1;
        ASSERT_EQ(grp.handle.add(), ErrorCode::None);
    }
    Database db(m_dir);
    HeldTable<Groups> grp(db, ui, false);
    ASSERT_TRUE(grp.isOpen());
    EXPECT_EQ(grp.handle.records(), 1);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_FALSE(ui.programEnded());
}

TEST_F(OpenOnDisk, MissingTableWithoutCreationLeavesNothingCountedOrOpen) {
    ScriptedUi ui;
    Database db(m_dir);
    HeldTable<Customer> cus(db, ui, false);
    EXPECT_FALSE(cus.isOpen());
    EXPECT_FALSE(cus.handle.isOpen());
    EXPECT_EQ(UseCounters::count("Customer"), 0);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"File Creation Not Allowed"});
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"File Creation Error!"});
}

TEST_F(OpenOnDisk, UseCountFollowsTheHoldersAndClosesWithTheLast) {
    ScriptedUi ui;
    Database db(m_dir);
    EXPECT_EQ(UseCounters::count("Customer"), 0);
    {
        HeldTable<Customer> first(db, ui);
        ASSERT_TRUE(first.isOpen());
        EXPECT_EQ(UseCounters::count("Customer"), 1);
        {
            HeldTable<Customer> second(db, ui);
            ASSERT_TRUE(second.isOpen());
            EXPECT_EQ(UseCounters::count("Customer"), 2);
        }
        EXPECT_EQ(UseCounters::count("Customer"), 1);
        EXPECT_TRUE(first.handle.isOpen());
        first.access.release();
        EXPECT_FALSE(first.handle.isOpen());
        EXPECT_EQ(UseCounters::count("Customer"), 0);
    }
    EXPECT_EQ(UseCounters::count("Customer"), 0);
    EXPECT_EQ(UseCounters::decrement("Customer"), 0) << "a count never goes below zero";
}

TEST_F(OpenOnDisk, DamagedKeysAreRebuiltOnYesAndTheRecordsKept) {
    {
        Database db(m_dir);
        storeGroup(db, "Tools");
        storeGroup(db, "Paint");
    }
    sql("DROP INDEX groups__bygroup;");
    ScriptedUi ui;
    ui.answer(Button::Yes);
    Database db(m_dir);
    HeldTable<Groups> grp(db, ui);
    ASSERT_TRUE(grp.isOpen());
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Invalid Key"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Groups key file is invalid.  Do you want to rebuild the key?"});
    grp.rec().GROUP = "paint";
    EXPECT_EQ(grp.handle.get(Groups::byGroup), ErrorCode::None) << "the rebuilt key finds the record";
    EXPECT_EQ(grp.handle.records(), 2);
}

TEST_F(OpenOnDisk, DamagedKeysAndNoToTheRebuildEndWithInvalidKey) {
    {
        Database db(m_dir);
        storeGroup(db, "Tools");
    }
    sql("DROP INDEX groups__bygroup;");
    ScriptedUi ui;
    ui.answer(Button::No);
    Database db(m_dir);
    HeldTable<Groups> grp(db, ui);
    EXPECT_FALSE(grp.isOpen());
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Invalid Key!"});
    EXPECT_EQ(UseCounters::count("Groups"), 0);
}

TEST_F(OpenOnDisk, TableOfAnotherLayoutIsAnInvalidFile) {
    {
        Database db(m_dir);
        storeGroup(db, "Tools");
    }
    sql("UPDATE quay_layout SET layout = 'from another program' WHERE sql_table = 'groups';");
    ScriptedUi ui;
    Database db(m_dir);
    HeldTable<Groups> grp(db, ui);
    EXPECT_FALSE(grp.isOpen());
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Invalid File"});
    EXPECT_EQ(ui.endings(), std::vector<std::string>{"Invalid File!"});
}

TEST_F(OpenOnDisk, TableHeldExclusivelyOpensOnceReleasedWithinTheRecoverTime) {
    ScriptedUi ui;
    Database db(m_dir);
    storeGroup(db, "Tools");
    Database otherStation(m_dir);
    Handle<Groups> exclusive(otherStation);
    ASSERT_EQ(exclusive.open(OpenMode::Exclusive), ErrorCode::None);
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        exclusive.close();
    });
    HeldTable<Groups> grp(db, ui);
    releaser.join();
    EXPECT_TRUE(grp.isOpen());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_FALSE(ui.programEnded());
}

// Eight stations started at once on a new, empty data directory: each opens every
// table through the open routine, so they all try to create the same tables at the
// same moment. Every one of them must end up with every table open, and no station
// may be stopped by "File Creation Error".
TEST(OpenRoutineStations, EightStationsOpeningAFreshDataSetAtOnceAllSucceed) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quay-open-stations-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::string dir = pattern;
    constexpr int kStations = 8;
    std::vector<pid_t> pids;
    for (int s = 0; s < kStations; ++s) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            Database db(dir);
            ScriptedUi ui;
            std::vector<std::unique_ptr<std::max_align_t[]>> buffers;
            std::vector<std::unique_ptr<Table>> handles;
            int opened = 0;
            for (const TableDesc* desc : fileTables()) {
                buffers.push_back(
                    std::make_unique<std::max_align_t[]>(desc->recordSize / sizeof(std::max_align_t) + 1));
                handles.push_back(std::make_unique<Table>(db, *desc, buffers.back().get()));
                opened += openTable(ui, *handles.back()) == OpenOutcome::Opened ? 1 : 0;
            }
            for (const auto& m : ui.messages()) std::fprintf(stderr, "station %d: %s\n", s, m.text.c_str());
            ::_exit(opened == static_cast<int>(fileTables().size()) && !ui.programEnded() ? 0 : 1);
        }
        pids.push_back(pid);
    }
    int succeeded = 0;
    for (const pid_t pid : pids) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        succeeded += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
    }
    EXPECT_EQ(succeeded, kStations);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

}  // namespace
}  // namespace quay::core
