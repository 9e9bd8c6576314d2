// Read errors of lists and look-ups. The engine's primary result codes for damage
// are SQLITE_CORRUPT (11) and SQLITE_NOTADB (26); extended codes carry them in their
// low byte.
#include "quay/ui/list_errors.h"

#include "quay/app/standard_messages.h"

namespace quay::core {

bool isDamagedData(const SavedError& error) {
    if (error.code != ErrorCode::DriverError) return false;
    const int primary = error.driverCode & 0xff;
    return primary == 11 || primary == 26;
}

std::string damagedDataText(const std::string& tableName) {
    return "The data file holding " + tableName +
           " is damaged, so its records cannot be read.  Nothing has been changed.||"
           "Close Billquay on every workstation and restore the data from the last good backup "
           "(Utilities, Restore Data).";
}

void reportReadError(UiPort& ui, const std::string& tableName) {
    const bool damaged = isDamagedData(savedError());
    showStandardMessage(ui, StandardMessage::RecordRetrievalError, {tableName});
    if (damaged) ui.inform(kDamagedDataCaption, damagedDataText(tableName), Icon::Error);
}

}  // namespace quay::core
