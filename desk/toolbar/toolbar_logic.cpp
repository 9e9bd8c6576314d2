// Toolbar buttons, tips and docking rules.
#include "toolbar/toolbar_logic.h"

namespace quay::desk {

const std::vector<ToolbarButton>& toolbarButtons() {
    static const std::vector<ToolbarButton> buttons = {
        {"Quotes", "View / Change existing quotes, Add new", "quotes, convert quotes to invoices.", 1025, "quotes"},
        {"Invoices", "View / Change existing invoices, add new", "invoices, convert invoices back to quotes", 1026,
         "invoices"},
        {"Customers", "View / Change existing customers, add new", "customers, delete customers.", 1027, "customers"},
        {"Products / Inventory", "View / Change products, add new", "products, delete products.", 1028, "products"},
        {"Accounts Receivable", "View customer balances, post additional", "charges, post payments.", 1029,
         "receivable"},
        {"Schedule", "View / Change scheduled items for", "customers, products, and vendors.", 1031, "schedule"},
        {"Defaults", "Change program wide defaults, options, and", "custom messages.", 1032, "defaults"},
    };
    return buttons;
}

std::string toolbarTip(const ToolbarButton& button) {
    std::string tip(button.title);
    tip += ":\n";
    tip += button.tipFirst;
    tip += '\n';
    tip += button.tipSecond;
    return tip;
}

ToolbarLayout layoutForDock(ToolbarDock dock, ToolbarLayout current) {
    switch (dock) {
    case ToolbarDock::Left:
    case ToolbarDock::Right: return ToolbarLayout::Vertical;
    case ToolbarDock::Top:
    case ToolbarDock::Bottom: return ToolbarLayout::Horizontal;
    case ToolbarDock::Floating: break;
    }
    return current;
}

std::string_view dockName(ToolbarDock dock) {
    switch (dock) {
    case ToolbarDock::Top: return "Top";
    case ToolbarDock::Left: return "Left";
    case ToolbarDock::Right: return "Right";
    case ToolbarDock::Bottom: return "Bottom";
    case ToolbarDock::Floating: break;
    }
    return "Float";
}

ToolbarDock dockFromName(std::string_view name, ToolbarDock fallback) {
    for (ToolbarDock d :
         {ToolbarDock::Top, ToolbarDock::Left, ToolbarDock::Right, ToolbarDock::Bottom, ToolbarDock::Floating})
        if (dockName(d) == name) return d;
    return fallback;
}

}  // namespace quay::desk
