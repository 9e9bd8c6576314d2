// The tip of the day: the rotation from one start to the next (past the last tip
// back to the first), "Display Next Time" and the position written at Close, and the
// house tips given to a data set that has none.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "../../core/tests/masterlists_test_support.h"
#include "quay/app/settings.h"
#include "quay/util/tip_of_day.h"
#include "../../core/tests/offscreen_app.h"
#include "../views/tip_of_day_view.h"

namespace quay::util {
namespace {

using namespace quay::core;
using core::testing::MasterDataTest;

class TipsOfTheDay : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        settings = std::make_unique<Settings>(std::filesystem::path(dir()) / "tallvane.ini");
        glo.MessageOfDay = 1;
    }
    void threeTips() {
        for (int i = 1; i <= 3; ++i) {
            TipOfDay t{};
            t.TIPID = i;
            t.Comment = "Tip number " + std::to_string(i);
            store(t);
        }
    }
    // One start of the program: the position read as the start-up does, one tip
    // shown, then Close.
    std::string start() {
        glo.MODPosition = settings->readNumber("Defaults", "MODPosition", 1);
        TipOfDayWindow w(*db, ui, *settings);
        EXPECT_TRUE(w.open());
        const std::string shown = w.text();
        w.close();
        return shown;
    }
    std::unique_ptr<Settings> settings;
};

TEST_F(TipsOfTheDay, EachStartShowsTheNextTipAndRoundsAfterTheLast) {
    threeTips();
    ASSERT_EQ(settings->write("Defaults", "MODPosition", "3"), SettingsStatus::Ok);
    EXPECT_EQ(start(), "Tip number 3");
    EXPECT_EQ(settings->read("Defaults", "MODPosition", ""), "4");
    EXPECT_EQ(glo.MODDone, 1);
    // No tip 4: the next start shows tip 1 and stores 2.
    EXPECT_EQ(start(), "Tip number 1");
    EXPECT_EQ(settings->read("Defaults", "MODPosition", ""), "2");
    EXPECT_EQ(settings->read("Defaults", "TipOfDay", ""), "True");
}

TEST_F(TipsOfTheDay, NextStepsThroughTheTipsAndPositionZeroCountsAsOne) {
    threeTips();
    glo.MODPosition = 0;
    TipOfDayWindow w(*db, ui, *settings);
    ASSERT_TRUE(w.open());
    std::vector<std::int32_t> shown{w.shownTip()};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(w.next());
        shown.push_back(w.shownTip());
    }
    EXPECT_EQ(shown, (std::vector<std::int32_t>{1, 2, 3, 1}));
    EXPECT_EQ(glo.MODPosition, 2);
}

TEST_F(TipsOfTheDay, UncheckingDisplayNextTimeWritesFalse) {
    threeTips();
    glo.MODPosition = 2;
    TipOfDayWindow w(*db, ui, *settings);
    ASSERT_TRUE(w.open());
    w.setDisplayNextTime(false);
    w.close();
    EXPECT_EQ(glo.MessageOfDay, 0);
    EXPECT_EQ(settings->read("Defaults", "TipOfDay", ""), "False");
    EXPECT_EQ(settings->read("Defaults", "MODPosition", ""), "3");
}

TEST_F(TipsOfTheDay, DataSetWithoutTipsIsGivenTheHouseTips) {
    glo.MODPosition = 1;
    TipOfDayWindow w(*db, ui, *settings);
    ASSERT_TRUE(w.open());
    EXPECT_EQ(w.text(), houseTips().front());
    const auto tips = all<TipOfDay>();
    ASSERT_EQ(tips.size(), houseTips().size());
    for (std::size_t i = 0; i < tips.size(); ++i) {
        EXPECT_EQ(tips[i].TIPID, static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(tips[i].Comment, houseTips()[i]);
    }
    // Tips already kept are never replaced.
    TipOfDayWindow again(*db, ui, *settings);
    EXPECT_EQ(all<TipOfDay>().size(), houseTips().size());
}

TEST_F(TipsOfTheDay, EscapeOrEnterInTheWindowIsClose) {
    quay::testing::offscreenApp();
    threeTips();
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        ASSERT_EQ(settings->write("Defaults", "MODPosition", "1"), SettingsStatus::Ok);
        glo.MODPosition = 1;
        auto window = std::make_unique<TipOfDayWindow>(*db, ui, *settings);
        ASSERT_TRUE(window->open());
        QPointer<TipOfDayView> view = new TipOfDayView(std::move(window));
        view->show();
        QTest::keyClick(view.data(), key);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(view.isNull()) << "the window stayed open after key " << key;
        EXPECT_EQ(settings->read("Defaults", "MODPosition", ""), "2") << "Close did not store the next tip";
        delete view.data();
    }
}

}  // namespace
}  // namespace quay::util
