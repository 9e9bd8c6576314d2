// The start-up sequence. The data directory is changed before anything is opened, so
// the company table and every later table come from the same data set; the settings
// are read before the company record so that a first run starts with tips set up.
// A named data directory that cannot be entered ends the program before anything is
// opened: falling back to the current directory would have made a new data set there.
#include "startup/startup_sequence.h"

#include <system_error>

#include "quay/app/globals.h"
#include "quay/app/login_name.h"
#include "quay/defaults/company_defaults.h"
#include "startup/first_run.h"

namespace quay::desk {

namespace fs = std::filesystem;

std::string dataDirectoryParameter(std::string parameter) {
    while (!parameter.empty() && (parameter.back() == ' ' || parameter.back() == '\t')) parameter.pop_back();
    if (!parameter.empty() && parameter.back() == '\\') parameter.pop_back();
    return parameter;
}

std::string dataDirectoryRefusal(const std::string& directory) {
    std::error_code ec;
    const bool exists = fs::exists(directory, ec);
    return "The data directory " + directory + (exists ? " is not a directory." : " does not exist.") +
           "||Billquay did not start, and made no data set anywhere.  Start it again with the name of the "
           "data directory, or with none to use the current directory.";
}

bool enterDataDirectory(const std::string& parameter) {
    const std::string dir = dataDirectoryParameter(parameter);
    if (dir.empty()) return false;
    std::error_code ec;
    const fs::path remembered = fs::current_path(ec);
    fs::current_path(dir, ec);
    if (!ec) return true;
    if (!remembered.empty()) {
        std::error_code back;
        fs::current_path(remembered, back);
    }
    return false;
}

StartupSequence::StartupSequence(core::UiPort& ui, core::Settings& settings) : m_ui(ui), m_settings(settings) {}

StartupSequence::~StartupSequence() {
    // The hold goes before the connection it was opened on.
    m_defaults.reset();
    m_db.reset();
}

void StartupSequence::readTipSettings() {
    const std::string tips = m_settings.read("Defaults", "TipOfDay", "True");
    if (tips != "True") {
        core::glo.MessageOfDay = 0;
        core::glo.MODDone = 1;
    } else {
        core::glo.MessageOfDay = 1;
        core::glo.MODPosition = m_settings.readNumber("Defaults", "MODPosition", 1);
    }
}

StartupOutcome StartupSequence::run(const StartupOptions& options) {
    core::glo.ProgramTitle = kProgramTitle;

    if (!options.arguments.empty()) {
        const std::string named = dataDirectoryParameter(options.arguments.front());
        if (!named.empty() && !enterDataDirectory(named)) {
            // A mistyped name must never become a new, empty data set somewhere else.
            m_ui.message(kProgramTitle, dataDirectoryRefusal(named), core::Icon::Error, core::Button::Ok,
                         core::Button::Ok);
            m_ui.endProgram(kNoDataDirectory);
            return StartupOutcome::ProgramEnded;
        }
    }
    std::error_code ec;
    m_dataDirectory = fs::current_path(ec);

    m_db = std::make_unique<core::Database>(m_dataDirectory.string());
    if (options.dataSetOpened) options.dataSetOpened(*m_db);
    m_defaults = std::make_unique<DefaultsHold>(*m_db, m_ui);
    if (!m_defaults->hold()) return StartupOutcome::ProgramEnded;

    readTipSettings();

    const std::string login = options.loginName ? options.loginName() : core::loginName();
    core::glo.UserID = core::userIdForLoginName(login);

    core::glo.rcLong = 1;
    if (core::GETCOMPANYDEFAULTS(m_defaults->handle(), core::glo.rcLong) != 0) {
        m_ranFirstRun = true;
        if (runFirstRun(m_ui, m_defaults->handle()) != FirstRunOutcome::Completed) {
            m_defaults->release();
            return StartupOutcome::ProgramEnded;
        }
    }
    return StartupOutcome::Ready;
}

}  // namespace quay::desk
