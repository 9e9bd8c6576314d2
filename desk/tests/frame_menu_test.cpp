// The frame's menu table and the toolbar: accelerators that do not collide within a
// menu, single lists kept under their list names, the toolbar events turned into
// menu commands, the docking and layout rules, and the area code window's answers.
#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "areacode/area_code_logic.h"
#include "frame/menu_table.h"
#include "quay/app/scripted_ui.h"
#include "toolbar/toolbar_logic.h"

namespace quay::desk {
namespace {

char accelerator(std::string_view text) {
    const auto amp = text.find('&');
    if (amp == std::string_view::npos || amp + 1 >= text.size()) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])));
}

TEST(FrameMenu, EveryEntryHasAnAcceleratorAndAStatusText) {
    // Some menus share a letter between two entries (C&atalogs and Product &Analysis
    // Report); the window system then cycles between them, so only presence is required.
    for (const MenuEntry& e : menuTable()) {
        SCOPED_TRACE(std::string(e.menu) + " " + std::string(e.text));
        EXPECT_NE(accelerator(e.text), 0);
        EXPECT_NE(accelerator(e.menu), 0);
        EXPECT_FALSE(e.statusTip.empty());
    }
    EXPECT_EQ(menuTable().size(), 54u);
}

TEST(FrameMenu, SingleListsCarryTheirListNamesAndProceduresAreNamed) {
    // columns: procedure, list name
    const std::vector<std::pair<std::string_view, std::string_view>> singles = {
        {"QuoteBrowse", "QuoteList"},       {"InvoiceBrowse", "InvoiceList"},
        {"CUSTOMERBROWSE", "CustomerList"}, {"PRODUCTBROWSE", "ProductList"},
        {"VENDORBROWSE", "VendorList"},     {"MANUFACTBROWSE", "ManufacturerList"},
        {"GROUPSBROWSE", "GroupsList"},     {"SALESPEOPLEBROWSE", "SalespeopleList"},
        {"BROWSESHIPVIA", "ShipViaList"},   {"TERMSBROWSE", "TermsList"},
        {"SCHEDULEBROWSE", "ScheduleList"}, {"DEFAULTSFORM", "DefaultsForm"},
    };
    for (const auto& [procedure, list] : singles) {
        SCOPED_TRACE(procedure);
        const MenuEntry* e = findMenuEntry(procedure);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->kind, CommandKind::SingleList);
        EXPECT_EQ(e->listName, list);
    }
    int singleCount = 0;
    for (const MenuEntry& e : menuTable()) {
        if (e.kind == CommandKind::SingleList) ++singleCount;
        if (e.kind == CommandKind::Procedure || e.kind == CommandKind::SingleList) {
            EXPECT_FALSE(e.procedure.empty());
        }
    }
    EXPECT_EQ(singleCount, static_cast<int>(singles.size()));
}

TEST(FrameMenu, StandardCommandsShowTheirStatusTexts) {
    std::map<std::string_view, std::string_view> tips;
    for (const MenuEntry& e : menuTable()) tips[e.text] = e.statusTip;
    EXPECT_EQ(tips["P&rint Setup..."], "Setup Printer");
    EXPECT_EQ(tips["E&xit"], "Exit this application");
    EXPECT_EQ(tips["Cu&t"], "Remove item to Windows Clipboard");
    EXPECT_EQ(tips["&Copy"], "Copy item to Windows Clipboard");
    EXPECT_EQ(tips["&Paste"], "Paste contents of Windows Clipboard");
    EXPECT_EQ(tips["T&ile"], "Make all open windows visible");
    EXPECT_EQ(tips["&Cascade"], "Stack all open windows");
    EXPECT_EQ(tips["&Arrange Icons"], "Align all window icons");
    EXPECT_EQ(tips["&Contents"], "View the contents of the help file");
    EXPECT_EQ(tips["&Search for Help On..."], "Search for help on a subject");
    EXPECT_EQ(tips["&How to Use Help"], "How to use Windows Help");
}

TEST(ToolbarEvents, EventsTurnIntoTheirMenuCommands) {
    // columns: event, procedure it starts ("" for none)
    const std::vector<std::pair<int, std::string_view>> cases = {
        {1025, "QuoteBrowse"},
        {1026, "InvoiceBrowse"},
        {1027, "CUSTOMERBROWSE"},
        {1028, "PRODUCTBROWSE"},
        {1029, "ARBrowse"},
        {1030, ""},
        {1031, "SCHEDULEBROWSE"},
        {1032, "DEFAULTSFORM"},
        {1024, ""},
        {1033, ""},
    };
    for (const auto& [event, procedure] : cases) {
        SCOPED_TRACE(event);
        const MenuEntry* e = menuEntryForToolbarEvent(event);
        if (procedure.empty()) {
            EXPECT_EQ(e, nullptr);
        } else {
            ASSERT_NE(e, nullptr);
            EXPECT_EQ(e->procedure, procedure);
        }
    }
    // Every button posts an event the frame knows.
    for (const ToolbarButton& b : toolbarButtons()) EXPECT_NE(menuEntryForToolbarEvent(b.event), nullptr);
}

TEST(ToolbarEvents, TipsShowTitleAndTwoLines) {
    ASSERT_EQ(toolbarButtons().size(), 7u);
    EXPECT_EQ(toolbarTip(toolbarButtons()[0]),
              "Quotes:\nView / Change existing quotes, Add new\nquotes, convert quotes to invoices.");
    EXPECT_EQ(toolbarTip(toolbarButtons()[6]),
              "Defaults:\nChange program wide defaults, options, and\ncustom messages.");
}

TEST(ToolbarDocking, LayoutsFollowTheDockAndTheDockIsKeptByName) {
    EXPECT_EQ(layoutForDock(ToolbarDock::Left, ToolbarLayout::Horizontal), ToolbarLayout::Vertical);
    EXPECT_EQ(layoutForDock(ToolbarDock::Top, ToolbarLayout::Vertical), ToolbarLayout::Horizontal);
    EXPECT_EQ(layoutForDock(ToolbarDock::Floating, ToolbarLayout::Vertical), ToolbarLayout::Vertical);
    EXPECT_EQ(dockFromName(dockName(ToolbarDock::Left), ToolbarDock::Top), ToolbarDock::Left);
    EXPECT_EQ(dockFromName("sideways", ToolbarDock::Top), ToolbarDock::Top);
}

TEST(AreaCodeWindowAnswers, OkGivesThreeDigitsAndRefusesOtherEntries) {
    core::ScriptedUi ui;
    AreaCodeWindow w(ui);
    for (const char* bad : {"", "61", "6a7", "6177"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(w.ok(bad));
    }
    ASSERT_EQ(ui.messages().size(), 4u);
    EXPECT_EQ(ui.messages()[0].caption, "Default Area Code");
    EXPECT_EQ(ui.messages()[0].text, "The area code must be three digits, for example 617.");
    EXPECT_TRUE(w.ok(" 617 "));
    EXPECT_EQ(w.response().response, core::Response::Completed);
    EXPECT_EQ(w.areaCode(), "617");
    w.cancel();
    EXPECT_EQ(w.response().response, core::Response::Cancelled);
}

}  // namespace
}  // namespace quay::desk
