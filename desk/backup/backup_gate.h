// The check that comes before a backup or a restore: the frame lets go of its hold
// on Defaults, every table is tested free, the frame takes Defaults again, and the
// user is warned (or told that files are open). Only when every file was
// free and the user went on may the backup or restore start.
#pragma once

#include "backup/files_free.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "startup/defaults_hold.h"

namespace quay::desk {

enum class DataCommand { Backup, Restore };

inline constexpr const char* kWarningCaption = "Warning";
inline constexpr const char* kBackupWarning =
    "Make sure and close all windows (customers, orders, invoice, products) before proceeding.||"
    "Failure to do this may result in a backup that is corrupt.  No other warning will be given.";
inline constexpr const char* kRestoreWarning =
    "Make sure and close all windows (customers, orders, invoice, products) before proceeding.||"
    "Failure to do this may result in corrupt data being restored.  No other warning will be given.";
inline constexpr const char* kFilesOpenCaption = "Request Cancelled, Files Open";
inline constexpr const char* kFilesOpenText = "Make sure all other users are out of Billquay.";

// Runs the check for `command`. True when the command may start now.
bool confirmDataCommand(core::UiPort& ui, core::Database& db, DefaultsHold& defaults, DataCommand command);

}  // namespace quay::desk
