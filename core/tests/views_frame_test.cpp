// The desktop's window machinery on an offscreen display: procedures found by
// name, "Procedure not defined" for unknown ones, the single-instance rule for
// child windows of the frame, message-box texts, and placement kept for widgets.
#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QScreen>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "quay/app/scripted_ui.h"
#include "quay/app/settings.h"
#include "quay/ui/thread_queue.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/qt_ui_port.h"
#include "quay/views/window_registry.h"
#include "offscreen_app.h"

namespace quay::core {
namespace {

QApplication& app() { return ::quay::testing::offscreenApp(); }

class WindowRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        ThreadQueue::instance().clear();
    }
    void TearDown() override { ThreadQueue::instance().clear(); }
};

TEST_F(WindowRegistryTest, UnknownProcedureShowsProcedureNotDefined) {
    WindowRegistry reg;
    ScriptedUi ui;
    const WindowResponse r = reg.run(ui, "QuoteBrowse", WindowRequest{Request::Change, nullptr, 0, {}});
    EXPECT_EQ(r.response, Response::Cancelled);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Procedure not defined");
    EXPECT_EQ(ui.messages()[0].text, "The Procedure QuoteBrowse has not been defined.");
}

TEST_F(WindowRegistryTest, RegisteredFactoryGetsTheRequestAndAnswersForTheWindow) {
    WindowRegistry reg;
    ScriptedUi ui;
    Request seen = Request::None;
    std::string procedure;
    reg.add("DefaultsForm", [&](WindowContext& c, const WindowRequest& r) {
        seen = r.request;
        procedure = c.procedure;
        return WindowResponse{Response::Completed, 42, {}};
    });
    EXPECT_TRUE(reg.contains("DefaultsForm"));
    const WindowResponse r = reg.run(ui, "DefaultsForm", WindowRequest{Request::Insert, nullptr, 0, {}});
    EXPECT_EQ(r.response, Response::Completed);
    EXPECT_EQ(r.number, 42);
    EXPECT_EQ(seen, Request::Insert);
    EXPECT_EQ(procedure, "DefaultsForm");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(WindowRegistryTest, SingleListOpensOnceAndReopensAfterItCloses) {
    WindowRegistry reg;
    QMdiArea area;
    reg.setMdiArea(&area);
    ScriptedUi ui;
    int built = 0;
    reg.add("QuoteBrowse", [&](WindowContext& c, const WindowRequest&) {
        ++built;
        auto* w = new QLabel("quotes");
        w->setWindowTitle("Quote List");
        c.showChild(w);
        return WindowResponse{Response::Completed, 0, {}};
    });
    reg.runSingle(ui, "QuoteBrowse", "QuoteList");
    ASSERT_EQ(area.subWindowList().size(), 1);
    area.subWindowList()[0]->showMinimized();
    reg.runSingle(ui, "QuoteBrowse", "QuoteList");
    EXPECT_EQ(built, 1);
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_FALSE(area.subWindowList()[0]->isMinimized());
    ASSERT_TRUE(ThreadQueue::instance().find("QuoteList"));

    delete area.subWindowList()[0];
    EXPECT_FALSE(ThreadQueue::instance().find("QuoteList"));
    reg.runSingle(ui, "QuoteBrowse", "QuoteList");
    EXPECT_EQ(built, 2);
    EXPECT_EQ(area.subWindowList().size(), 1);
}

TEST_F(WindowRegistryTest, ListThatDidNotOpenLeavesNoEntry) {
    WindowRegistry reg;
    ScriptedUi ui;
    reg.add("VendorBrowse", [](WindowContext&, const WindowRequest&) { return WindowResponse{}; });
    EXPECT_EQ(reg.runSingle(ui, "VendorBrowse", "VendorList").response, Response::Cancelled);
    EXPECT_FALSE(ThreadQueue::instance().find("VendorList"));
}

TEST_F(WindowRegistryTest, ModalSingleWindowAnswersItsResponseAndLeavesNoEntry) {
    WindowRegistry reg;
    ScriptedUi ui;
    bool heldWhileOpen = false;
    reg.add("DefaultsForm", [&heldWhileOpen](WindowContext&, const WindowRequest&) {
        heldWhileOpen = ThreadQueue::instance().find("DefaultsForm").has_value();
        return WindowResponse{Response::Completed, 0, {}};
    });
    EXPECT_EQ(reg.runSingle(ui, "DefaultsForm", "DefaultsForm").response, Response::Completed);
    EXPECT_TRUE(heldWhileOpen);
    EXPECT_FALSE(ThreadQueue::instance().find("DefaultsForm"));
}

TEST_F(WindowRegistryTest, QtPortShowsTheBoxAndAnswersTheButtonPressed) {
    WindowRegistry reg;
    QtUiPort port(reg);
    QString shownText;
    QString shownTitle;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        shownTitle = box->windowTitle();
        buttons = static_cast<int>(box->buttons().size());
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::Yes)->click();
    });
    const Button b = port.message("Update Cancelled", "First line|Second line", Icon::Question,
                                  Button::Yes | Button::No, Button::No);
    EXPECT_EQ(b, Button::Yes);
    EXPECT_EQ(shownTitle, "Update Cancelled");
    EXPECT_EQ(shownText, "First line\nSecond line");
    EXPECT_EQ(buttons, 2);
}

TEST(QtMessageText, BarsBecomeLineBreaks) {
    EXPECT_EQ(QtUiPort::displayText("Make sure.||Failure to do this"), "Make sure.\n\nFailure to do this");
    EXPECT_EQ(QtUiPort::displayText("plain"), "plain");
}

TEST(WidgetPlacement, ClosedWindowOpensWhereItWasLeft) {
    app();
    const auto file = std::filesystem::temp_directory_path() / "quay_views_placement.ini";
    std::filesystem::remove(file);
    Settings settings(file);
    {
        QWidget w;
        w.resize(200, 100);
        new PlacementKeeper(&w, settings, "VendorForm");
        w.show();
        w.setGeometry(60, 70, 320, 240);
        w.close();
    }
    EXPECT_EQ(settings.readNumber("VendorForm", "Width", 0), 320);
    EXPECT_EQ(settings.find("VendorForm", "Maximize"), "No");
    QWidget again;
    again.resize(200, 100);
    new PlacementKeeper(&again, settings, "VendorForm");
    EXPECT_EQ(again.width(), 320);
    EXPECT_EQ(again.height(), 240);
    std::filesystem::remove(file);
}

TEST(WidgetPlacement, WindowPlacedBeyondItsScreenIsBroughtBackOntoIt) {
    app();
    const auto file = std::filesystem::temp_directory_path() / "quay_views_offscreen.ini";
    std::filesystem::remove(file);
    Settings settings(file);
    QWidget probe;
    ASSERT_NE(probe.screen(), nullptr);
    const QRect room = probe.screen()->availableGeometry();
    // Saved on a larger screen: far to the right and below, and wider than this one.
    ASSERT_EQ(settings.write("CustomerForm", "XPosit", std::to_string(room.right() + 400)), SettingsStatus::Ok);
    ASSERT_EQ(settings.write("CustomerForm", "YPosit", std::to_string(room.bottom() + 300)), SettingsStatus::Ok);
    ASSERT_EQ(settings.write("CustomerForm", "Width", std::to_string(room.width() + 500)), SettingsStatus::Ok);
    ASSERT_EQ(settings.write("CustomerForm", "Height", "200"), SettingsStatus::Ok);
    QWidget w;
    w.resize(300, 150);
    new PlacementKeeper(&w, settings, "CustomerForm");
    w.show();
    QApplication::processEvents();
    // The title bar can be reached; the size the user gave it stays.
    EXPECT_TRUE(room.contains(w.frameGeometry().topLeft())) << w.frameGeometry().x() << "," << w.frameGeometry().y();
    EXPECT_LE(w.frameGeometry().x(), room.right() - 100);
    EXPECT_EQ(w.width(), room.width() + 500);
    std::filesystem::remove(file);
}

TEST(WidgetPlacement, FormGrownBeyondItsScreenIsBroughtWhollyOntoIt) {
    app();
    const auto file = std::filesystem::temp_directory_path() / "quay_views_grown.ini";
    std::filesystem::remove(file);
    Settings settings(file);  // nothing saved: the window system places it
    QWidget w;
    ASSERT_NE(w.screen(), nullptr);
    const QRect room = w.screen()->availableGeometry();
    new PlacementKeeper(&w, settings, "CustomerForm");
    w.setGeometry(room.right() - 200, room.top() + 40, 500, 300);  // centred over its owner, then grown
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(room.contains(w.frameGeometry())) << w.frameGeometry().x() << "," << w.frameGeometry().y();
    EXPECT_EQ(w.width(), 500);
    std::filesystem::remove(file);
}

TEST(WidgetPlacement, NarrowWindowOpensWideEnoughForItsTitleAndFixedOnesKeepTheirSize) {
    app();
    const auto file = std::filesystem::temp_directory_path() / "quay_views_title.ini";
    std::filesystem::remove(file);
    Settings settings(file);
    const QString title = QStringLiteral("Customer Report Selection");
    QWidget narrow;
    narrow.setWindowTitle(title);
    narrow.resize(200, 300);
    new PlacementKeeper(&narrow, settings, "CustomerReportSelection");
    narrow.show();
    QApplication::processEvents();
    EXPECT_GT(narrow.width(), narrow.fontMetrics().horizontalAdvance(title));
    EXPECT_EQ(narrow.height(), 300);

    QWidget fixed;
    fixed.setWindowTitle(title);
    fixed.setFixedSize(200, 120);
    new PlacementKeeper(&fixed, settings, "FixedWindow");
    fixed.show();
    QApplication::processEvents();
    EXPECT_EQ(fixed.width(), 200);
    std::filesystem::remove(file);
}

TEST(WidgetPlacement, AbsurdSavedPlacementIsReadIntoReachAndNeverSavedBack) {
    app();
    const auto file = std::filesystem::temp_directory_path() / "quay_views_absurd.ini";
    std::filesystem::remove(file);
    Settings settings(file);
    ASSERT_EQ(settings.write("Main", "XPosit", "40"), SettingsStatus::Ok);
    ASSERT_EQ(settings.write("Main", "YPosit", "99999999"), SettingsStatus::Ok);
    {
        QWidget w;
        w.resize(300, 150);
        const QRect room = w.screen()->availableVirtualGeometry();
        new PlacementKeeper(&w, settings, "Main");
        // In reach as read, before the window system had any say.
        EXPECT_TRUE(room.contains(w.geometry())) << w.geometry().y();
        w.show();
        // Then dragged out of reach (a screen since removed) and closed there.
        w.move(40, room.bottom() + 5000);
        w.close();
    }
    QWidget probe;
    const QRect room = probe.screen()->availableVirtualGeometry();
    const int y = settings.readNumber("Main", "YPosit", 0);
    EXPECT_GE(y, room.top());
    EXPECT_LE(y, room.bottom()) << "an unreachable placement was saved";
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace quay::core
