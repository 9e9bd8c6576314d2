// The frame: menus from the table, the MDI area, the toolbar, the timer, the
// splash window, and the frame's part in start-up and shut-down.
#include "frame/main_frame.h"
#include "help/help_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "frame/procedure_names.h"
#include "frame/splash_window.h"
#include "quay/app/globals.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/window_registry.h"
#include "toolbar/toolbar_view.h"

namespace quay::desk {

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
std::string actionKey(std::string_view menu, std::string_view text) {
    return std::string(menu) + "|" + std::string(text);
}
}  // namespace

MainFrame::MainFrame(core::WindowRegistry& registry, core::UiPort& ui, core::Settings& settings, core::Database& db,
                     DefaultsHold& defaults, std::filesystem::path dataDirectory)
    : m_registry(registry),
      m_ui(ui),
      m_settings(settings),
      m_db(db),
      m_defaults(defaults),
      m_dataDirectory(std::move(dataDirectory)) {
    setObjectName("Main");
    const std::string company = defaults.isHeld() ? defaults.handle().rec.COMPANYNAME.str() : std::string();
    setWindowTitle(company.empty() ? QStringLiteral("Billquay") : qs(company) + QStringLiteral(" - Billquay"));
    setWindowIcon(QIcon(QStringLiteral(":/toolbar/icons/invoices.svg")));

    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setBackground(QBrush(QColor(0x6b, 0x7f, 0x96)));
    setCentralWidget(m_mdi);
    m_registry.setMdiArea(m_mdi);
    m_registry.setFrame(this);
    m_registry.setDatabase(&m_db);

    buildMenus();
    statusBar()->showMessage(tr("Ready"));

    m_toolbar = new ToolbarView(this, m_settings);
    m_toolbar->restorePlace();

    FrameTimer::Actions actions;
    actions.loadAlarmQueue = [this] { startProcedure("LOADALARMQUEUE"); };
    actions.displayTipOfDay = [this] { startProcedure("DISPLAYTIPOFDAY"); };
    actions.alarmWindow = [this] { startProcedure("ALARMWINDOW"); };
    m_timerLogic = std::make_unique<FrameTimer>(m_ui, core::AlarmQueue::instance(), std::move(actions));
    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMilliseconds);
    connect(m_timer, &QTimer::timeout, this, [this] { m_timerLogic->tick(); });

    // The layout's own placement: most of the screen (at least 1180 x 760, as far as
    // the screen allows), in its middle, so a large screen gives the lists room; the
    // saved placement, when there is one, replaces it.
    const QRect screen =
        QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry() : QRect(0, 0, 1280, 800);
    const int wide = std::max(1180, screen.width() * 85 / 100);
    const int high = std::max(760, screen.height() * 85 / 100);
    const QSize size(std::min(wide, screen.width() - 40), std::min(high, screen.height() - 40));
    setGeometry(QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size));
    m_placement = new core::PlacementKeeper(this, m_settings, QStringLiteral("Main"));
    m_dataServices = {};
    updateFrameGlobals();
}

MainFrame::~MainFrame() {
    m_registry.setMdiArea(nullptr);
    m_registry.setFrame(nullptr);
}

void MainFrame::open() {
    show();
    updateFrameGlobals();
    auto* splash = new SplashWindow(this);
    splash->show();
    m_splash = splash;
    m_timer->start();
}

QMenu* MainFrame::menuFor(const QString& path) {
    auto it = m_menus.find(path);
    if (it != m_menus.end()) return it->second;
    // " > " parts the levels of a sub-menu path; a caption itself may hold "/" ("&A/R").
    static const QString kLevel = QStringLiteral(" > ");
    const int level = path.lastIndexOf(kLevel);
    QMenu* menu = nullptr;
    if (level < 0) {
        menu = menuBar()->addMenu(path);
    } else {
        menu = menuFor(path.left(level))->addMenu(path.mid(level + kLevel.size()));
    }
    m_menus[path] = menu;
    return menu;
}

void MainFrame::buildMenus() {
    for (const MenuEntry& entry : menuTable()) {
        QMenu* menu = menuFor(qs(entry.menu));
        // Exit stands apart from the commands above it, as on every desktop.
        if (entry.kind == CommandKind::Exit || entry.kind == CommandKind::About ||
            entry.kind == CommandKind::TipOfDay || entry.kind == CommandKind::Backup)
            menu->addSeparator();
        QAction* action = menu->addAction(qs(entry.text));
        action->setStatusTip(qs(entry.statusTip));
        if (!entry.shortcut.empty()) action->setShortcut(QKeySequence(qs(entry.shortcut)));
        if (entry.kind == CommandKind::TipOfDay) {
            action->setCheckable(true);
            action->setChecked(core::glo.MessageOfDay == 1);
            connect(action, &QAction::toggled, this, [this](bool on) {
                closeSplash();
                toggleTipOfDay(on);
            });
        } else {
            const MenuEntry* e = &entry;
            connect(action, &QAction::triggered, this, [this, e] { runCommand(*e); });
        }
        m_actions[actionKey(entry.menu, entry.text)] = action;
    }
    for (const MenuTip& tip : menuTips()) menuFor(qs(tip.menu))->menuAction()->setStatusTip(qs(tip.statusTip));
}

QAction* MainFrame::menuAction(std::string_view menu, std::string_view text) const {
    auto it = m_actions.find(actionKey(menu, text));
    return it == m_actions.end() ? nullptr : it->second;
}

void MainFrame::startProcedure(std::string_view procedure) {
    const std::optional<std::string> name = registeredName(m_registry, procedure);
    m_registry.run(m_ui, name ? *name : std::string(procedure), core::WindowRequest{}, this);
}

void MainFrame::runCommand(const MenuEntry& entry) {
    closeSplash();
    switch (entry.kind) {
    case CommandKind::Procedure: startProcedure(entry.procedure); break;
    case CommandKind::SingleList: {
        const std::optional<std::string> name = registeredName(m_registry, entry.procedure);
        m_registry.runSingle(m_ui, name ? *name : std::string(entry.procedure), std::string(entry.listName));
        break;
    }
    case CommandKind::PrintSetup: printSetup(); break;
    case CommandKind::Exit: close(); break;
    case CommandKind::Cut:
    case CommandKind::Copy:
    case CommandKind::Paste: editCommand(entry.kind); break;
    case CommandKind::TipOfDay: {
        QAction* a = menuAction(entry.menu, entry.text);
        if (a) a->toggle();
        break;
    }
    case CommandKind::Backup:
    case CommandKind::Restore: dataCommand(entry.kind); break;
    case CommandKind::Tile: m_mdi->tileSubWindows(); break;
    case CommandKind::Cascade: m_mdi->cascadeSubWindows(); break;
    case CommandKind::ArrangeIcons: arrangeIcons(); break;
    case CommandKind::HelpContents: openHelp({}); break;
    case CommandKind::HelpSearch: openHelp(QStringLiteral("index"), true); break;
    case CommandKind::HelpHowTo: openHelp(QStringLiteral("using-help")); break;
    case CommandKind::About: showAbout(); break;
    }
}

bool MainFrame::event(QEvent* event) {
    const int type = static_cast<int>(event->type());
    if (type >= kFirstToolbarEvent && type <= kLastToolbarEvent) {
        if (const MenuEntry* entry = menuEntryForToolbarEvent(type)) runCommand(*entry);
        return true;
    }
    return QMainWindow::event(event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    m_mdi->closeAllSubWindows();
    // A closed child goes away at the next turn of the event loop; one still shown kept
    // itself open (its user went back to unsaved work), and the frame stays with it.
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (sub->isVisible()) {
            event->ignore();
            return;
        }
    }
    m_timer->stop();
    closeSplash();
    m_toolbar->savePlace();
    m_defaults.release();
    m_closed = true;
    event->accept();
}

void MainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    updateFrameGlobals();
}

void MainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    updateFrameGlobals();
}

void MainFrame::updateFrameGlobals() {
    const QRect g = geometry();
    core::glo.FrameX = g.x();
    core::glo.FrameY = g.y();
    core::glo.FrameW = g.width();
    core::glo.FrameH = g.height();
}

void MainFrame::closeSplash() {
    if (m_splash) m_splash->close();
}

}  // namespace quay::desk
