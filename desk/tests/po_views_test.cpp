// The purchasing windows on an offscreen display over the demo data, which holds open
// and closed purchase orders: the Orders menu reaches them, "Purchase Orders" lists
// the orders of each tab, the receive window shows the received marks, and the new-PO
// form opens with "Save and Print" and "Ditto" and, cancelled, leaves nothing behind.
// Each leaves a picture in the build folder.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "demo/demo_accounts.h"
#include "demo/demo_data_set.h"
#include "demo/demo_orders.h"
#include "demo/demo_purchasing.h"
#include "frame/menu_table.h"
#include "program_windows.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_access.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/views/list_view.h"
#include "quay/views/window_registry.h"
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
    std::error_code ec;
    fs::create_directories(QUAY_SCREENSHOT_DIR, ec);
    if (!ec) shot.save(QString::fromStdString((fs::path(QUAY_SCREENSHOT_DIR) / (name + ".png")).string()));
}

QPushButton* button(QWidget* w, const QString& text) {
    for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->text() == text && b->isVisible()) return b;
    return nullptr;
}

class PoViews : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = fs::temp_directory_path() / ("quay-po-views-" + std::to_string(::getpid()));
        fs::remove_all(s_dir);
        ASSERT_EQ(writeDemoData(s_dir), "");
        core::Database db(s_dir.string());
        ASSERT_EQ(addDemoOrders(db), "");
        ASSERT_EQ(addDemoAccounts(db), "");
        DemoPurchasingSummary s;
        ASSERT_EQ(addDemoPurchasing(db, &s), "");
        EXPECT_GT(s.openOrders, 0);
        EXPECT_GT(s.closedOrders, 0);
    }
    static void TearDownTestSuite() { fs::remove_all(s_dir); }
    void SetUp() override {
        core::glo.reset();
        db = std::make_unique<core::Database>(s_dir.string());
        registerProgramWindows(registry);
        registry.setDatabase(db.get());
        ui.setDefaultAnswer(core::Button::Yes);
        for (const char* w : {"ReceivePOItems", "UpdatePOItems", "POItemLookup", "POForm", "PrintPO"})
            ui.onWindow(w, [this, w](const core::WindowRequest& r) { return registry.run(ui, w, r); });
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        settle();
        db.reset();
    }
    void onModal(std::function<void(QWidget*)> what) {
        QTimer::singleShot(100, [what] {
            if (QWidget* m = QApplication::activeModalWidget()) what(m);
        });
    }
    template <class R>
    std::vector<R> all() {
        core::ScriptedUi quiet;
        core::HeldTable<R> h(*db, quiet);
        std::vector<R> out;
        h.handle.setFileOrder();
        while (h.handle.next() == core::ErrorCode::None) out.push_back(h.rec());
        return out;
    }

    static fs::path s_dir;
    std::unique_ptr<core::Database> db;
    core::ScriptedUi ui;
    core::WindowRegistry registry;
};
fs::path PoViews::s_dir;

TEST_F(PoViews, TheOrdersMenuReachesThePurchasingWindows) {
    for (const char* p : {"NEWPOFORM", "BROWSENEWPOS", "BROWSEPOS"}) {
        const MenuEntry* e = findMenuEntry(p);
        ASSERT_NE(e, nullptr) << p;
        EXPECT_EQ(e->menu, "&Orders");
        EXPECT_TRUE(registry.contains(p)) << p;
    }
    EXPECT_EQ(findMenuEntry("NEWPOFORM")->text, "&New PO");
    EXPECT_EQ(findMenuEntry("BROWSENEWPOS")->text, "&Modify New PO's");
    EXPECT_EQ(findMenuEntry("BROWSEPOS")->text, "View / Receive &POs");
}

TEST_F(PoViews, TheDemoHoldsOpenAndClosedOrdersWithTheirReceipts) {
    int open = 0, closed = 0;
    for (const core::PO& p : all<core::PO>()) {
        if (p.Status.view() == "Open") ++open;
        if (p.Status.view() == "Closed") ++closed;
    }
    EXPECT_GT(open, 0);
    EXPECT_GT(closed, 0);
    const std::vector<core::PO> orders = all<core::PO>();
    for (const core::POItems& l : all<core::POItems>()) {
        for (const core::PO& p : orders) {
            if (p.PoNum == l.PoNum && p.Status.view() == "Closed") {
                EXPECT_EQ(l.RECEIVED, 1) << l.POINUM;
            }
        }
    }
}

TEST_F(PoViews, PurchaseOrdersListsEachTabAndOpensTheReceiveWindow) {
    ASSERT_EQ(registry.run(ui, "BROWSEPOS", core::WindowRequest{}).response, core::Response::Completed);
    core::ListView* view = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "BrowsePOs") view = qobject_cast<core::ListView*>(w);
    ASSERT_NE(view, nullptr);
    view->show();
    EXPECT_EQ(view->windowTitle(), "Purchase Orders");
    EXPECT_GT(view->table()->model()->rowCount(), 0);
    EXPECT_EQ(button(view, "&Change"), nullptr);  // this list receives; POs are written elsewhere
    ASSERT_NE(button(view, "&Receive Entire Order into Inventory"), nullptr);
    screenshot(view, "po_browse_open_by_vendor");
    auto* tabs = view->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 6);
    tabs->setCurrentIndex(1);
    settle();
    EXPECT_GT(view->table()->model()->rowCount(), 0);
    screenshot(view, "po_browse_closed_by_vendor");

    // The receive window over a closed order: every line ticked.
    view->table()->setFocus();
    view->table()->selectRow(0);
    bool shown = false;
    onModal([&](QWidget* m) {
        shown = m->objectName() == "ReceivePOItems";
        screenshot(m, "po_receive_items");
        if (QPushButton* close = button(m, "Close")) QTest::mouseClick(close, Qt::LeftButton);
        else m->close();
    });
    QTest::mouseClick(button(view, "Re&ceive Individual Items or Change Dates"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(shown);
}

TEST_F(PoViews, ANewPoFormOpensAndCancelledLeavesNothing) {
    const std::size_t before = all<core::PO>().size();
    bool shown = false;
    onModal([&](QWidget* m) {
        shown = m->windowTitle() == "Add New PO";
        EXPECT_NE(button(m, "Save and Print"), nullptr);
        EXPECT_NE(button(m, "Ditto"), nullptr);
        screenshot(m, "po_new_po_form");
        if (QPushButton* cancel = button(m, "Cancel")) QTest::mouseClick(cancel, Qt::LeftButton);
        else m->close();
    });
    registry.run(ui, "NEWPOFORM", core::WindowRequest{});
    settle();
    EXPECT_TRUE(shown);
    EXPECT_EQ(all<core::PO>().size(), before);
}

}  // namespace
}  // namespace quay::desk

int main(int argc, char** argv) { return quay::desk::testing::runWindowTests(argc, argv, "po-views"); }
