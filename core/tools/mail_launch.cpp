// Mail and web launch.
#include "quay/tools/mail_launch.h"

#include <atomic>

#include "quay/app/globals.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

namespace {

std::atomic<Launcher*> g_launcher{nullptr};

void launch(UiPort& ui, Launcher& launcher, const std::string& target) {
    ui.setBusy(true);
    launcher.open(target);
    ui.setBusy(false);
    glo.GlobalResponse = Response::Completed;
}

}  // namespace

Launcher::~Launcher() = default;

Launcher* programLauncher() { return g_launcher.load(); }
void setProgramLauncher(Launcher* launcher) { g_launcher.store(launcher); }

std::string mailTarget(std::string_view address) {
    std::string t = "mailto:" + std::string(detail::trimTrailingBlanks(address));
    if (t.size() > kLaunchTargetLength) t.resize(kLaunchTargetLength);
    return t;
}

std::string webTarget(std::string_view address) {
    std::string t(detail::trimTrailingBlanks(address));
    if (t.size() > kLaunchTargetLength) t.resize(kLaunchTargetLength);
    return t;
}

void SENDEMAIL(UiPort& ui, Launcher& launcher, std::int32_t /*window*/, std::string_view address) {
    launch(ui, launcher, mailTarget(address));
}

void OPENURL(UiPort& ui, Launcher& launcher, std::int32_t /*window*/, std::string_view address) {
    launch(ui, launcher, webTarget(address));
}

}  // namespace quay::core
