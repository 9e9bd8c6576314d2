// Files the record store makes in a data directory: in a group-writable directory
// (the set-up for several operating-system accounts sharing one data set) the
// database, its journal and shared-memory files and the lock file take the
// directory's group and group write permission whatever the creating account's
// umask; elsewhere the umask stands. Also the fault hook of the store: the nth
// write or commit fails and changes nothing.
#include <sys/stat.h>
#include <sys/types.h>

#include "quay/store/store_faults.h"
#include "store_test_support.h"

namespace quay::core::testing {
namespace {

// Holds a umask for one test.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_old); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_old;
};

struct stat statOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

// Makes the data set with one table open and one record written, so that every file
// of a running data set exists.
void useDataSet(const std::string& dir, Database& db) {
    ASSERT_TRUE(db.isOpen()) << db.driverErrorText();
    Handle<Part> parts(db);
    ASSERT_EQ(parts.create(), ErrorCode::None);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    parts.clear();
    parts.rec.Id = 1;
    ASSERT_EQ(parts.add(), ErrorCode::None);
    (void)dir;
}

const char* const kDataSetFiles[] = {"billquay.sqlite3", "billquay.sqlite3-wal", "billquay.sqlite3-shm",
                                     "billquay.locks"};

TEST(StoreSharing, GroupWritableDirectoryGivesNewFilesItsGroupAndGroupWrite) {
    ScopedUmask mask(022);
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 02770), 0);
    const gid_t group = statOf(dir.path()).st_gid;
    Database db(dir.path());
    useDataSet(dir.path(), db);
    for (const char* name : kDataSetFiles) {
        SCOPED_TRACE(name);
        const struct stat st = statOf(dir.path() + "/" + name);
        EXPECT_EQ(st.st_gid, group);
        EXPECT_NE(st.st_mode & S_IWGRP, 0u);
        EXPECT_NE(st.st_mode & S_IRGRP, 0u);
        EXPECT_EQ(st.st_mode & S_IWOTH, 0u);  // sharing with the group opens nothing to others
    }
}

TEST(StoreSharing, PrivateDirectoryKeepsTheUmask) {
    ScopedUmask mask(022);
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    Database db(dir.path());
    useDataSet(dir.path(), db);
    for (const char* name : kDataSetFiles) {
        SCOPED_TRACE(name);
        EXPECT_EQ(statOf(dir.path() + "/" + name).st_mode & 0777, 0644u);
    }
}

TEST(StoreSharing, ExistingDataSetIsOpenedWithoutChangingItsFiles) {
    TempDir dir;
    {
        ScopedUmask mask(077);
        Database db(dir.path());
        useDataSet(dir.path(), db);
    }
    ASSERT_EQ(::chmod(dir.path().c_str(), 02770), 0);
    ScopedUmask mask(022);
    Database again(dir.path());
    ASSERT_TRUE(again.isOpen());
    // Another account's files are not ours to widen.
    EXPECT_EQ(statOf(dir.path() + "/billquay.sqlite3").st_mode & 0777, 0600u);
    Handle<Part> parts(again);
    ASSERT_EQ(parts.open(), ErrorCode::None);
    parts.rec.Id = 1;
    EXPECT_EQ(parts.get(kById), ErrorCode::None);
}

// --- the fault hook -----------------------------------------------------------------

class StoreFaultHook : public StoreTest {
protected:
    void TearDown() override {
        StoreFaults::disarm();
        StoreTest::TearDown();
    }
    std::int64_t count() { return m_parts->records(); }
};

TEST_F(StoreFaultHook, NthWriteFailsAndWritesNothing) {
    StoreFaults::failNth(2);
    EXPECT_EQ(addPart(1, "Bolt"), ErrorCode::None);
    EXPECT_EQ(addPart(2, "Nut"), ErrorCode::DriverError);
    EXPECT_EQ(m_parts->driverErrorText(), StoreFaults::kInjectedText);
    EXPECT_TRUE(StoreFaults::fired());
    EXPECT_EQ(StoreFaults::lastFault(), "add Parts");
    EXPECT_EQ(count(), 1);
    // The hook fires once and disarms itself.
    EXPECT_EQ(addPart(2, "Nut"), ErrorCode::None);
    EXPECT_EQ(count(), 2);
}

TEST_F(StoreFaultHook, PutAndEraseCountAsWrites) {
    ASSERT_EQ(addPart(1, "Bolt"), ErrorCode::None);
    StoreFaults::failNth(1);
    setText(m_parts->rec.Name, "Washer");
    EXPECT_EQ(m_parts->put(), ErrorCode::DriverError);
    EXPECT_EQ(StoreFaults::lastFault(), "put Parts");
    StoreFaults::failNth(1);
    EXPECT_EQ(m_parts->erase(), ErrorCode::DriverError);
    EXPECT_EQ(StoreFaults::lastFault(), "erase Parts");
    m_parts->rec.Id = 1;
    ASSERT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(std::string(m_parts->rec.Name, 4), "Bolt");
}

TEST_F(StoreFaultHook, FailedCommitKeepsNothingOfTheTransaction) {
    ASSERT_EQ(addPart(1, "Bolt"), ErrorCode::None);
    Transaction tx(*m_db, {m_parts.get()});
    ASSERT_EQ(tx.begin(), ErrorCode::None);
    ASSERT_EQ(addPart(2, "Nut"), ErrorCode::None);
    StoreFaults::failNth(1);
    EXPECT_EQ(tx.commit(), ErrorCode::DriverError);
    EXPECT_EQ(StoreFaults::lastFault(), "commit");
    EXPECT_FALSE(m_db->inTransaction());
    EXPECT_EQ(count(), 1);
}

}  // namespace
}  // namespace quay::core::testing
