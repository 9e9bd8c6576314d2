// Starting procedures by name through the window registry. The libraries register
// their windows under their procedure names, some spelt as the export
// ("CUSTOMERBROWSE"), some as the window ("CustomerBrowse"); the frame finds either
// spelling, since procedure names do not depend on case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quay::core {
class WindowRegistry;
}

namespace quay::desk {

// The name `procedure` is registered under, ignoring case; nullopt when none.
std::optional<std::string> registeredName(const core::WindowRegistry& registry, std::string_view procedure);

// Registers `procedure` as another name of the window registered under any spelling
// of it, so a window's logic can run it by its documented name. Does nothing when
// the exact name is registered or no spelling is.
void aliasProcedure(core::WindowRegistry& registry, std::string_view procedure);

}  // namespace quay::desk
