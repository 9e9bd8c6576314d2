// The start-up of quaydesk up to the opening of the frame, in its fixed order:
//   1. the program title "Billquay";
//   2. the data directory from the first parameter (blanks and one trailing "\"
//      clipped); a directory that is missing, is a file or cannot be made current
//      is refused with a message naming it, and the program ends;
//   3. Defaults opened through its use counter and held for the whole run;
//   4. the tip-of-the-day switch and position from tallvane.ini;
//   5. the user id from the log-in name ("DEFAULT" when there is none);
//   6. the company record read, and the first run when there is none.
// The frame then opens (MainFrame). Everything the user sees goes through the port.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quay/app/settings.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "startup/defaults_hold.h"

namespace quay::desk {

inline constexpr const char* kProgramTitle = "Billquay";

struct StartupOptions {
    std::vector<std::string> arguments;      // the parameters after the program name
    std::function<std::string()> loginName;  // the log-in name service; null: the system's
    // Called once the data set is open, before anything is read from it, so the windows
    // of the first run find the program's connection (the window registry's data set).
    std::function<void(core::Database&)> dataSetOpened;
};

enum class StartupOutcome {
    Ready,         // the company record exists; the frame may open
    ProgramEnded,  // a message or a cancelled first run ended the program through the port
};

// The data directory named by a parameter: trailing blanks and one trailing "\" removed.
// Blank when the parameter names none.
std::string dataDirectoryParameter(std::string parameter);

// Why a named data directory was refused, for the message that ends the start.
std::string dataDirectoryRefusal(const std::string& directory);
inline constexpr const char* kNoDataDirectory = "The data directory was not found.";

// Makes the directory named by the parameter current. Returns whether it changed;
// on failure the directory that was current stays current.
bool enterDataDirectory(const std::string& parameter);

class StartupSequence {
public:
    StartupSequence(core::UiPort& ui, core::Settings& settings);
    ~StartupSequence();
    StartupSequence(const StartupSequence&) = delete;
    StartupSequence& operator=(const StartupSequence&) = delete;

    StartupOutcome run(const StartupOptions& options);

    // After Ready: the program's connection to the data set and its hold on Defaults.
    core::Database& database() { return *m_db; }
    DefaultsHold& defaults() { return *m_defaults; }
    const std::filesystem::path& dataDirectory() const { return m_dataDirectory; }
    // Whether this start ran the first-run set-up.
    bool ranFirstRun() const { return m_ranFirstRun; }

private:
    void readTipSettings();

    core::UiPort& m_ui;
    core::Settings& m_settings;
    std::unique_ptr<core::Database> m_db;
    std::unique_ptr<DefaultsHold> m_defaults;
    std::filesystem::path m_dataDirectory;
    bool m_ranFirstRun = false;
};

}  // namespace quay::desk
