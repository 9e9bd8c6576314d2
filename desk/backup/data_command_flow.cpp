// The two commands' conversations with the user.
#include "backup/data_command_flow.h"

#include <cstdlib>
#include <iterator>

#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::desk {

namespace fs = std::filesystem;

DataCommandFlow::DataCommandFlow(core::UiPort& ui, core::Settings& settings, fs::path dataDirectory,
                                 DataCommandServices services)
    : m_ui(ui), m_settings(settings), m_dataDirectory(std::move(dataDirectory)), m_services(std::move(services)) {}

namespace {

fs::path defaultDocuments() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') return {};
    std::error_code ec;
    const fs::path documents = fs::path(home) / "Documents";
    return fs::is_directory(documents, ec) ? documents : fs::path(home);
}

}  // namespace

fs::path DataCommandFlow::backupFolder() const {
    const std::string remembered = m_settings.read(kBackupSection, kBackupFolderKey);
    if (!remembered.empty()) return remembered;
    fs::path documents = m_services.documentsFolder ? m_services.documentsFolder() : defaultDocuments();
    if (documents.empty()) documents = m_dataDirectory.parent_path();
    return documents / kBackupFolderName;
}

bool DataCommandFlow::isInsideDataDirectory(const fs::path& folder) const {
    std::error_code ec;
    const fs::path data = fs::weakly_canonical(m_dataDirectory, ec);
    const fs::path target = fs::weakly_canonical(folder, ec);
    auto d = data.begin();
    auto t = target.begin();
    for (; d != data.end(); ++d, ++t) {
        if (d->empty() && std::next(d) == data.end()) break;  // a trailing separator
        if (t == target.end() || *d != *t) return false;
    }
    return true;
}

DataCopyResult DataCommandFlow::run(const std::string& title,
                                    const std::function<DataCopyResult(const CopyProgress&)>& job) {
    if (m_services.runWithProgress) return m_services.runWithProgress(title, job);
    return job({});
}

bool DataCommandFlow::backup() {
    if (!m_services.chooseFolder) return false;
    const std::optional<fs::path> folder = m_services.chooseFolder(backupFolder());
    if (!folder) return false;
    if (isInsideDataDirectory(*folder) &&
        m_ui.message("Backup Folder",
                     "The folder " + folder->string() +
                         " is inside the data directory, so a lost or broken disk would take the backups with the "
                         "data.||Back up there anyway?",
                     core::Icon::Warning, core::Button::Yes | core::Button::No, core::Button::No) != core::Button::Yes)
        return false;
    if (m_settings.write(kBackupSection, kBackupFolderKey, folder->string()) != core::SettingsStatus::Ok) {
        // Not remembering the folder loses nothing; the backup still goes ahead.
    }
    const fs::path dataDir = m_dataDirectory;
    const core::DateTime moment{core::today(), core::now()};
    const fs::path target = *folder;
    const DataCopyResult r = run("Backing up the data", [dataDir, target, moment](const CopyProgress& p) {
        return makeBackup(dataDir, target, moment, p);
    });
    if (!r.ok) {
        m_ui.inform("Backup Failed", r.message + "|No backup was made.", core::Icon::Error);
        return false;
    }
    m_ui.inform("Backup Complete", "The data was backed up to|" + r.file.string(), core::Icon::Information);
    return true;
}

bool DataCommandFlow::restore() {
    if (!m_services.chooseBackupFile) return false;
    const fs::path folder = backupFolder();
    const std::optional<fs::path> file = m_services.chooseBackupFile(folder);
    if (!file) return false;

    const DataCopyResult checked =
        run("Checking the backup", [f = *file](const CopyProgress&) { return checkBackup(f); });
    if (!checked.ok) {
        m_ui.inform("Restore Refused", checked.message + "|The data was not changed.", core::Icon::Error);
        return false;
    }
    const std::string question = "The data in " + m_dataDirectory.string() + " will be replaced by the backup " +
                                 file->filename().string() + ".|A copy of the current data is kept in " +
                                 folder.string() + " first.||Restore the backup now?";
    if (m_ui.message("Restore Data", question, core::Icon::Question, core::Button::Yes | core::Button::No,
                     core::Button::No) != core::Button::Yes)
        return false;

    const fs::path dataDir = m_dataDirectory;
    const core::DateTime moment{core::today(), core::now()};
    const DataCopyResult r = run("Restoring the data", [dataDir, f = *file, folder, moment](const CopyProgress& p) {
        return restoreBackup(dataDir, f, folder, moment, p);
    });
    if (!r.ok) {
        m_ui.inform("Restore Failed", r.message, core::Icon::Error);
        return false;
    }
    m_ui.inform("Restore Complete", "The data was restored from|" + file->string(), core::Icon::Information);
    return true;
}

}  // namespace quay::desk
