// The program's windows: every window of the libraries and of the program itself
// registered under its names, and the check that every window of the catalogue — the
// handles window logic opens windows by — leads to a registered window.
#pragma once

#include <string>
#include <vector>

namespace quay::core {
class WindowRegistry;
}

namespace quay::desk {

// Registers the windows of every library and of the program, then the documented
// procedure names for windows registered under another spelling.
void registerProgramWindows(core::WindowRegistry& registry);

// The catalogued window names that `registry` does not know; empty when every handle of
// the program leads to a window.
std::vector<std::string> unregisteredWindows(const core::WindowRegistry& registry);

}  // namespace quay::desk
