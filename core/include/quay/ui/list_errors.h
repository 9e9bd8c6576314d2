// What a list or a look-up shows when reading its table fails: the standard "Record
// Retrieval Error" for the table, with the saved error; and when the database engine
// reports the data set damaged (a page overwritten, a file that is no longer a
// database), a second message that says so and names the way out, since retrying
// cannot help.
#pragma once

#include "quay/app/last_error.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"

namespace quay::core {

// True when `error` is the engine reporting the data set damaged.
QUAY_EXPORT bool isDamagedData(const SavedError& error);

// Shows the messages for the saved error of a failed read of table `tableName`
// ("Customer") and clears the saved error.
QUAY_EXPORT void reportReadError(UiPort& ui, const std::string& tableName);

inline constexpr const char* kDamagedDataCaption = "Damaged Data";
// The text of the second message, for `tableName`.
QUAY_EXPORT std::string damagedDataText(const std::string& tableName);

}  // namespace quay::core
