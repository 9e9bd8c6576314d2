// The frame on an offscreen display over the demo data: every menu entry with its
// text and status text, procedures not yet built reported only when chosen, the
// one-instance rule through the menu and the toolbar, placement kept under "Main",
// the tip-of-the-day item, backup from the menu, the area code window, and a
// screenshot of each window into the build folder for a look.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include "about/about_window.h"
#include "areacode/area_code_view.h"
#include "demo/demo_data_set.h"
#include "desk_test_support.h"
#include "frame/main_frame.h"
#include "frame/menu_table.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/use_counters.h"
#include "quay/tables/customer.h"
#include "quay/views/masterlists/master_windows.h"
#include "quay/views/schedule/schedule_windows.h"
#include "quay/util/util_windows.h"
#include "quay/views/tool_views.h"
#include "quay/views/window_registry.h"
#include "frame/procedure_names.h"
#include "help/help_window.h"
#include "desk_windows.h"
#include "startup/startup_sequence.h"
#include "toolbar/toolbar_view.h"

namespace quay::desk {
namespace {

namespace fs = std::filesystem;
using core::Button;

QApplication& app() {
    static int argc = 1;
    static char name[] = "quaydesk_views_test";
    static char* argv[] = {name, nullptr};
    static QApplication* a = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *a;
}

// Runs what the event loop would: posted events and the deletion of closed windows.
void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Saves a picture of `w` as the build folder's screenshots/<name>.png.
void screenshot(QWidget* w, const std::string& name) {
    const fs::path dir = QUAY_SCREENSHOT_DIR;
    fs::create_directories(dir);
    settle();
    ASSERT_TRUE(w->grab().save(QString::fromStdString((dir / (name + ".png")).string())));
}

class FrameView : public testing::DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        app();
        ASSERT_EQ(writeDemoData(dataDir()), "");
        settings = std::make_unique<core::Settings>(settingsFile());
        start = std::make_unique<StartupSequence>(ui, *settings);
        StartupOptions o;
        o.arguments = {dataDir().string()};
        o.loginName = [] { return std::string("pat"); };
        ASSERT_EQ(start->run(o), StartupOutcome::Ready);
        openFrame();
    }
    void TearDown() override {
        frame.reset();
        start.reset();
        DeskTest::TearDown();
    }
    void openFrame() {
        frame = std::make_unique<MainFrame>(registry, ui, *settings, start->database(), start->defaults(), dataDir());
        frame->show();
        settle();
    }
    QAction* action(std::string_view menu, std::string_view text) {
        QAction* a = frame->menuAction(menu, text);
        EXPECT_NE(a, nullptr) << menu << " " << text;
        return a;
    }
    // A list window that shows itself as a child of the frame, counting its opens.
    void registerList(const std::string& procedure, int* opened) {
        registry.add(procedure, [opened, procedure](core::WindowContext& c, const core::WindowRequest&) {
            ++*opened;
            auto* list = new QLabel(QString::fromStdString(procedure));
            list->setWindowTitle(QString::fromStdString(procedure));
            c.showChild(list);
            return core::WindowResponse{core::Response::Completed, 0, {}};
        });
    }

    core::ScriptedUi ui;
    core::WindowRegistry registry;
    std::unique_ptr<core::Settings> settings;
    std::unique_ptr<StartupSequence> start;
    std::unique_ptr<MainFrame> frame;
};

TEST_F(FrameView, EveryMenuEntryIsThereWithItsTextAndStatusText) {
    for (const MenuEntry& e : menuTable()) {
        SCOPED_TRACE(std::string(e.menu) + " " + std::string(e.text));
        QAction* a = action(e.menu, e.text);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text().toStdString(), e.text);
        EXPECT_EQ(a->statusTip().toStdString(), e.statusTip);
    }
    EXPECT_TRUE(action("&Utilities", "&Tip Of The Day")->isCheckable());

    // Walked from the menu bar down, each entry sits under menus captioned exactly as its
    // path lists them: "&A/R" is one sub-menu of "&Reports", not "A" holding "R".
    for (const MenuEntry& e : menuTable()) {
        SCOPED_TRACE(std::string(e.menu) + " " + std::string(e.text));
        std::vector<std::string> captions;
        for (QObject* o = action(e.menu, e.text)->parent(); o != nullptr; o = o->parent())
            if (auto* m = qobject_cast<QMenu*>(o)) captions.insert(captions.begin(), m->title().toStdString());
        std::string path;
        for (const std::string& c : captions) path += (path.empty() ? "" : " > ") + c;
        EXPECT_EQ(path, e.menu);
    }
    QMenu* reports = nullptr;
    for (QAction* a : frame->menuBar()->actions())
        if (a->text() == "&Reports") reports = a->menu();
    ASSERT_NE(reports, nullptr);
    QStringList sub;
    for (QAction* a : reports->actions())
        if (a->menu() != nullptr) sub << a->text();
    EXPECT_EQ(sub.join(","), "&Customer,&Inventory,&Vendor,&A/R,&Sales and Tax");

    EXPECT_EQ(frame->windowTitle(), "Harbourline Marine Supply - Billquay");
    screenshot(frame.get(), "frame");
}

TEST_F(FrameView, HelpShowsTheGuideInTheProgramsOwnWindowWithoutABrowser) {
    action("&Help", "&Contents")->trigger();
    settle();
    HelpWindow* help = frame->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QString guide = help->browser()->toPlainText();
    EXPECT_TRUE(guide.startsWith("Billquay user guide")) << guide.left(80).toStdString();
    // The guide speaks of the windows the program has.
    EXPECT_TRUE(guide.contains("Quotes and invoices"));
    EXPECT_TRUE(guide.contains("Schedule and alarms"));
    EXPECT_TRUE(ui.messages().empty());

    // Search opens the same window, with the find field ready; a word that occurs is found,
    // from the top again once passed, and one that does not is said so.
    action("&Help", "&Search for Help On...")->trigger();
    settle();
    EXPECT_EQ(frame->helpWindow(), help);
    help->findField()->setText("restore");
    EXPECT_TRUE(help->findNext());
    EXPECT_EQ(help->browser()->textCursor().selectedText().toLower(), "restore");
    help->findField()->setText("zeppelin");
    EXPECT_FALSE(help->findNext());
    screenshot(help, "help");
}

TEST_F(FrameView, UnbuiltProcedureIsReportedWhenChosenAndTheStartUpStagesRunTheirWindows) {
    core::registerScheduleWindows(registry);
    util::registerUtilWindows(registry);
    for (int i = 0; i < 3; ++i) frame->timerLogic().tick();
    settle();
    EXPECT_TRUE(ui.messages().empty());

    action("&Orders", "&New PO")->trigger();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Procedure not defined");
    EXPECT_EQ(ui.messages()[0].text, "The Procedure NEWPOFORM has not been defined.");
}

TEST_F(FrameView, QuotesChosenTwiceBringsTheOpenListToTheFront) {
    int opened = 0;
    registerList("QuoteBrowse", &opened);
    action("&Orders", "&Quotes")->trigger();
    settle();
    ASSERT_EQ(frame->mdiArea()->subWindowList().size(), 1);
    frame->mdiArea()->subWindowList().front()->showMinimized();
    // The toolbar's Quotes button takes the same path as the menu.
    QCoreApplication::postEvent(frame.get(), new QEvent(static_cast<QEvent::Type>(1025)));
    settle();
    EXPECT_EQ(opened, 1);
    ASSERT_EQ(frame->mdiArea()->subWindowList().size(), 1);
    EXPECT_FALSE(frame->mdiArea()->subWindowList().front()->isMinimized());
    ASSERT_TRUE(core::ThreadQueue::instance().find("QuoteList"));

    frame->mdiArea()->subWindowList().front()->close();
    settle();
    EXPECT_FALSE(core::ThreadQueue::instance().find("QuoteList"));
    action("&Orders", "&Quotes")->trigger();
    settle();
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 1);
}

TEST_F(FrameView, ProcedureRegisteredUnderAnotherSpellingIsFound) {
    int opened = 0;
    registerList("CustomerBrowse", &opened);
    frame->toolbar()->buttonAction(1027)->trigger();
    settle();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(core::ThreadQueue::instance().find("CustomerList"));
}

TEST_F(FrameView, PlacementIsRestoredFromMainAndSavedOnClose) {
    frame.reset();
    settings->write("Main", "XPosit", "30");
    settings->write("Main", "YPosit", "40");
    settings->write("Main", "Width", "900");
    settings->write("Main", "Height", "600");
    settings->write("Main", "Maximize", "No");
    openFrame();
    EXPECT_EQ(frame->geometry().topLeft(), QPoint(30, 40));
    EXPECT_EQ(frame->geometry().size(), QSize(900, 600));
    EXPECT_EQ(core::glo.FrameX, 30);
    EXPECT_EQ(core::glo.FrameW, 900);

    frame->setGeometry(50, 60, 1000, 650);
    settle();
    EXPECT_EQ(core::glo.FrameY, 60);
    EXPECT_EQ(core::glo.FrameH, 650);
    EXPECT_EQ(core::UseCounters::count("Defaults"), 1);
    frame->close();
    settle();
    EXPECT_EQ(settings->read("Main", "XPosit"), "50");
    EXPECT_EQ(settings->read("Main", "Width"), "1000");
    EXPECT_EQ(settings->read("Main", "Maximize"), "No");
    EXPECT_EQ(settings->read("ToolBarWindow", "Dock"), "Top");
    // Closing the frame lets go of Defaults.
    EXPECT_EQ(core::UseCounters::count("Defaults"), 0);
}

TEST_F(FrameView, ClosingTheFrameClosesItsChildWindows) {
    int opened = 0;
    registerList("VendorBrowse", &opened);
    action("&Master Lists", "&Vendors")->trigger();
    settle();
    ASSERT_EQ(frame->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(frame->close());
    settle();
    EXPECT_TRUE(frame->mdiArea()->subWindowList().isEmpty());
    EXPECT_FALSE(core::ThreadQueue::instance().find("VendorList"));
    EXPECT_EQ(core::UseCounters::count("Defaults"), 0);
}

TEST_F(FrameView, EditCommandsWorkOnTheFocusedField) {
    auto* field = new QLineEdit(QStringLiteral("Harbour chain"));
    field->setObjectName("field");
    core::WindowContext context{registry, ui, &start->database(), frame.get(), "Test", {}, 0};
    context.showChild(field);
    settle();
    field->setFocus();
    field->selectAll();
    settle();
    ASSERT_EQ(QApplication::focusWidget(), field);
    action("&Edit", "Cu&t")->trigger();
    EXPECT_EQ(field->text(), "");
    action("&Edit", "&Paste")->trigger();
    EXPECT_EQ(field->text(), "Harbour chain");
    field->selectAll();
    action("&Edit", "&Copy")->trigger();
    field->setText("x");
    field->selectAll();
    action("&Edit", "&Paste")->trigger();
    EXPECT_EQ(field->text(), "Harbour chain");
}

TEST_F(FrameView, TipOfTheDayItemWritesTheSetting) {
    QAction* tips = action("&Utilities", "&Tip Of The Day");
    ASSERT_TRUE(tips->isChecked());
    tips->trigger();
    EXPECT_EQ(core::glo.MessageOfDay, 0);
    EXPECT_EQ(settings->read("Defaults", "TipOfDay"), "False");
    tips->trigger();
    EXPECT_EQ(core::glo.MessageOfDay, 1);
    EXPECT_EQ(settings->read("Defaults", "TipOfDay"), "True");
}

TEST_F(FrameView, BackupFromTheMenuWritesADatedFileOrIsRefusedWhileATableIsHeld) {
    const fs::path folder = root() / "chosen backups";
    DataCommandServices services;
    services.chooseFolder = [folder](const fs::path&) { return std::optional<fs::path>(folder); };
    frame->setDataCommandServices(services);

    {
        // Another window has the customer list open.
        core::Handle<core::Customer> held(start->database());
        ASSERT_EQ(held.open(), core::ErrorCode::None);
        action("&Utilities", "&Backup Data")->trigger();
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].caption, "Request Cancelled, Files Open");
        EXPECT_FALSE(fs::exists(folder));
    }
    ui.clearRecord();
    ui.answer(Button::Ok);
    action("&Utilities", "&Backup Data")->trigger();
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].caption, "Warning");
    EXPECT_EQ(ui.messages()[1].caption, "Backup Complete");
    int backups = 0;
    for (const auto& e : fs::directory_iterator(folder)) backups += e.path().extension() == ".bqbackup";
    EXPECT_EQ(backups, 1);
    EXPECT_EQ(settings->read("Backup", "Folder"), folder.string());
    // The frame holds Defaults again afterwards.
    EXPECT_EQ(core::UseCounters::count("Defaults"), 1);
}

TEST_F(FrameView, AreaCodeWindowKeepsItsPlaceUntilThreeDigitsAreTyped) {
    AreaCodeView view(ui, *settings, frame.get());
    view.show();
    screenshot(&view, "area_code_window");
    view.entry()->setText("61");
    view.accept();
    EXPECT_TRUE(view.isVisible());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "The area code must be three digits, for example 617.");
    view.entry()->clear();
    view.entry()->setText("978");
    view.accept();
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.response().response, core::Response::Completed);
    EXPECT_EQ(view.response().text, "978");
    EXPECT_FALSE(settings->read("EnterDefaultAreaCode", "Width").empty());
}

TEST_F(FrameView, WindowsAndMenusForALook) {
    AboutWindow about(frame.get());
    about.show();
    EXPECT_NE(about.findChild<QLabel*>("version"), nullptr);
    EXPECT_EQ(about.findChild<QLabel*>("version")->text(), "Version 1.01.00");
    EXPECT_NE(about.findChild<QPushButton*>(), nullptr);
    EXPECT_EQ(about.findChild<QPushButton*>()->text(), "&Close");
    screenshot(&about, "about_window");
    about.close();

    for (const char* menu : {"&File", "&Orders", "&Master Lists", "&Utilities", "&Window", "&Help"}) {
        QAction* first = nullptr;
        for (const MenuEntry& e : menuTable())
            if (e.menu == menu) {
                first = frame->menuAction(e.menu, e.text);
                break;
            }
        ASSERT_NE(first, nullptr);
        auto* m = qobject_cast<QMenu*>(first->parent());
        ASSERT_NE(m, nullptr);
        m->popup(frame->mapToGlobal(QPoint(40, 30)));
        std::string name = std::string("menu_") + (menu + 1);
        for (char& c : name)
            if (c == ' ') c = '_';
        screenshot(m, name);
        m->hide();
    }

    frame->addToolBar(Qt::LeftToolBarArea, frame->toolbar());
    settle();
    EXPECT_EQ(frame->toolbar()->orientation(), Qt::Vertical);
    EXPECT_EQ(frame->toolbar()->dock(), ToolbarDock::Left);
    screenshot(frame.get(), "frame_toolbar_left");
}

TEST_F(FrameView, EveryBuiltWindowOfTheMenuOpensOverTheDemoData) {
    core::registerFrameworkWindows(registry);
    core::registerMasterWindows(registry);
    registerDeskWindows(registry);
    aliasDocumentedProcedures(registry);
    int opened = 0;
    for (const MenuEntry& e : menuTable()) {
        if (e.procedure.empty() || !registeredName(registry, e.procedure)) continue;
        SCOPED_TRACE(std::string(e.procedure));
        std::string name(e.procedure);
        // A modal window (a form) is pictured and closed from inside its own event loop.
        bool sawModal = false;
        QTimer::singleShot(400, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                sawModal = true;
                screenshot(modal, "window_" + name);
                modal->close();
            }
        });
        const int before = static_cast<int>(frame->mdiArea()->subWindowList().size());
        action(e.menu, e.text)->trigger();
        settle();
        const auto subs = frame->mdiArea()->subWindowList();
        if (static_cast<int>(subs.size()) > before) {
            subs.back()->resize(760, 480);
            screenshot(subs.back(), "window_" + name);
            ++opened;
        } else {
            // Let the timer run when the window was not modal after all.
            for (int i = 0; i < 20 && !sawModal; ++i) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                QThread::msleep(25);
            }
            EXPECT_TRUE(sawModal) << "neither a child window nor a modal window opened";
            ++opened;
        }
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList()) sub->close();
        settle();
        EXPECT_TRUE(ui.messages().empty()) << (ui.messages().empty() ? "" : ui.messages().front().text);
        ui.clearRecord();
    }
    EXPECT_GE(opened, 1);
    std::printf("opened %d windows of the menu\n", opened);
}

}  // namespace
}  // namespace quay::desk
