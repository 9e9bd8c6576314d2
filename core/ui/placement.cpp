// Saving and restoring a window's placement under its settings section.
//
// The save records the maximised state first and then writes the normal position:
// a window closed maximised opens maximised next time, and un-maximising it then
// brings it back to where it was before it was maximised.
//
// A placement is checked against the area it must be reachable in both ways: read, so
// that a damaged or foreign file (YPosit=99999999) cannot put a window where nobody
// can reach it, and saved, so that an unreachable placement is never written back.
#include "quay/ui/placement.h"

#include <algorithm>
#include <cstdint>

namespace quay::core {

namespace {

constexpr std::string_view kMaximize = "Maximize";
constexpr std::string_view kXPosit = "XPosit";
constexpr std::string_view kYPosit = "YPosit";
constexpr std::string_view kWidth = "Width";
constexpr std::string_view kHeight = "Height";

PlacementArea effective(PlacementArea area) {
    if (area.isValid()) return area;
    return PlacementArea{-kPlacementLimit, -kPlacementLimit, 2 * kPlacementLimit, 2 * kPlacementLimit};
}

}  // namespace

bool isReachable(const WindowGeometry& g, PlacementArea area) {
    area = effective(area);
    if (g.w <= 0 || g.h <= 0 || g.w > kPlacementLimit || g.h > kPlacementLimit) return false;
    // A window saved on a larger screen keeps its size; only its title bar must be in
    // reach: its top edge inside the area, not lower than a title bar's reach above
    // the bottom, with enough of its width beside the area's edges.
    const std::int64_t right = std::int64_t{area.x} + area.w;
    const std::int64_t lowest = std::max<std::int64_t>(area.y, std::int64_t{area.y} + area.h - kTitleBarReach);
    if (g.y < area.y || g.y > lowest) return false;
    const std::int64_t left = std::max<std::int64_t>(g.x, area.x);
    const std::int64_t end = std::min<std::int64_t>(std::int64_t{g.x} + g.w, right);
    return end - left >= std::min(kTitleBarReach, g.w);
}

void clampPlacement(WindowGeometry& g, PlacementArea area) {
    if (isReachable(g, area)) return;
    area = effective(area);
    // A size larger than any desktop is damage, not a larger screen.
    if (g.w > kPlacementLimit) g.w = area.w;
    if (g.h > kPlacementLimit) g.h = area.h;
    // Moved wholly into the area when it fits, else to its top left corner.
    g.x = g.w <= area.w ? std::clamp(g.x, area.x, area.x + area.w - std::max(g.w, 0)) : area.x;
    g.y = g.h <= area.h ? std::clamp(g.y, area.y, area.y + area.h - std::max(g.h, 0)) : area.y;
}

SettingsStatus savePlacement(Settings& settings, std::string_view section, const WindowGeometry& placed,
                             PlacementArea area) {
    if (placed.minimised) return SettingsStatus::Ok;
    WindowGeometry geometry = placed;
    clampPlacement(geometry, area);
    SettingsStatus s = settings.write(section, kMaximize, geometry.maximised ? "Yes" : "No");
    if (s != SettingsStatus::Ok) return s;
    if ((s = settings.writeNumber(section, kXPosit, geometry.x)) != SettingsStatus::Ok) return s;
    if ((s = settings.writeNumber(section, kYPosit, geometry.y)) != SettingsStatus::Ok) return s;
    if ((s = settings.writeNumber(section, kWidth, geometry.w)) != SettingsStatus::Ok) return s;
    return settings.writeNumber(section, kHeight, geometry.h);
}

bool restorePlacement(const Settings& settings, std::string_view section, WindowGeometry& geometry,
                      PlacementArea area) {
    const std::int32_t x = settings.readNumber(section, kXPosit, 0);
    if (x == 0) return false;
    if (!geometry.maximised) {
        const std::int32_t y = settings.readNumber(section, kYPosit, 0);
        if (y != 0) {
            geometry.x = x;
            geometry.y = y;
            if (geometry.resizable) {
                const std::int32_t w = settings.readNumber(section, kWidth, 0);
                const std::int32_t h = settings.readNumber(section, kHeight, 0);
                if (w > 0 && h > 0) {  // a negative size in a damaged file is ignored
                    geometry.w = w;
                    geometry.h = h;
                }
            }
            clampPlacement(geometry, area);
        }
    }
    const auto maximize = settings.find(section, kMaximize);
    geometry.maximised = maximize.has_value() && *maximize == "Yes";
    geometry.minimised = false;
    return true;
}

}  // namespace quay::core
