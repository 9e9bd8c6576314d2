// Saving and restoring a window's placement under its settings section.
//
// The save records the maximised state first and then writes the normal position:
// a window closed maximised opens maximised next time, and un-maximising it then
// brings it back to where it was before it was maximised.
#include "quay/ui/placement.h"

namespace quay::core {

namespace {

constexpr std::string_view kMaximize = "Maximize";
constexpr std::string_view kXPosit = "XPosit";
constexpr std::string_view kYPosit = "YPosit";
constexpr std::string_view kWidth = "Width";
constexpr std::string_view kHeight = "Height";

}  // namespace

SettingsStatus savePlacement(Settings& settings, std::string_view section, const WindowGeometry& geometry) {
    if (geometry.minimised) return SettingsStatus::Ok;
    SettingsStatus s = settings.write(section, kMaximize, geometry.maximised ? "Yes" : "No");
    if (s != SettingsStatus::Ok) return s;
    if ((s = settings.writeNumber(section, kXPosit, geometry.x)) != SettingsStatus::Ok) return s;
    if ((s = settings.writeNumber(section, kYPosit, geometry.y)) != SettingsStatus::Ok) return s;
    if ((s = settings.writeNumber(section, kWidth, geometry.w)) != SettingsStatus::Ok) return s;
    return settings.writeNumber(section, kHeight, geometry.h);
}

bool restorePlacement(const Settings& settings, std::string_view section, WindowGeometry& geometry) {
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
        }
    }
    const auto maximize = settings.find(section, kMaximize);
    geometry.maximised = maximize.has_value() && *maximize == "Yes";
    geometry.minimised = false;
    return true;
}

}  // namespace quay::core
