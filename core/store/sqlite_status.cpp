// The engine-code translation table. Success codes map to None; a busy or locked data
// set means another station's write holds it (RecordInUse); uniqueness violations are
// DuplicateKey; refused permissions are AccessDenied; a file that cannot be opened is
// FileNotFound. Everything else (I/O, corruption, "not a database", out of memory,
// misuse) is a DriverError whose text and code the caller shows.
#include "sqlite_status.h"

#include <array>

#include <sqlite3.h>

namespace quay::core::detail {

namespace {

constexpr std::array kMappings{
    // engine code,                 extended?, store code
    SqliteCodeMapping{SQLITE_CONSTRAINT_UNIQUE, true, ErrorCode::DuplicateKey},
    SqliteCodeMapping{SQLITE_CONSTRAINT_PRIMARYKEY, true, ErrorCode::DuplicateKey},
    SqliteCodeMapping{SQLITE_OK, false, ErrorCode::None},
    SqliteCodeMapping{SQLITE_ROW, false, ErrorCode::None},
    SqliteCodeMapping{SQLITE_DONE, false, ErrorCode::None},
    SqliteCodeMapping{SQLITE_BUSY, false, ErrorCode::RecordInUse},
    SqliteCodeMapping{SQLITE_LOCKED, false, ErrorCode::RecordInUse},
    SqliteCodeMapping{SQLITE_PERM, false, ErrorCode::AccessDenied},
    SqliteCodeMapping{SQLITE_READONLY, false, ErrorCode::AccessDenied},
    SqliteCodeMapping{SQLITE_AUTH, false, ErrorCode::AccessDenied},
    SqliteCodeMapping{SQLITE_CANTOPEN, false, ErrorCode::FileNotFound},
};

}  // namespace

std::span<const SqliteCodeMapping> sqliteCodeMappings() { return kMappings; }

ErrorCode translateSqliteCode(int sqliteCode) {
    for (const SqliteCodeMapping& m : kMappings) {
        if (m.extended && m.sqliteCode == sqliteCode) return m.code;
    }
    const int primary = sqliteCode & 0xff;
    for (const SqliteCodeMapping& m : kMappings) {
        if (!m.extended && m.sqliteCode == primary) return m.code;
    }
    return ErrorCode::DriverError;
}

}  // namespace quay::core::detail
