// The schedule's windows in the frame on an offscreen display over the demo data:
// the start-up loads the demo user's alarms and shows the tip of the day; a minute
// after start the first demo alarm fires its "Alarm" window, whose Postpone moves
// the stored alarm on; the Schedule List shows the user's entries with the
// highlighted one's customer; the schedule form opens on an entry; and a picture
// of each window is saved for a look.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTextBrowser>
#include <QThread>

#include <gtest/gtest.h>

#include "demo/demo_data_set.h"
#include "desk_test_support.h"
#include "desk_windows.h"
#include "frame/main_frame.h"
#include "modal_driver.h"
#include "quay/app/alarm_queue.h"
#include "quay/app/scripted_ui.h"
#include "quay/tables/schedule.h"
#include "quay/types/clock.h"
#include "quay/util/util_windows.h"
#include "quay/views/list_model.h"
#include "quay/views/list_view.h"
#include "quay/views/masterlists/master_windows.h"
#include "quay/views/schedule/schedule_windows.h"
#include "quay/views/tool_views.h"
#include "quay/views/window_registry.h"
#include "startup/startup_sequence.h"

namespace quay::desk {
namespace {

namespace fs = std::filesystem;

QApplication& app() {
    static int argc = 1;
    static char name[] = "schedule_view_test";
    static char* argv[] = {name, nullptr};
    static QApplication* a = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *a;
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void screenshot(QWidget* w, const std::string& name) {
    const fs::path dir = QUAY_SCREENSHOT_DIR;
    fs::create_directories(dir);
    settle();
    ASSERT_TRUE(w->grab().save(QString::fromStdString((dir / (name + ".png")).string())));
}

QWidget* topLevel(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title) return w;
    return nullptr;
}

class ScheduleView : public testing::DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        app();
        ASSERT_EQ(writeDemoData(dataDir(), nullptr, "PAT"), "");
        settings = std::make_unique<core::Settings>(settingsFile());
        start = std::make_unique<StartupSequence>(ui, *settings);
        StartupOptions o;
        o.arguments = {dataDir().string()};
        o.loginName = [] { return std::string("pat"); };
        ASSERT_EQ(start->run(o), StartupOutcome::Ready);
        core::registerFrameworkWindows(registry);
        core::registerMasterWindows(registry);
        core::registerScheduleWindows(registry);
        util::registerUtilWindows(registry);
        registerDeskWindows(registry);
        core::AlarmQueue::instance().clear();
        frame = std::make_unique<MainFrame>(registry, ui, *settings, start->database(), start->defaults(), dataDir());
        frame->resize(1100, 720);
        frame->show();
        settle();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != frame.get() && w->isVisible()) w->close();
        settle();
        frame.reset();
        start.reset();
        core::AlarmQueue::instance().clear();
        DeskTest::TearDown();
    }
    // The frame's first three ticks, then waits for the loader to finish.
    void startUp() {
        for (int i = 0; i < 3; ++i) frame->timerLogic().tick();
        for (int i = 0; i < 400 && topLevel("Loading Schedule Information"); ++i) {
            QThread::msleep(5);
            settle();
        }
        settle();
    }

    core::ScriptedUi ui;
    core::WindowRegistry registry;
    std::unique_ptr<core::Settings> settings;
    std::unique_ptr<StartupSequence> start;
    std::unique_ptr<MainFrame> frame;
};

TEST_F(ScheduleView, DemoAlarmFiresAMinuteAfterStartAndPostponeMovesIt) {
    startUp();
    // The demo user's four open entries with alarms; the first is a minute ahead.
    EXPECT_EQ(core::AlarmQueue::instance().count(), 4u);
    const core::NextAlarm next = core::glo.nextAlarm();
    ASSERT_EQ(next.AlarmActive, 1);

    QWidget* tip = topLevel("Tip Of The Day");
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(tip->findChild<QTextBrowser*>()->toPlainText().isEmpty());
    screenshot(tip, "schedule_tip_of_day");
    tip->close();
    settle();

    // A minute and a half after start the check finds the alarm due.
    const auto later = core::addToDateTime(next.NextEventDay, next.NextEventTime, 30 * core::kHundredthsPerSecond);
    core::ScopedClockOverride clock(*later);
    frame->timerLogic().checkAlarm();
    settle();
    QWidget* alarm = topLevel("Alarm");
    ASSERT_NE(alarm, nullptr);
    bool actionShown = false;
    for (QLabel* l : alarm->findChildren<QLabel*>())
        if (l->text() == "Call back about the spring haul-out order") actionShown = true;
    EXPECT_TRUE(actionShown);
    screenshot(frame.get(), "schedule_alarm_over_frame");
    screenshot(alarm, "schedule_alarm");

    alarm->findChild<QComboBox*>()->setCurrentIndex(0);  // "5 minutes"
    for (QPushButton* b : alarm->findChildren<QPushButton*>())
        if (b->text() == "&Postpone") b->click();
    settle();
    EXPECT_EQ(topLevel("Alarm"), nullptr);
    core::Handle<core::Schedule> h(start->database());
    ASSERT_EQ(h.open(), core::ErrorCode::None);
    h.rec.SCHID = 1;
    ASSERT_EQ(h.get(core::Schedule::bySchID), core::ErrorCode::None);
    const auto expected = core::addToDateTime(later->date, later->time, 5 * core::kHundredthsPerMinute);
    EXPECT_EQ(h.rec.ALARMDATE, expected->date);
    EXPECT_EQ(h.rec.ALARMTIME, expected->time);
    EXPECT_EQ(core::AlarmQueue::instance().find(1)->EVENTDONE, 0);
}

TEST_F(ScheduleView, ScheduleListShowsTheUsersEntriesAndOpensTheForm) {
    registry.runSingle(ui, "SCHEDULEBROWSE", "ScheduleList");
    settle();
    QMdiSubWindow* sub = registry.mdiArea()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    auto* list = qobject_cast<core::ListView*>(sub->widget());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), "Schedule List");
    EXPECT_EQ(list->model()->rowCount(), 6);
    bool detail = false;
    for (QLabel* l : list->findChildren<QLabel*>())
        if (l->text().startsWith("Customer: ")) detail = true;
    EXPECT_TRUE(detail);
    sub->resize(900, 420);
    screenshot(frame.get(), "schedule_list");

    testing::ModalDriver driver;
    driver.window("ScheduleForm", [](QWidget* w) {
        screenshot(w, "schedule_form");
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == "Cancel") b->click();
    });
    driver.start();
    core::WindowRequest r;
    r.request = core::Request::Change;
    r.number = 2;
    const core::WindowResponse response = registry.run(ui, "SCHEDULEFORM", r, frame.get());
    driver.stop();
    EXPECT_EQ(response.response, core::Response::Cancelled);
}

}  // namespace
}  // namespace quay::desk
