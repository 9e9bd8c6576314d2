// Registration of the desk's windows.
#include "desk_windows.h"

#include "areacode/area_code_view.h"
#include "frame/menu_table.h"
#include "frame/procedure_names.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/window_registry.h"
#include "startup/first_run.h"

namespace quay::desk {

void registerDeskWindows(core::WindowRegistry& registry) {
    registry.add(kAreaCodeWindow, [](core::WindowContext& c, const core::WindowRequest&) {
        AreaCodeView view(c.ui, core::programSettings(), c.parent);
        view.exec();
        return view.response();
    });
}

void aliasDocumentedProcedures(core::WindowRegistry& registry) {
    for (const MenuEntry& e : menuTable())
        if (!e.procedure.empty()) aliasProcedure(registry, e.procedure);
    for (const char* p : {kDefaultsForm, "LOADALARMQUEUE", "DISPLAYTIPOFDAY", "ALARMWINDOW"})
        aliasProcedure(registry, p);
}

}  // namespace quay::desk
