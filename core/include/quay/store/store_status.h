// The last error of a store object: the store's code plus, for engine failures, the
// engine's own text and extended result code. Database, every table handle and every
// transaction keep one. An implementation detail the public headers hold by value.
#pragma once

#include <string>

#include "quay/store/error_code.h"

struct sqlite3;

namespace quay::core::detail {

struct StoreStatus {
    ErrorCode code = ErrorCode::None;
    std::string driverText;
    int driverCode = 0;

    // Records a store-level outcome with no engine detail; returns the code.
    ErrorCode set(ErrorCode c) {
        code = c;
        driverText.clear();
        driverCode = 0;
        return c;
    }
    // Records an outcome with the driver's text and code; returns the code.
    ErrorCode set(ErrorCode c, std::string text, int dcode) {
        code = c;
        driverText = std::move(text);
        driverCode = dcode;
        return c;
    }
    // Records an engine result code `rc` of connection `db`, translated; returns the code.
    ErrorCode setSqlite(sqlite3* db, int rc);
};

}  // namespace quay::core::detail
