// Runs the quay program as a user would and checks its exit status, its messages and the
// data it leaves behind.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out;  // standard output and standard error together
};

Outcome quay(const std::string& arguments) {
    Outcome r;
    const std::string command = std::string(QUAY_PROGRAM) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) r.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

// Every table's rows as text, table by table, for comparing two data sets.
std::map<std::string, std::string> tables(const fs::path& file) {
    std::map<std::string, std::string> out;
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    std::vector<std::string> names;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    for (const std::string& name : names) {
        std::string& rows = out[name];
        sqlite3_prepare_v2(db, ("SELECT * FROM \"" + name + "\" ORDER BY rowid").c_str(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char* t = sqlite3_column_text(st, c);
                rows += t ? reinterpret_cast<const char*>(t) : "<null>";
                rows += '|';
            }
            rows += '\n';
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

class QuayCli : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("quay_cli_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "data");
        const std::string sample = std::string(QUAYPRINT_PROGRAM) + " --sample " + (root / "data").string();
        ASSERT_EQ(std::system(sample.c_str()), 0);
    }
    void TearDown() override { fs::remove_all(root); }
    std::string data() const { return "--data " + (root / "data").string(); }
    fs::path root;
};

TEST_F(QuayCli, HelpAndUsageExitCodes) {
    Outcome help = quay("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Exit status: 0 done, 1 refused with a message, 2 bad usage."), std::string::npos);
    for (const char* command : {"report", "verify-ar", "backup", "restore"}) {
        Outcome r = quay(std::string(command) + " --help");
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_NE(r.out.find(std::string("usage: quay ") + command), std::string::npos) << r.out;
    }
    EXPECT_EQ(quay("").status, 2);
    Outcome unknown = quay("frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.out.find("unknown command frobnicate"), std::string::npos);
    EXPECT_EQ(quay(data() + " report SALESBYDATESELECT").status, 2);  // no output named
    EXPECT_EQ(quay(data() + " restore").status, 2);
}

TEST_F(QuayCli, ReportWritesTextForTheChosenDates) {
    const fs::path out = root / "sales.txt";
    Outcome r = quay(data() + " report SALESBYDATESELECT --from 2020-01-01 --to 2030-12-31 --text " + out.string());
    ASSERT_EQ(r.status, 0) << r.out;
    std::ifstream in(out);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Sales by Date"), std::string::npos);
    EXPECT_NE(text.find("01/01/2020 to 12/31/2030"), std::string::npos);

    Outcome badDate = quay(data() + " report SALESBYDATESELECT --from 1/1/2020 --text " + out.string());
    EXPECT_EQ(badDate.status, 2);
    EXPECT_NE(badDate.out.find("1/1/2020 is not a date (YYYY-MM-DD)"), std::string::npos);
    Outcome noReport = quay(data() + " report NOSUCHREPORT --text " + out.string());
    EXPECT_EQ(noReport.status, 1);
    EXPECT_NE(noReport.out.find("No report NOSUCHREPORT"), std::string::npos);
}

TEST_F(QuayCli, RefusesAMissingDataSetWithoutMakingOne) {
    const fs::path missing = root / "nowhere";
    Outcome r = quay("--data " + missing.string() + " verify-ar");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("No data set in"), std::string::npos);
    EXPECT_FALSE(fs::exists(missing / "billquay.sqlite3"));
    EXPECT_EQ(quay("--data " + missing.string() + " backup").status, 1);
}

TEST_F(QuayCli, BackupThenRestoreIntoAnEmptyDirectoryGivesEqualTables) {
    Outcome b = quay(data() + " backup --to " + (root / "backups").string());
    ASSERT_EQ(b.status, 0) << b.out;
    const std::string file = b.out.substr(b.out.rfind((root / "backups").string()));
    const fs::path backup = file.substr(0, file.find('\n'));
    ASSERT_TRUE(fs::exists(backup)) << backup;
    EXPECT_EQ(backup.extension(), ".bqbackup");

    Outcome r = quay("--data " + (root / "fresh").string() + " restore " + backup.string());
    ASSERT_EQ(r.status, 0) << r.out;
    const auto before = tables(root / "data" / "billquay.sqlite3");
    const auto after = tables(root / "fresh" / "billquay.sqlite3");
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(before, after);

    // A file that is no backup is refused and the data set stays as it was.
    std::ofstream(root / "junk.bqbackup") << "not a data set";
    Outcome junk = quay(data() + " restore " + (root / "junk.bqbackup").string());
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(tables(root / "data" / "billquay.sqlite3"), before);
}

TEST_F(QuayCli, VerifyArPrintsWhatItChanged) {
    Outcome r = quay(data() + " verify-ar");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Balances corrected: "), std::string::npos);
    EXPECT_NE(r.out.find("Charges deleted: 0"), std::string::npos);
}

}  // namespace

namespace {

TEST_F(QuayCli, BackupKeepsOnlyTheNewestDatedBackups) {
    const fs::path folder = root / "backups";
    fs::create_directories(folder);
    for (const char* old : {"billquay-2020-01-01-0900.bqbackup", "billquay-2020-01-02-0900.bqbackup",
                            "billquay-2020-01-03-0900-before-restore.bqbackup", "notes.txt"})
        std::ofstream(folder / old) << "old";
    Outcome r = quay(data() + " backup --to " + folder.string() + " --keep 2");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_FALSE(fs::exists(folder / "billquay-2020-01-01-0900.bqbackup"));
    EXPECT_TRUE(fs::exists(folder / "billquay-2020-01-02-0900.bqbackup"));
    EXPECT_TRUE(fs::exists(folder / "billquay-2020-01-03-0900-before-restore.bqbackup"));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));
    EXPECT_NE(r.out.find("Removed " + (folder / "billquay-2020-01-01-0900.bqbackup").string()), std::string::npos);

    Outcome bad = quay(data() + " backup --to " + folder.string() + " --keep 0");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(fs::exists(folder / "billquay-2020-01-02-0900.bqbackup"));
}

}  // namespace
