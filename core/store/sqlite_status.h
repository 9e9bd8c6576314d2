// Translation of the database engine's result codes into the record store's numbered
// codes. This is the one place where an engine code becomes an ErrorCode: every
// caller in the store goes through translateSqliteCode(), and the table it walks is
// exposed so that a test can check every row.
#pragma once

#include <span>

#include "quay/store/error_code.h"

namespace quay::core::detail {

// One row of the translation: an engine result code (extended when `extended` is
// true, otherwise a primary code matched against the low byte) and the store's code.
struct SqliteCodeMapping {
    int sqliteCode;
    bool extended;
    ErrorCode code;
};

// The rows in the order they are tried: extended codes first, then primary codes.
std::span<const SqliteCodeMapping> sqliteCodeMappings();

// The store's code for an engine result code; DriverError for anything not listed.
ErrorCode translateSqliteCode(int sqliteCode);

}  // namespace quay::core::detail
