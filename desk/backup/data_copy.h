// Backup and restore of the whole data set while the program runs. A backup is a
// consistent copy of the data set made with SQLite's online backup, written as one
// dated file ("billquay-2026-12-08-1530.bqbackup") into a folder the user chooses.
// A restore first checks the chosen file on a private copy (it must be a Billquay
// data set whose stored layout matches this program's: every table opens without a
// layout or key mismatch), keeps a backup of the current data beside the others, and
// then copies the checked data set over the live one in one write transaction, so
// other connections and workstations see either the old or the new data set whole.
// A failure at any step changes nothing and says why.
//
// These functions open connections of their own and may run on a worker thread.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "quay/types/clock.h"

namespace quay::desk {

// The data set's file in a data directory.
inline constexpr const char* kDataSetFile = "billquay.sqlite3";
inline constexpr const char* kBackupExtension = ".bqbackup";

// Progress: pages copied so far and pages in all (total 0 while unknown).
using CopyProgress = std::function<void(int done, int total)>;

struct DataCopyResult {
    bool ok = false;
    std::string message;         // what went wrong, for the user; blank on success
    std::filesystem::path file;  // the backup written (makeBackup), or the file restored
};

// "billquay-YYYY-MM-DD-HHMM" plus `suffix` and the extension, for `moment`.
std::string backupFileName(core::DateTime moment, const std::string& suffix = {});

// Writes a backup of the data set in `dataDirectory` into `folder` (made when
// missing). The file appears only complete: it is written under a temporary name,
// flushed and renamed; an existing backup of the same minute is never overwritten.
DataCopyResult makeBackup(const std::filesystem::path& dataDirectory, const std::filesystem::path& folder,
                          core::DateTime moment, const CopyProgress& progress = {}, const std::string& suffix = {});

// Checks that `file` is a Billquay data set this program can use, on a private copy
// (the file itself is only read).
DataCopyResult checkBackup(const std::filesystem::path& file);

// Replaces the data set in `dataDirectory` with the backup `file` after checking it.
// When `safetyFolder` is not empty, a backup of the current data is written there
// first (suffix "-before-restore"), and the restore does not start if that fails.
DataCopyResult restoreBackup(const std::filesystem::path& dataDirectory, const std::filesystem::path& file,
                             const std::filesystem::path& safetyFolder, core::DateTime moment,
                             const CopyProgress& progress = {});

}  // namespace quay::desk
