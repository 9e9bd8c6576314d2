// What the Backup Data and Restore Data commands do once the all-files-free check has
// let them start: the backup asks for the backups folder (remembered in tallvane.ini,
// section "Backup", key "Folder"; first proposed in the user's documents), asks again
// when the folder chosen lies inside the data directory, writes the backup on a worker
// and says where it went; the restore asks for a backup file, confirms that the current data is to be
// replaced, and restores it on a worker, keeping a copy of the current data in the
// backups folder first. Every outcome is told to the user; a failure says why and
// leaves the data as it was.
//
// No Qt: the folder and file choosers and the worker with its progress display are
// supplied by the view (BackupRunner) or by a test.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "backup/data_copy.h"
#include "quay/app/settings.h"
#include "quay/app/ui_port.h"

namespace quay::desk {

inline constexpr const char* kBackupSection = "Backup";
inline constexpr const char* kBackupFolderKey = "Folder";

inline constexpr const char* kBackupFolderName = "Billquay backups";
inline constexpr const char* kChooseFolderCaption =
    "Choose the Backups Folder (outside the data directory, best on another disk)";

struct DataCommandServices {
    // The user's documents folder, where the backups folder is first proposed. Null:
    // $HOME/Documents, else $HOME.
    std::function<std::filesystem::path()> documentsFolder;
    // Asks for a folder, starting at `start`; nullopt when the user cancels.
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& start)> chooseFolder;
    // Asks for a backup file, starting in `start`; nullopt when the user cancels.
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& start)> chooseBackupFile;
    // Runs `job` off the window's thread while showing its progress under `title`, and
    // returns its result. Null: the job runs here.
    std::function<DataCopyResult(const std::string& title,
                                 const std::function<DataCopyResult(const CopyProgress&)>& job)>
        runWithProgress;
};

class DataCommandFlow {
public:
    DataCommandFlow(core::UiPort& ui, core::Settings& settings, std::filesystem::path dataDirectory,
                    DataCommandServices services);

    // The backups folder: the one chosen last, else "Billquay backups" in the user's
    // documents, outside the data directory, so that a lost disk does not take the
    // backups with the data.
    std::filesystem::path backupFolder() const;
    // Whether `folder` is the data directory or lies inside it.
    bool isInsideDataDirectory(const std::filesystem::path& folder) const;

    // Runs the command to its end. True when data was written (a backup made, or the
    // data restored).
    bool backup();
    bool restore();

private:
    DataCopyResult run(const std::string& title, const std::function<DataCopyResult(const CopyProgress&)>& job);

    core::UiPort& m_ui;
    core::Settings& m_settings;
    std::filesystem::path m_dataDirectory;
    DataCommandServices m_services;
};

}  // namespace quay::desk
