// SENDEMAIL and OPENURL: hand an e-mail address or a web address to the desktop,
// which opens a new message in the user's mail program or the page in the web
// browser. The routines build the target text ("mailto:" and the address, or the
// address, without trailing blanks, cut to 79 characters) and pass it to the
// desktop's launcher; the launcher's answer is not examined, as the desktop reports
// its own trouble.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quay/app/ui_port.h"
#include "quay/export.h"

namespace quay::core {

// What opens a target with its default program.
class QUAY_EXPORT Launcher {
public:
    virtual ~Launcher();
    virtual void open(const std::string& target) = 0;
};

// The launcher of the program (the desktop's, once the views set it); null until set.
QUAY_EXPORT Launcher* programLauncher();
QUAY_EXPORT void setProgramLauncher(Launcher* launcher);

inline constexpr std::size_t kLaunchTargetLength = 79;

// The targets as they are handed on.
QUAY_EXPORT std::string mailTarget(std::string_view address);
QUAY_EXPORT std::string webTarget(std::string_view address);

// Both show the busy cursor while handing on, and set glo.GlobalResponse = 1.
// `window` is the calling window's handle (unused on this desktop).
QUAY_EXPORT void SENDEMAIL(UiPort& ui, Launcher& launcher, std::int32_t window, std::string_view address);
QUAY_EXPORT void OPENURL(UiPort& ui, Launcher& launcher, std::int32_t window, std::string_view address);

}  // namespace quay::core
