// Factories of quayutil's windows.
#include "quay/util/util_windows.h"

#include <memory>

#include "alarm_window_view.h"
#include "quay/app/settings.h"
#include "quay/views/placement_keeper.h"
#include "tip_of_day_view.h"

namespace quay::util {
namespace {

// A window without a saved placement opens in the middle of the frame, not where the
// window system happens to put it (possibly half off the screen).
void centreOver(QWidget* view, QWidget* parent) {
    view->adjustSize();
    if (parent != nullptr) view->move(parent->geometry().center() - view->rect().center());
}

}  // namespace

void registerUtilWindows(core::WindowRegistry& registry) {
    auto alarm = [](core::WindowContext& c, const core::WindowRequest&) {
        if (c.database == nullptr) return core::WindowResponse{};
        auto window = std::make_unique<AlarmWindow>(*c.database, c.ui);
        if (!window->open()) return core::WindowResponse{};
        auto* view = new AlarmWindowView(std::move(window), c.parent);
        centreOver(view, c.parent);
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
        centreOver(view, c.parent);
        core::keepPlacement(view, QStringLiteral("DisplayTipOfDay"));
        view->show();
        return core::WindowResponse{core::Response::Completed, 0, {}};
    };
    registry.add("DisplayTipOfDay", tip);
    registry.add("DISPLAYTIPOFDAY", tip);
}

}  // namespace quay::util
