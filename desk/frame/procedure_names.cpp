// Case-insensitive look-up over the registry's names.
#include "frame/procedure_names.h"

#include <cctype>

#include "quay/views/window_registry.h"

namespace quay::desk {

namespace {
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}
}  // namespace

std::optional<std::string> registeredName(const core::WindowRegistry& registry, std::string_view procedure) {
    if (registry.contains(procedure)) return std::string(procedure);
    for (const std::string& name : registry.procedures())
        if (sameName(name, procedure)) return name;
    return std::nullopt;
}

void aliasProcedure(core::WindowRegistry& registry, std::string_view procedure) {
    if (registry.contains(procedure)) return;
    const std::optional<std::string> name = registeredName(registry, procedure);
    if (!name) return;
    core::WindowRegistry* reg = &registry;
    const std::string target = *name;
    registry.add(std::string(procedure), [reg, target](core::WindowContext& c, const core::WindowRequest& r) {
        return reg->run(c.ui, target, r, c.parent);
    });
}

}  // namespace quay::desk
