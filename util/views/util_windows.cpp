// Factories of quayutil's windows.
#include "quay/util/util_windows.h"

#include <memory>

#include "alarm_window_view.h"
#include "quay/app/settings.h"
#include "quay/views/placement_keeper.h"
#include "tip_of_day_view.h"

namespace quay::util {

void registerUtilWindows(core::WindowRegistry& registry) {
    auto alarm = [](core::WindowContext& c, const core::WindowRequest&) {
        if (c.database == nullptr) return core::WindowResponse{};
        auto window = std::make_unique<AlarmWindow>(*c.database, c.ui);
        if (!window->open()) return core::WindowResponse{};
        auto* view = new AlarmWindowView(std::move(window), c.parent);
        core::keepPlacement(view, QStringLiteral("AlarmWindow"));
        view->show();
        view->raise();
        view->activateWindow();
        return core::WindowResponse{core::Response::Completed, 0, {}};
    };
    registry.add("AlarmWindow", alarm);
    registry.add("ALARMWINDOW", alarm);

    auto tip = [](core::WindowContext& c, const core::WindowRequest&) {
        if (c.database == nullptr) return core::WindowResponse{};
        auto window = std::make_unique<TipOfDayWindow>(*c.database, c.ui, core::programSettings());
        if (!window->open()) return core::WindowResponse{};
        auto* view = new TipOfDayView(std::move(window), c.parent);
        core::keepPlacement(view, QStringLiteral("DisplayTipOfDay"));
        view->show();
        return core::WindowResponse{core::Response::Completed, 0, {}};
    };
    registry.add("DisplayTipOfDay", tip);
    registry.add("DISPLAYTIPOFDAY", tip);
}

}  // namespace quay::util
