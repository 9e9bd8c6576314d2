// Window placement kept per window in tallvane.ini: every window restores its
// position and size from its own section when it opens and saves them when it
// closes. The rules work on a plain WindowGeometry, so the logic runs without a
// display; core/views applies the result to a Qt widget.
//
// Keys of a window's section: Maximize ("Yes"/"No", no default), XPosit, YPosit,
// Width, Height (whole numbers; absent or 0 keep the layout's placement).
#pragma once

#include <string_view>

#include "quay/app/settings.h"
#include "quay/export.h"

namespace quay::core {

// A window's placement as the window system reports it. x, y, w and h are the
// window's normal (un-maximised) position and size.
struct WindowGeometry {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool maximised = false;
    bool minimised = false;
    bool resizable = true;

    bool operator==(const WindowGeometry&) const = default;
};

// The area a window must be reachable in: the screens' available area for a top-level
// window, the frame's client area for a child window of the frame. An area that is not
// valid (unknown) stands for the largest desktop there is (kPlacementLimit either way
// of the origin), so an absurd number in the file is still refused.
struct PlacementArea {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool isValid() const { return w > 0 && h > 0; }
};
inline constexpr int kPlacementLimit = 32000;
// How much of a window's top edge must lie in the area for the title bar to be
// reached with the mouse.
inline constexpr int kTitleBarReach = 120;

// Whether the window's title bar can be reached in `area`: its top edge lies in the
// area, at least kTitleBarReach above the bottom, with at least kTitleBarReach pixels
// of it (or the whole width of a narrower window) inside, and its size is positive
// and no larger than any desktop. A window larger than the area (saved on a larger
// screen) can be reachable: it keeps the size the user gave it.
QUAY_EXPORT bool isReachable(const WindowGeometry& geometry, PlacementArea area);
// Makes an unreachable placement reachable: a size past any desktop is cut to the
// area, and the window is moved wholly into the area (or, larger than it, to its top
// left corner). A reachable placement is left as the user made it.
QUAY_EXPORT void clampPlacement(WindowGeometry& geometry, PlacementArea area);

// Saves the placement of `geometry` under `section`: Maximize "Yes" or "No", then
// XPosit, YPosit, Width and Height of the normal position, brought into reach in
// `area` first (clampPlacement), so an unreachable placement is never written. A
// minimised window writes nothing, so the placement saved before stays. Returns the
// first failed write's status (nothing more is written after it), or Ok.
QUAY_EXPORT SettingsStatus savePlacement(Settings& settings, std::string_view section, const WindowGeometry& geometry,
                                         PlacementArea area = {});

// Restores the placement saved under `section` into `geometry`. When XPosit is
// absent or 0 nothing changes and the result is false. Otherwise, unless the window
// is maximised now, it moves to XPosit/YPosit when YPosit is present and not 0,
// taking the saved Width and Height when the window is resizable and both are
// present and not 0; last, it is maximised when Maximize is "Yes" and restored
// (neither maximised nor minimised) otherwise. A saved placement that cannot be
// reached in `area` (a damaged file, a screen since removed) is brought into it
// (clampPlacement). Returns true.
QUAY_EXPORT bool restorePlacement(const Settings& settings, std::string_view section, WindowGeometry& geometry,
                                  PlacementArea area = {});

}  // namespace quay::core
