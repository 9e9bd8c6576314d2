// MainFrame: the application frame of quaydesk. A multiple-document window with the
// menu bar built from the menu table, the status bar that shows each entry's text,
// the toolbar, and the timer that loads the alarm list, shows the tip of the day and
// checks for due alarms. Menu commands start their procedures through the window
// registry; single lists open once and come to the front when chosen again.
//
// The frame holds Defaults for the whole run (DefaultsHold), keeps its placement
// under "Main" and the toolbar's under "ToolBarWindow", and keeps GLO:FrameX, FrameY,
// FrameW and FrameH up to date. Closing it lets go of Defaults, saves its placement
// and closes every child window.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <QMainWindow>
#include <QPointer>

#include "backup/data_command_flow.h"
#include "frame/frame_timer.h"
#include "frame/menu_table.h"
#include "quay/app/settings.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "startup/defaults_hold.h"

class QMdiArea;
class QTimer;

namespace quay::core {
class WindowRegistry;
class PlacementKeeper;
}  // namespace quay::core

namespace quay::desk {

class ToolbarView;

class HelpWindow;

class MainFrame : public QMainWindow {
    Q_OBJECT
public:
    // The timer's period; the alarm check runs every 41 ticks (about every 10 seconds).
    static constexpr int kTickMilliseconds = 250;

    MainFrame(core::WindowRegistry& registry, core::UiPort& ui, core::Settings& settings, core::Database& db,
              DefaultsHold& defaults, std::filesystem::path dataDirectory);
    ~MainFrame() override;

    // Shows the frame, starts the splash window and the timer.
    void open();

    // Runs a menu entry's command, as choosing it does.
    void runCommand(const MenuEntry& entry);
    // The action of the menu entry whose text is `text` in `menu`, or null.
    QAction* menuAction(std::string_view menu, std::string_view text) const;

    QMdiArea* mdiArea() const { return m_mdi; }
    ToolbarView* toolbar() const { return m_toolbar; }
    FrameTimer& timerLogic() { return *m_timerLogic; }
    QWidget* splash() const { return m_splash; }
    // The help window, once Help has been chosen; null before.
    HelpWindow* helpWindow() const { return m_help; }

    // Replaces the choosers and the worker used by Backup Data and Restore Data (tests).
    void setDataCommandServices(DataCommandServices services) { m_dataServices = std::move(services); }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    QMenu* menuFor(const QString& path);
    void startProcedure(std::string_view procedure);
    void updateFrameGlobals();
    void closeSplash();

    // Frame commands, in frame_commands.cpp.
    void printSetup();
    void editCommand(CommandKind kind);
    void toggleTipOfDay(bool on);
    void dataCommand(CommandKind kind);
    void arrangeIcons();
    void openHelp(const QString& subject, bool search = false);
    void showAbout();

    core::WindowRegistry& m_registry;
    core::UiPort& m_ui;
    core::Settings& m_settings;
    core::Database& m_db;
    DefaultsHold& m_defaults;
    std::filesystem::path m_dataDirectory;

    QMdiArea* m_mdi = nullptr;
    ToolbarView* m_toolbar = nullptr;
    QTimer* m_timer = nullptr;
    std::unique_ptr<FrameTimer> m_timerLogic;
    QPointer<QWidget> m_splash;
    HelpWindow* m_help = nullptr;  // a child of the frame, kept once opened
    core::PlacementKeeper* m_placement = nullptr;
    std::map<QString, QMenu*> m_menus;
    std::map<std::string, QAction*> m_actions;  // "menu|text"
    DataCommandServices m_dataServices;
    bool m_closed = false;
};

}  // namespace quay::desk
