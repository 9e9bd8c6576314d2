// The windows of quaydesk itself that others run by name through the registry.
#pragma once

namespace quay::core {
class WindowRegistry;
}

namespace quay::desk {

// Registers EnterDefaultAreaCode.
void registerDeskWindows(core::WindowRegistry& registry);

// Registers, for each procedure the program starts by name, that name as another
// spelling of whatever the libraries registered it under.
void aliasDocumentedProcedures(core::WindowRegistry& registry);

}  // namespace quay::desk
