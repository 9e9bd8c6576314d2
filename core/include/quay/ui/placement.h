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

// Saves the placement of `geometry` under `section`: Maximize "Yes" or "No", then
// XPosit, YPosit, Width and Height of the normal position. A minimised window
// writes nothing, so the placement saved before stays. Returns the first failed
// write's status (nothing more is written after it), or Ok.
QUAY_EXPORT SettingsStatus savePlacement(Settings& settings, std::string_view section,
                                         const WindowGeometry& geometry);

// Restores the placement saved under `section` into `geometry`. When XPosit is
// absent or 0 nothing changes and the result is false. Otherwise, unless the window
// is maximised now, it moves to XPosit/YPosit when YPosit is present and not 0,
// taking the saved Width and Height when the window is resizable and both are
// present and not 0; last, it is maximised when Maximize is "Yes" and restored
// (neither maximised nor minimised) otherwise. Returns true.
QUAY_EXPORT bool restorePlacement(const Settings& settings, std::string_view section,
                                  WindowGeometry& geometry);

}  // namespace quay::core
