// The account windows on an offscreen display over the demo data: the receivables
// list with its outstanding balance and "&View", the account window with its totals
// and Close storing the balance, the payment form worked by keyboard and mouse, the
// charge form, and the verification window. Each leaves a picture in /work/shots/ar
// (when that folder can be made) and in the build folder.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "accounts/views/account_dialogs.h"
#include "accounts/views/account_windows.h"
#include "demo/demo_accounts.h"
#include "demo/demo_data_set.h"
#include "demo/demo_orders.h"
#include "frame/menu_table.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/customers/customer_balance.h"
#include "quay/util/verify_windows.h"
#include "quay/views/tool_views.h"
#include "window_test_main.h"

namespace quay::desk {
namespace {

namespace fs = std::filesystem;

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void screenshot(QWidget* w, const std::string& name) {
    settle();
    const QPixmap shot = w->grab();
    for (const fs::path& dir : {fs::path(QUAY_SCREENSHOT_DIR), fs::path("/work/shots/ar")}) {
        std::error_code ec;
        fs::create_directories(dir, ec);
        if (!ec) shot.save(QString::fromStdString((dir / (name + ".png")).string()));
    }
}

QPushButton* button(QWidget* w, const QString& text) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == text && b->isVisible()) return b;
    return nullptr;
}

// The figure a window shows under a caption ("Balance Due:" is "BalanceDue").
QLabel* figure(QWidget* w, const char* name) { return w->findChild<QLabel*>(name); }

class AccountViews : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = fs::temp_directory_path() / ("quay-ar-views-" + std::to_string(::getpid()));
        fs::remove_all(s_dir);
        ASSERT_EQ(writeDemoData(s_dir), "");
        core::Database db(s_dir.string());
        ASSERT_EQ(addDemoOrders(db), "");
        ASSERT_EQ(addDemoAccounts(db), "");
    }
    static void TearDownTestSuite() { fs::remove_all(s_dir); }
    void SetUp() override {
        core::glo.reset();
        db = std::make_unique<core::Database>(s_dir.string());
        core::registerFrameworkWindows(registry);
        registerAccountWindows(registry);
        util::registerVerifyWindows(registry);
        registry.setDatabase(db.get());
        ui.setDefaultAnswer(core::Button::Yes);
        ui.onWindow("BrwsCustAccount",
                    [this](const core::WindowRequest& r) { return registry.run(ui, "BrwsCustAccount", r); });
        ui.onWindow("EditPayments",
                    [this](const core::WindowRequest& r) { return registry.run(ui, "EditPayments", r); });
        ui.onWindow("EditCharges", [this](const core::WindowRequest& r) { return registry.run(ui, "EditCharges", r); });
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        settle();
        db.reset();
    }
    // Runs `what` on the modal window once it is up.
    void onModal(std::function<void(QWidget*)> what) {
        QTimer::singleShot(50, [what] {
            QWidget* m = QApplication::activeModalWidget();
            if (m) what(m);
        });
    }
    std::string firstCustomerWithOpenCharges() {
        core::ScriptedUi quiet;
        core::HeldTable<core::Charges> chg(*db, quiet);
        chg.handle.set(core::Charges::byPaid);
        while (chg.handle.next() == core::ErrorCode::None)
            if (chg.rec().Paid == 0 && chg.rec().UNPAIDBAL.scaled() > 0) return chg.rec().Customer.str();
        return {};
    }

    static fs::path s_dir;
    std::unique_ptr<core::Database> db;
    core::ScriptedUi ui;
    core::WindowRegistry registry;
};
fs::path AccountViews::s_dir;

TEST_F(AccountViews, MenuAndToolbarReachTheAccountWindows) {
    // Master Lists, A/R and the toolbar's Accounts Receivable button; Utilities, Verify AR.
    const MenuEntry* ar = findMenuEntry("ARBrowse");
    ASSERT_NE(ar, nullptr);
    EXPECT_EQ(ar->menu, "&Master Lists");
    EXPECT_EQ(menuEntryForToolbarEvent(1029), ar);
    const MenuEntry* verify = findMenuEntry("VERIFYARFILES");
    ASSERT_NE(verify, nullptr);
    EXPECT_EQ(verify->menu, "&Utilities");
    for (const char* p : {"ARBrowse", "BrwsCustAccount", "EditPayments", "EditCharges", "VERIFYARFILES"})
        EXPECT_TRUE(registry.contains(p)) << p;
}

TEST_F(AccountViews, ReceivablesListShowsTheOutstandingBalanceAndViewsAnAccount) {
    ASSERT_EQ(registry.run(ui, "ARBrowse", core::WindowRequest{}).response, core::Response::Completed);
    ARBrowseView* view = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ARBrowse") view = static_cast<ARBrowseView*>(w);
    ASSERT_NE(view, nullptr);
    view->show();
    std::int64_t expected = 0;
    ASSERT_TRUE(outstandingBalance(*db, ui, expected));
    EXPECT_NE(expected, 0);
    QLabel* total = figure(view, "OutstandingBalance");
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->text().toStdString(), moneyText(money(expected)));
    QPushButton* viewButton = button(view, "&View");
    ASSERT_NE(viewButton, nullptr);
    EXPECT_EQ(button(view, "&Insert") == nullptr || !button(view, "&Insert")->isEnabled(), true);
    screenshot(view, "ar_browse");

    // "&View" on the first customer: the account window; its Close stores the balance.
    bool shown = false;
    onModal([&](QWidget* m) {
        shown = m->objectName() == "BrwsCustAccount";
        screenshot(m, "brws_cust_account");
        if (QPushButton* close = button(m, "Close"))
            QTest::mouseClick(close, Qt::LeftButton);
        else
            m->close();
    });
    QTest::mouseClick(viewButton, Qt::LeftButton);
    settle();
    EXPECT_TRUE(shown);
}

TEST_F(AccountViews, AccountWindowTotalsAndBalanceDue) {
    const std::string who = firstCustomerWithOpenCharges();
    ASSERT_FALSE(who.empty());
    core::glo.CustName = who;
    BrwsCustAccount window(*db, ui, core::WindowRequest{});
    ASSERT_TRUE(window.open());
    BrwsCustAccountDialog dialog(window);
    dialog.show();
    QLabel* balance = figure(&dialog, "BalanceDue");
    ASSERT_NE(balance, nullptr);
    EXPECT_EQ(balance->text().toStdString(), moneyText(money(window.balanceDue())));
    auto* display = dialog.findChild<QComboBox*>();
    ASSERT_NE(display, nullptr);
    display->setCurrentIndex(2);  // All
    settle();
    EXPECT_EQ(window.display(), BrwsCustAccount::Display::All);
    screenshot(&dialog, "brws_cust_account_all");
    display->setCurrentIndex(0);
    QTest::mouseClick(button(&dialog, "Close"), Qt::LeftButton);
    core::GETCUSTBALANCE(*db, ui, who);
    core::ScriptedUi quiet;
    core::HeldTable<core::Customer> cus(*db, quiet);
    cus.rec().Name = who;
    ASSERT_EQ(cus.handle.get(core::Customer::byName), core::ErrorCode::None);
    EXPECT_EQ(cus.rec().BALANCEDUE, core::glo.BalanceDue);
}

TEST_F(AccountViews, PaymentFormByKeyboardAndMouse) {
    const std::string who = firstCustomerWithOpenCharges();
    core::HeldTable<core::Payments> pay(*db, ui);
    core::WindowRequest r;
    r.request = core::Request::Insert;
    r.table = &pay.handle;
    r.text = who;
    EditPayments form(*db, ui, pay.handle, r);
    ASSERT_TRUE(form.open());
    EditPaymentsDialog dialog(form, ui);
    dialog.show();
    settle();
    auto* table = dialog.findChildren<QTableWidget*>().at(0);
    ASSERT_GT(table->rowCount(), 0);
    // Amount by keyboard: it has the focus when the form opens.
    QLineEdit* amount = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(amount, nullptr);
    amount->selectAll();
    QTest::keyClicks(amount, "10.00");
    QTest::keyClick(amount, Qt::Key_Tab);
    settle();
    EXPECT_EQ(form.rec().AMOUNT.scaled(), 1000);
    // A double-click on the first outstanding charge applies the payment to it.
    const QRect cell = table->visualItemRect(table->item(0, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    settle();
    EXPECT_EQ(form.totalApplied(), 1000);
    EXPECT_EQ(form.rec().UNAPPAMT.scaled(), 0);
    QLabel* balance = figure(&dialog, "Balance");
    ASSERT_NE(balance, nullptr);
    EXPECT_EQ(balance->text(), "$0.00");
    screenshot(&dialog, "edit_payments");
    QTest::mouseClick(button(&dialog, "OK"), Qt::LeftButton);
    EXPECT_EQ(form.response().response, core::Response::Completed);
}

TEST_F(AccountViews, ChargeFormShowsItsProtection) {
    core::ScriptedUi quiet;
    core::HeldTable<core::Charges> chg(*db, quiet);
    chg.handle.set(core::Charges::byId);
    ASSERT_EQ(chg.handle.next(), core::ErrorCode::None);  // the first invoice's charge
    core::WindowRequest r;
    r.request = core::Request::Change;
    r.table = &chg.handle;
    EditCharges form(*db, ui, chg.handle, r);
    ASSERT_TRUE(form.open());
    EditChargesDialog dialog(form, ui);
    dialog.show();
    settle();
    int disabled = 0;
    for (QLineEdit* e : dialog.findChildren<QLineEdit*>())
        if (!e->isEnabled()) ++disabled;
    EXPECT_EQ(disabled, 3);  // date, reason and amount of an invoice's charge
    screenshot(&dialog, "edit_charges");
    dialog.reject();
}

TEST_F(AccountViews, VerificationWindowRunsFromItsOk) {
    bool seen = false;
    onModal([&](QWidget* m) {
        seen = m->windowTitle() == "Analyze AR files";
        screenshot(m, "verify_ar_files");
        QTest::mouseClick(button(m, "&Ok"), Qt::LeftButton);
    });
    const core::WindowResponse response = registry.run(ui, "VERIFYARFILES", core::WindowRequest{});
    EXPECT_TRUE(seen);
    EXPECT_EQ(response.response, core::Response::Completed);
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back().text, "Analysis complete");
}

}  // namespace
}  // namespace quay::desk

int main(int argc, char** argv) { return quay::desk::testing::runWindowTests(argc, argv, "accounts-views"); }
