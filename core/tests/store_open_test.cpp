// File-level calls: create, open (shared and exclusive, within one process), close,
// remove, build keys, and what an open finds wrong with a data set: a missing table,
// a stored layout that differs from the program's, missing or altered indexes, a file
// that is not a database at all.
#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "store_test_support.h"

namespace quay::core::testing {
namespace {

// Runs SQL straight against the data set, as damage from outside would.
void rawSql(const std::string& dir, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((dir + "/billquay.sqlite3").c_str(), &db), SQLITE_OK);
    char* err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

class TableFile : public ::testing::Test {
protected:
    void SetUp() override { m_db = std::make_unique<Database>(m_dir.path()); }
    TempDir m_dir;
    std::unique_ptr<Database> m_db;
};

TEST_F(TableFile, OpenOfAMissingTableGivesFileNotFoundUntilCreated) {
    Handle<Part> parts(*m_db);
    EXPECT_EQ(parts.open(), ErrorCode::FileNotFound);
    EXPECT_FALSE(parts.isOpen());
    ASSERT_EQ(parts.create(), ErrorCode::None);
    EXPECT_FALSE(parts.isOpen());  // create makes the file; it does not open it
    ASSERT_EQ(parts.open(), ErrorCode::None);
    EXPECT_TRUE(parts.isOpen());
    EXPECT_EQ(parts.records(), 0);
    EXPECT_EQ(parts.fileName(), "parts.tps");
}

TEST_F(TableFile, OpenOfAnOpenHandleGivesAlreadyOpenAndStaysOpen) {
    Handle<Part> parts(*m_db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    EXPECT_EQ(parts.open(), ErrorCode::AlreadyOpen);
    EXPECT_TRUE(parts.isOpen());
    EXPECT_EQ(parts.close(), ErrorCode::None);
    EXPECT_EQ(parts.close(), ErrorCode::FileNotOpen);
}

TEST_F(TableFile, CreateOfAnExistingMatchingTableKeepsItsRecords) {
    Handle<Part> parts(*m_db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    parts.clear();
    parts.rec.Id = 1;
    ASSERT_EQ(parts.add(), ErrorCode::None);
    EXPECT_EQ(parts.create(), ErrorCode::None);
    EXPECT_EQ(parts.records(), 1);
}

TEST_F(TableFile, HandlesNamingOneFileShareOneTable) {
    Handle<Part> parts(*m_db);
    Handle<Part> ref(*m_db, Part::refDesc());
    ASSERT_EQ(parts.create(), ErrorCode::None);
    EXPECT_EQ(ref.open(), ErrorCode::None);  // created through the other handle
    EXPECT_EQ(ref.create(), ErrorCode::None);
}

TEST_F(TableFile, RemoveDropsTheTableAndItsRecords) {
    Handle<Part> parts(*m_db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    parts.clear();
    ASSERT_EQ(parts.add(), ErrorCode::None);
    EXPECT_EQ(parts.remove(), ErrorCode::AccessDenied);  // still open on this handle
    ASSERT_EQ(parts.close(), ErrorCode::None);
    ASSERT_EQ(parts.remove(), ErrorCode::None);
    EXPECT_EQ(parts.open(), ErrorCode::FileNotFound);
    EXPECT_EQ(parts.remove(), ErrorCode::FileNotFound);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    EXPECT_EQ(parts.records(), 0);
}

using OpenModes = TableFile;

TEST_F(OpenModes, ExclusiveOpenIsRefusedWhileAnotherHandleHoldsTheTable) {
    Handle<Part> a(*m_db);
    Handle<Part> b(*m_db, Part::refDesc());
    ASSERT_EQ(a.create(), ErrorCode::None);
    ASSERT_EQ(a.open(OpenMode::Shared), ErrorCode::None);
    EXPECT_EQ(b.open(OpenMode::Exclusive), ErrorCode::AccessDenied);
    EXPECT_FALSE(b.isOpen());
    ASSERT_EQ(a.close(), ErrorCode::None);
    EXPECT_EQ(b.open(OpenMode::Exclusive), ErrorCode::None);
}

TEST_F(OpenModes, SharedOpenWhileHeldExclusivelyGivesFileLocked) {
    Handle<Part> a(*m_db);
    Handle<Part> b(*m_db, Part::refDesc());
    ASSERT_EQ(a.create(), ErrorCode::None);
    ASSERT_EQ(a.open(OpenMode::Exclusive), ErrorCode::None);
    EXPECT_EQ(b.open(OpenMode::Shared), ErrorCode::FileLocked);
    EXPECT_EQ(b.open(OpenMode::Exclusive), ErrorCode::AccessDenied);
    EXPECT_EQ(b.remove(), ErrorCode::AccessDenied);
    ASSERT_EQ(a.close(), ErrorCode::None);
    EXPECT_EQ(b.open(OpenMode::Shared), ErrorCode::None);
}

TEST_F(OpenModes, RecoverWaitsForAnExclusiveHolderToClose) {
    Handle<Part> a(*m_db);
    Handle<Part> b(*m_db, Part::refDesc());
    ASSERT_EQ(a.create(), ErrorCode::None);
    ASSERT_EQ(a.open(OpenMode::Exclusive), ErrorCode::None);
    ASSERT_EQ(b.open(), ErrorCode::FileLocked);
    ASSERT_EQ(b.send("Recover=10"), ErrorCode::None);
    // The lock lives in the kernel, so another thread can drop it while b waits.
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        a.close();
    });
    EXPECT_EQ(b.open(), ErrorCode::None);
    closer.join();
}

TEST_F(OpenModes, RecoverAppliesToOneOpenOnly) {
    Handle<Part> a(*m_db);
    Handle<Part> b(*m_db, Part::refDesc());
    ASSERT_EQ(a.create(), ErrorCode::None);
    ASSERT_EQ(a.open(OpenMode::Exclusive), ErrorCode::None);
    ASSERT_EQ(b.send("Recover=1"), ErrorCode::None);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(b.open(), ErrorCode::FileLocked);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    EXPECT_EQ(b.open(), ErrorCode::FileLocked);  // the next open does not wait again
}

using LayoutCheck = TableFile;

TEST_F(LayoutCheck, OpenWithADifferentLayoutGivesLayoutMismatch) {
    Handle<Part> parts(*m_db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    // columns: what the program now declares differently
    for (int variant = 0; variant < 4; ++variant) {
        SCOPED_TRACE(variant);
        TableDesc changed = makePartDesc("Parts", "parts.tps");
        switch (variant) {
        case 0: changed.fields[1].size = 30; break;               // longer name
        case 1: changed.fields[3].places = 4; break;              // price to 4 places
        case 2: changed.fields[4].type = FieldType::Long; break;  // byte became long
        case 3:
            changed.fields.push_back(changed.fields[0]);
            changed.fields.back().name = "Extra";
            break;
        }
        Handle<Part> other(*m_db, changed);
        EXPECT_EQ(other.open(), ErrorCode::LayoutMismatch);
        EXPECT_FALSE(other.isOpen());
        EXPECT_EQ(other.create(), ErrorCode::LayoutMismatch);
    }
    EXPECT_EQ(parts.open(), ErrorCode::None);  // the stored table is untouched
}

TEST_F(LayoutCheck, FieldNamesDifferingOnlyInCaseAreTheSameLayout) {
    Handle<Part> parts(*m_db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    TableDesc upper = makePartDesc("Parts", "PARTS.TPS");
    for (FieldDesc& f : upper.fields)
        for (char& c : f.name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Handle<Part> other(*m_db, upper);
    EXPECT_EQ(other.open(), ErrorCode::None);
}

TEST_F(LayoutCheck, ATableWithoutStoredLayoutGivesLayoutMismatch) {
    { Database touch(m_dir.path()); }
    rawSql(m_dir.path(), "CREATE TABLE parts (x INTEGER)");
    Handle<Part> parts(*m_db);
    EXPECT_EQ(parts.open(), ErrorCode::LayoutMismatch);
}

using KeyRebuild = TableFile;

TEST_F(KeyRebuild, MissingOrAlteredOrForeignIndexGivesInvalidKeyFileUntilRebuilt) {
    // SQL applied from outside, damage it does
    const char* damage[] = {
        "DROP INDEX parts__byname",                                              // missing
        "DROP INDEX parts__byid; CREATE INDEX parts__byid ON parts (Id)",        // no longer unique
        "DROP INDEX parts__bycode; CREATE INDEX parts__bycode ON parts (Code)",  // neither optional nor unique
        "CREATE INDEX stray ON parts (Price)",                                   // not a key
    };
    Handle<Part> parts(*m_db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    for (int i = 1; i <= 3; ++i) {
        parts.clear();
        parts.rec.Id = i;
        setText(parts.rec.Name, "n" + std::to_string(i));
        ASSERT_EQ(parts.add(), ErrorCode::None);
    }
    ASSERT_EQ(parts.close(), ErrorCode::None);
    for (const char* sql : damage) {
        SCOPED_TRACE(sql);
        rawSql(m_dir.path(), sql);
        EXPECT_EQ(parts.open(), ErrorCode::InvalidKeyFile);
        EXPECT_FALSE(parts.isOpen());
        ASSERT_EQ(parts.buildKeys(), ErrorCode::None);
        ASSERT_EQ(parts.open(), ErrorCode::None);
        EXPECT_EQ(parts.records(), 3);
        parts.clear();
        parts.rec.Id = 2;
        EXPECT_EQ(parts.add(), ErrorCode::DuplicateKey);  // the unique key works again
        ASSERT_EQ(parts.close(), ErrorCode::None);
    }
}

TEST_F(KeyRebuild, RebuildOverRecordsBreakingAUniqueKeyGivesDuplicateKeyAndChangesNothing) {
    Handle<Part> parts(*m_db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    rawSql(m_dir.path(), "DROP INDEX parts__byid; INSERT INTO parts (_rowversion, Id) VALUES (1, 5), (2, 5)");
    EXPECT_EQ(parts.buildKeys(), ErrorCode::DuplicateKey);
    EXPECT_EQ(parts.open(), ErrorCode::InvalidKeyFile);  // still missing; the records are kept
    rawSql(m_dir.path(), "DELETE FROM parts WHERE _rowversion = 2");
    EXPECT_EQ(parts.buildKeys(), ErrorCode::None);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    EXPECT_EQ(parts.records(), 1);
}

TEST_F(KeyRebuild, RebuildIsRefusedWhileAnotherHandleHoldsTheTable) {
    Handle<Part> parts(*m_db);
    Handle<Part> other(*m_db, Part::refDesc());
    ASSERT_EQ(parts.create(), ErrorCode::None);
    ASSERT_EQ(other.open(), ErrorCode::None);
    EXPECT_EQ(parts.buildKeys(), ErrorCode::AccessDenied);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    EXPECT_EQ(parts.buildKeys(), ErrorCode::AccessDenied);  // still shared with `other`
    ASSERT_EQ(other.close(), ErrorCode::None);
    EXPECT_EQ(parts.buildKeys(), ErrorCode::None);                        // its own shared open is no obstacle
    EXPECT_EQ(other.open(OpenMode::Exclusive), ErrorCode::AccessDenied);  // and it still holds it
    EXPECT_EQ(parts.buildKeys(), ErrorCode::None);
}

TEST_F(KeyRebuild, RebuildOfAMissingTableGivesFileNotFound) {
    Handle<Part> parts(*m_db);
    EXPECT_EQ(parts.buildKeys(), ErrorCode::FileNotFound);
}

TEST(DataSetOpen, AFileThatIsNotADatabaseGivesADriverError) {
    TempDir dir;
    {
        std::ofstream junk(dir.path() + "/billquay.sqlite3", std::ios::binary);
        junk << std::string(8192, 'J');
    }
    Database db(dir.path());
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.lastError(), ErrorCode::DriverError);
    EXPECT_EQ(db.driverErrorCode(), SQLITE_NOTADB);
    EXPECT_NE(db.driverErrorText().find("not a database"), std::string::npos);

    Handle<Part> parts(db);
    EXPECT_EQ(parts.create(), ErrorCode::DriverError);
    EXPECT_EQ(parts.open(), ErrorCode::DriverError);
    EXPECT_EQ(parts.errorText(), db.driverErrorText());
    std::ifstream still(dir.path() + "/billquay.sqlite3", std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(still)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, std::string(8192, 'J'));  // the file is left as it was
}

TEST(DataSetOpen, AMissingDirectoryGivesFileNotFound) {
    Database db("/nonexistent/quay/data");
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(db.lastError(), ErrorCode::FileNotFound);
}

TEST(DataSetOpen, ANewDataSetIsInWalMode) {
    TempDir dir;
    {
        Database db(dir.path());
        ASSERT_TRUE(db.isOpen());
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open((dir.path() + "/billquay.sqlite3").c_str(), &raw), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(raw, "PRAGMA journal_mode", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal");
    sqlite3_finalize(stmt);
    sqlite3_close(raw);
}

}  // namespace
}  // namespace quay::core::testing
