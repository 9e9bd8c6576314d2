// The frame's own hold on Defaults would make the exclusive test fail on it, so it is
// let go for the test only, and taken again before any message: while a message
// waits for OK this station must hold its table, or another station's gate could
// find every file free in that moment.
#include "backup/backup_gate.h"

namespace quay::desk {

bool confirmDataCommand(core::UiPort& ui, core::Database& db, DefaultsHold& defaults, DataCommand command) {
    defaults.release();
    const FilesFreeResult free = allFilesFree(db);
    defaults.hold();
    bool start = false;
    if (free.free) {
        const char* text = command == DataCommand::Backup ? kBackupWarning : kRestoreWarning;
        start = ui.message(kWarningCaption, text, core::Icon::Warning, core::Button::Ok | core::Button::Cancel,
                           core::Button::Ok) == core::Button::Ok;
    } else {
        ui.inform(kFilesOpenCaption, kFilesOpenText, core::Icon::Warning);
    }
    return start;
}

}  // namespace quay::desk
