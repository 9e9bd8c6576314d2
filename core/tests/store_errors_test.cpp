// The store's codes as the program sees them: the translation of every engine result
// code the store knows (walking the translation table itself), the text of every
// code, and the driver text and code carried with a DriverError.
#include <sqlite3.h>

#include "sqlite_status.h"
#include "store_test_support.h"

namespace quay::core::testing {
namespace {

TEST(SqliteTranslation, EveryRowOfTheTableTranslatesAsListed) {
    const auto rows = detail::sqliteCodeMappings();
    ASSERT_FALSE(rows.empty());
    for (const detail::SqliteCodeMapping& row : rows) {
        SCOPED_TRACE(sqlite3_errstr(row.sqliteCode));
        EXPECT_EQ(detail::translateSqliteCode(row.sqliteCode), row.code);
    }
}

TEST(SqliteTranslation, ExtendedCodesFollowTheirPrimaryUnlessListedThemselves) {
    // engine code, store code
    const std::pair<int, ErrorCode> cases[] = {
        {SQLITE_BUSY_SNAPSHOT, ErrorCode::RecordInUse},
        {SQLITE_BUSY_TIMEOUT, ErrorCode::RecordInUse},
        {SQLITE_LOCKED_SHAREDCACHE, ErrorCode::RecordInUse},
        {SQLITE_CONSTRAINT_UNIQUE, ErrorCode::DuplicateKey},
        {SQLITE_CONSTRAINT_PRIMARYKEY, ErrorCode::DuplicateKey},
        {SQLITE_CONSTRAINT_NOTNULL, ErrorCode::DriverError},  // not a key clash
        {SQLITE_CONSTRAINT, ErrorCode::DriverError},
        {SQLITE_READONLY_DBMOVED, ErrorCode::AccessDenied},
        {SQLITE_CANTOPEN_ISDIR, ErrorCode::FileNotFound},
        {SQLITE_IOERR_WRITE, ErrorCode::DriverError},
        {SQLITE_CORRUPT, ErrorCode::DriverError},
        {SQLITE_NOTADB, ErrorCode::DriverError},
        {SQLITE_FULL, ErrorCode::DriverError},
        {SQLITE_NOMEM, ErrorCode::DriverError},
        {SQLITE_MISUSE, ErrorCode::DriverError},
        {SQLITE_DONE, ErrorCode::None},
    };
    for (const auto& [engine, store] : cases) {
        SCOPED_TRACE(engine);
        EXPECT_EQ(detail::translateSqliteCode(engine), store);
    }
}

TEST(ErrorText, EveryCodeHasItsOwnText) {
    // code, text the error insert shows
    const std::pair<ErrorCode, const char*> cases[] = {
        {ErrorCode::None, "No Error"},
        {ErrorCode::FileNotFound, "File Not Found"},
        {ErrorCode::AccessDenied, "Access Denied"},
        {ErrorCode::FileLocked, "File Locked"},
        {ErrorCode::RecordNotAvailable, "Record Not Available"},
        {ErrorCode::RecordNotFound, "Record Not Found"},
        {ErrorCode::FileNotOpen, "File Not Open"},
        {ErrorCode::DuplicateKey, "Duplicate Key"},
        {ErrorCode::RecordInUse, "Record In Use Elsewhere"},
        {ErrorCode::InvalidKeyFile, "Key File Invalid"},
        {ErrorCode::LayoutMismatch, "Layout Mismatch"},
        {ErrorCode::AlreadyOpen, "Already Open"},
        {ErrorCode::ChangedByOtherStation, "Changed By Another Station"},
        {ErrorCode::DriverError, "Driver Error"},
    };
    for (const auto& [code, text] : cases) {
        SCOPED_TRACE(static_cast<int>(code));
        EXPECT_STREQ(errorCodeText(code), text);
    }
}

using HandleErrors = StoreTest;

TEST_F(HandleErrors, LastErrorAndTextFollowEveryCall) {
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    m_parts->rec.Id = 9;
    EXPECT_EQ(m_parts->get(kById), ErrorCode::RecordNotFound);
    EXPECT_EQ(m_parts->lastError(), ErrorCode::RecordNotFound);
    EXPECT_EQ(m_parts->errorText(), "Record Not Found");
    EXPECT_EQ(m_parts->driverErrorCode(), 0);
    m_parts->rec.Id = 1;
    EXPECT_EQ(m_parts->get(kById), ErrorCode::None);
    EXPECT_EQ(m_parts->lastError(), ErrorCode::None);
}

TEST_F(HandleErrors, DuplicateKeyCarriesTheEngineTextAndCode) {
    ASSERT_EQ(addPart(1, "Nut"), ErrorCode::None);
    EXPECT_EQ(addPart(1, "Nut"), ErrorCode::DuplicateKey);
    EXPECT_EQ(m_parts->driverErrorCode(), SQLITE_CONSTRAINT_UNIQUE);
    EXPECT_NE(m_parts->driverErrorText().find("UNIQUE"), std::string::npos);
    EXPECT_EQ(m_parts->errorText(), "Duplicate Key");
}

TEST_F(HandleErrors, DriverErrorTextIsTheDriversOwn) {
    EXPECT_EQ(m_parts->send("BOGUS=1"), ErrorCode::DriverError);
    EXPECT_EQ(m_parts->errorText(), "unknown driver command: BOGUS=1");
    EXPECT_EQ(m_parts->errorText(), m_parts->driverErrorText());
}

}  // namespace
}  // namespace quay::core::testing
