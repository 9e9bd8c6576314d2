// The last record-store error, as the standard messages report it: the error
// number, its text, and for a driver error (90) the driver's own text and code.
// A window saves it right after the failing call (saveError(table)) and the
// message routine builds its error insert from it and then clears it.
//
// The saved error is per thread: each window or worker reports its own failures.
#pragma once

#include <string>

#include "quay/export.h"
#include "quay/store/error_code.h"

namespace quay::core {

class Table;

struct SavedError {
    ErrorCode code = ErrorCode::None;
    std::string text;        // the record store's text for the code
    std::string driverText;  // DriverError: the database engine's own text
    int driverCode = 0;      // DriverError: the database engine's own code

    bool isSet() const { return code != ErrorCode::None; }
    // The number the messages show: the code, for a driver error the driver's code.
    int number() const;
    // The text the messages show, without trailing blanks: for a driver error the
    // driver's text when it has one.
    std::string shownText() const;
    // "text (number)", the error insert of the standard messages; empty when unset.
    std::string insert() const;
};

// Saves the table's last error (code, text, driver text and code).
QUAY_EXPORT void saveError(const Table& table);
QUAY_EXPORT void saveError(ErrorCode code, std::string text = {}, std::string driverText = {}, int driverCode = 0);
QUAY_EXPORT const SavedError& savedError();
QUAY_EXPORT void clearSavedError();

}  // namespace quay::core
