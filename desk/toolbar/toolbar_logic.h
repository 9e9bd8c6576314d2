// The toolbar's buttons and its docking rules, without Qt. Seven buttons give one
// click access to the main lists; each posts its user event to the frame, which turns
// it into the menu command. The toolbar floats or docks against the frame's top or
// left edge; docked it takes the layout of its edge, floating it turns vertical when
// made narrower than it is high. Distances are in layout units.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quay::desk {

struct ToolbarButton {
    std::string_view title;     // "Quotes"
    std::string_view tipFirst;  // the tip's two lines
    std::string_view tipSecond;
    int event;                  // the user event posted to the frame (1025...)
    std::string_view icon;      // the icon's resource name
};

enum class ToolbarDock { Floating, Top, Left, Right, Bottom };
enum class ToolbarLayout { Horizontal, Vertical };

// The buttons in order.
const std::vector<ToolbarButton>& toolbarButtons();

// The tip as shown: the title with a colon, then the two lines.
std::string toolbarTip(const ToolbarButton& button);

// A move brings the toolbar's top within this distance of the frame's top edge to
// dock it on top (or its left edge to the frame's left edge to dock it left).
inline constexpr int kDockDistance = 9;

// Where the toolbar docks after being moved to (left, top) over a frame whose client
// area starts at (frameLeft, frameTop); the dock stays as it was otherwise.
ToolbarDock dockAfterMove(int left, int top, int frameLeft, int frameTop, ToolbarDock current);

// The layout for a dock: vertical at the left or right edge, horizontal at the top or
// bottom, unchanged while floating.
ToolbarLayout layoutForDock(ToolbarDock dock, ToolbarLayout current);

// The layout of a floating toolbar resized to w × h.
ToolbarLayout layoutForSize(int w, int h);

// The buttons' offsets along the toolbar (5, 23, 41, 59, 77, 95 and, after a gap, 131)
// and the toolbar's length (154) and thickness (18), in layout units.
const std::vector<int>& buttonOffsets();
inline constexpr int kToolbarLength = 154;
inline constexpr int kToolbarThickness = 18;

// Section of tallvane.ini the toolbar keeps its place in.
inline constexpr const char* kToolbarSection = "ToolBarWindow";

// The dock as written to the settings ("Top", "Left", "Right", "Bottom", "Float") and back.
std::string_view dockName(ToolbarDock dock);
ToolbarDock dockFromName(std::string_view name, ToolbarDock fallback);

}  // namespace quay::desk
