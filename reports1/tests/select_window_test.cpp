// The selection window as the user meets it: it comes back where the user left it (its
// section in tallvane.ini is named by its procedure), shows the selection's fields, pick
// buttons with their check marks and flags, refuses a date it cannot read, and runs the
// report from Print while staying open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "engine_test_support.h"
#include "qt_test_app.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/select/selection_window.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::reports {
namespace {

class SelectionWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::qtApp();
        char pattern[] = "/tmp/quayselXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
        core::glo.reset();
        core::pick::SP::Queue.clear();
    }
    void TearDown() override {
        core::pick::SP::Queue.clear();
        std::filesystem::remove_all(m_dir);
    }

    static SelectionSpec spec(const char* procedure) {
        return SelectionSpec{.procedure = procedure,
                             .title = "Sales Report by Salesperson Selection",
                             .dates = SelectionDates{},
                             .picks = {PickKind::Customers, PickKind::Salesmen},
                             .flags = {{.caption = "Include Order Discount", .global = &core::Globals::UseDiscount},
                                       {.caption = "Include Order Surcharge", .global = &core::Globals::UseSurcharge}}};
    }
    SelectionReport countingReport() {
        return [this](core::UiPort&, const RunOptions&) {
            ++m_runs;
            return RunResult{};
        };
    }

    std::filesystem::path m_dir;
    core::ScriptedUi m_ui;
    int m_runs = 0;
};

TEST_F(SelectionWindowTest, OpensAtTheSavedPlaceOfItsProcedureAndSavesOnClose) {
    const auto path = m_dir / "tallvane.ini";
    std::ofstream(path) << "[SalesBySpSelect]\nMaximize=No\nXPosit=40\nYPosit=60\nWidth=420\nHeight=300\n"
                           "[CustBillSelect]\nMaximize=No\nXPosit=140\nYPosit=160\nWidth=400\nHeight=380\n";
    core::Settings settings(path);
    {
        // A window of a few fields, so that the saved size is not below its smallest one.
        ReportSelection logic(m_ui, SelectionSpec{.procedure = "CustBillSelect", .title = "Customer Statements"},
                              countingReport());
        SelectionWindow window(logic, settings);
        window.show();
        QApplication::processEvents();
        EXPECT_EQ(window.geometry().x(), 140);
        EXPECT_EQ(window.geometry().y(), 160);
        window.setGeometry(90, 110, 380, 260);
        window.close();
        QApplication::processEvents();
    }
    EXPECT_EQ(settings.readNumber("CustBillSelect", "XPosit", 0), 90);
    EXPECT_EQ(settings.readNumber("CustBillSelect", "YPosit", 0), 110);
    EXPECT_EQ(settings.readNumber("CustBillSelect", "Width", 0), 380);
    EXPECT_EQ(settings.read("CustBillSelect", "Maximize"), "No");
    EXPECT_EQ(settings.readNumber("SalesBySpSelect", "XPosit", 0), 40);  // other windows keep theirs
}

TEST_F(SelectionWindowTest, ShowsTheSpecsButtonsFlagsAndCheckMarks) {
    core::Settings settings(m_dir / "tallvane.ini");
    core::glo.UseDiscount = 1;  // left by an earlier run: cleared on opening
    ReportSelection logic(m_ui, spec("SalesBySpSelect"), countingReport());
    SelectionWindow window(logic, settings);
    EXPECT_EQ(window.windowTitle(), "Sales Report by Salesperson Selection");
    ASSERT_EQ(window.pickButtons().size(), 2u);
    EXPECT_EQ(window.pickButtons()[0]->text(), "Pick C&ustomers");
    EXPECT_EQ(window.pickButtons()[1]->text(), "Pick &Salesmen");
    EXPECT_TRUE(window.pickButtons()[1]->icon().isNull());
    ASSERT_EQ(window.flagBoxes().size(), 2u);
    EXPECT_FALSE(window.flagBoxes()[0]->isChecked());
    EXPECT_EQ(core::glo.UseDiscount, 0);

    window.flagBoxes()[1]->setChecked(true);
    EXPECT_EQ(core::glo.UseSurcharge, 1);
    core::pick::SP::Queue.add({"JB", "Jo Briggs", 1});
    window.refresh();
    EXPECT_FALSE(window.pickButtons()[1]->icon().isNull());  // the list exists: check mark
    EXPECT_TRUE(window.pickButtons()[0]->icon().isNull());
}

TEST_F(SelectionWindowTest, ARefusedDateKeepsTheOldOneAndPrintDoesNotRun) {
    core::Settings settings(m_dir / "tallvane.ini");
    ReportSelection logic(m_ui, spec("SalesBySpSelect"), countingReport());
    SelectionWindow window(logic, settings);
    window.show();
    window.beginDateEdit()->setText("03/01/2026");
    window.endDateEdit()->setText("03/31/2026");
    QTest::mouseClick(window.printButton(), Qt::LeftButton);
    EXPECT_EQ(m_runs, 1);
    EXPECT_TRUE(window.isVisible());  // Print leaves the window open
    EXPECT_EQ(core::glo.LowDate1, *core::dateFromCivil(2026, 3, 1));

    window.endDateEdit()->setText("31/31/2026");
    QTest::mouseClick(window.printButton(), Qt::LeftButton);
    EXPECT_EQ(m_runs, 1);
    EXPECT_EQ(core::glo.HiDate1, *core::dateFromCivil(2026, 3, 31));
}

TEST_F(SelectionWindowTest, CancelClosesThroughTheLogic) {
    core::Settings settings(m_dir / "tallvane.ini");
    ReportSelection logic(m_ui, spec("SalesBySpSelect"), countingReport());
    SelectionWindow window(logic, settings);
    window.show();
    window.reject();
    EXPECT_TRUE(logic.isClosed());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_runs, 0);
}

TEST_F(SelectionWindowTest, EndDateAloneOpensAtTheEndOfLastMonthAndPrintNeedsIt) {
    core::Settings settings(m_dir / "tallvane.ini");
    const core::ScopedClockOverride clock(core::DateTime{*core::dateFromCivil(2026, 3, 16), 0});
    SelectionSpec s{.procedure = "CustBillSelect",
                    .title = "Customer Billing Selection",
                    .dates = SelectionDates{.endCalendarTitle = "Select Invoice End Date",
                                            .presets = false,
                                            .endOnly = true,
                                            .endCaption = "Invoice &End Date:",
                                            .openAtEndOfLastMonth = true},
                    .picks = {PickKind::Customers},
                    .atOpen = [] { core::glo.CustType = "ACTIVE"; },
                    .note = "Statements list the charges up to the end date."};
    ReportSelection logic(m_ui, s, countingReport());
    SelectionWindow window(logic, settings);
    window.show();
    EXPECT_EQ(window.beginDateEdit(), nullptr);
    ASSERT_NE(window.endDateEdit(), nullptr);
    EXPECT_EQ(window.endDateEdit()->text(), "02/28/2026");
    EXPECT_EQ(core::glo.CustType.view(), "ACTIVE");
    bool captioned = false, noted = false;
    for (QLabel* l : window.findChildren<QLabel*>()) {
        captioned = captioned || l->text() == "Invoice &End Date:";
        noted = noted || l->text() == "Statements list the charges up to the end date.";
    }
    EXPECT_TRUE(captioned);
    EXPECT_TRUE(noted);
    // The begin date left by another window is never checked against.
    core::glo.LowDate1 = *core::dateFromCivil(2026, 12, 1);
    QTest::mouseClick(window.printButton(), Qt::LeftButton);
    EXPECT_EQ(m_runs, 1);
    window.endDateEdit()->setText("");
    QTest::mouseClick(window.printButton(), Qt::LeftButton);
    EXPECT_EQ(m_runs, 1);
    if (const char* dir = std::getenv("QUAY_SCREENSHOT_DIR"))
        window.grab().save(QString(dir) + "/cust_bill_select.png");
}

}  // namespace
}  // namespace quay::reports
