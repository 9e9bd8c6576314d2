// The toolbar's buttons and its place, without Qt. Seven buttons give one click access
// to the main lists; each posts its user event to the frame, which turns it into the
// menu command. The toolbar floats or docks against an edge of the frame; where a
// dragged toolbar lands is the window system's own docking (it docks when dropped on an
// edge), and docked it takes the layout of its edge.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quay::desk {

struct ToolbarButton {
    std::string_view title;     // "Quotes"
    std::string_view tipFirst;  // the tip's two lines
    std::string_view tipSecond;
    int event;              // the user event posted to the frame (1025...)
    std::string_view icon;  // the icon's resource name
};

enum class ToolbarDock { Floating, Top, Left, Right, Bottom };
enum class ToolbarLayout { Horizontal, Vertical };

// The buttons in order.
const std::vector<ToolbarButton>& toolbarButtons();

// The tip as shown: the title with a colon, then the two lines.
std::string toolbarTip(const ToolbarButton& button);

// The layout for a dock: vertical at the left or right edge, horizontal at the top or
// bottom, unchanged while floating.
ToolbarLayout layoutForDock(ToolbarDock dock, ToolbarLayout current);

// Section of tallvane.ini the toolbar keeps its place in.
inline constexpr const char* kToolbarSection = "ToolBarWindow";

// The dock as written to the settings ("Top", "Left", "Right", "Bottom", "Float") and back.
std::string_view dockName(ToolbarDock dock);
ToolbarDock dockFromName(std::string_view name, ToolbarDock fallback);

}  // namespace quay::desk
