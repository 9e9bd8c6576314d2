// The frame's menu as data: every entry with its menu path, its text with the "&"
// accelerator, what it does (a procedure started by name, a single-instance list, or
// one of the frame's own commands), its status-bar text and shortcut. The frame builds
// its menu bar from this table, and the toolbar's events name entries of it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace quay::desk {

enum class CommandKind {
    Procedure,   // starts `procedure` through the window registry
    SingleList,  // starts `procedure` once, kept under `listName` in ThreadQueue
    PrintSetup,
    Exit,
    Cut,
    Copy,
    Paste,
    TipOfDay,  // check item bound to GLO:MessageOfDay
    Backup,
    Restore,
    Tile,
    Cascade,
    ArrangeIcons,
    HelpContents,
    HelpSearch,
    HelpHowTo,
    About,
};

struct MenuEntry {
    std::string_view menu;  // "&Orders", or a sub-menu path "&Reports > &Customer"; " > "
                            // parts the levels, as a caption may hold "/" ("&A/R")
    std::string_view text;  // "&Quotes"
    CommandKind kind;
    std::string_view procedure;  // for Procedure and SingleList
    std::string_view listName;   // for SingleList: the ThreadQueue name
    std::string_view statusTip;  // the status-bar text
    std::string_view shortcut;   // a key sequence in Qt's portable form, or empty
};

// The status-bar texts of the two menus that carry one themselves.
struct MenuTip {
    std::string_view menu;
    std::string_view statusTip;
};

// Every entry, in menu order.
const std::vector<MenuEntry>& menuTable();
// The menus' own status-bar texts ("&Window", "&Help").
const std::vector<MenuTip>& menuTips();

// The entry that starts `procedure`, or null.
const MenuEntry* findMenuEntry(std::string_view procedure);

// The toolbar's user events, posted to the frame.
inline constexpr int kFirstToolbarEvent = 1025;
inline constexpr int kLastToolbarEvent = 1032;

// The menu entry a toolbar event stands for: 1025 Quotes, 1026 Invoices, 1027
// Customers, 1028 Inventory, 1029 A/R, 1031 Schedule List, 1032 Defaults; null for
// 1030 and anything outside the range.
const MenuEntry* menuEntryForToolbarEvent(int event);

}  // namespace quay::desk
