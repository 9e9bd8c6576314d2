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
#include <QTableWidget>
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
#include "quay/tables/ven_prods.h"
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
        if (QPushButton* close = button(m, "Close"))
            QTest::mouseClick(close, Qt::LeftButton);
        else
            m->close();
    });
    QTest::mouseClick(button(view, "Re&ceive Individual Items or Change Dates"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(shown);
}

TEST_F(PoViews, ModifyNewPosChangesAnOpenPoAndItsLines) {
    ASSERT_EQ(registry.run(ui, "BROWSENEWPOS", core::WindowRequest{}).response, core::Response::Completed);
    core::ListView* view = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "BrowseNewPOs") view = qobject_cast<core::ListView*>(w);
    ASSERT_NE(view, nullptr);
    view->show();
    EXPECT_EQ(view->windowTitle(), "Browse PO's");
    ASSERT_GT(view->table()->model()->rowCount(), 0);
    screenshot(view, "po_browse_new_pos");

    // Change on the first open PO: the PO form with its lines; "&Change" on a line opens
    // the line form, which is cancelled, then the PO form is cancelled too.
    bool poForm = false, lineForm = false;
    onModal([&](QWidget* m) {
        poForm = m->windowTitle() == "Add New PO";
        screenshot(m, "po_form_change");
        auto* lines = m->findChild<QTableWidget*>();
        ASSERT_NE(lines, nullptr);
        EXPECT_GT(lines->rowCount(), 0);
        // The first line of the demo's open POs may be received already (and is then
        // refused); the last one never is.
        lines->selectRow(lines->rowCount() - 1);
        QTimer::singleShot(100, [&, m] {
            QWidget* line = QApplication::activeModalWidget();
            if (line != nullptr && line != m) {
                lineForm = line->windowTitle() == "Update the PO Item";
                screenshot(line, "po_update_item");
                if (QPushButton* cancel = button(line, "Cancel")) QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        QPushButton* change = nullptr;
        for (QPushButton* b : m->findChildren<QPushButton*>())
            if (b->text().remove('&') == "Change" && b->isVisible()) change = b;
        ASSERT_NE(change, nullptr);
        QTest::mouseClick(change, Qt::LeftButton);
        settle();
        if (QPushButton* cancel = button(m, "Cancel")) QTest::mouseClick(cancel, Qt::LeftButton);
    });
    view->table()->setFocus();
    QTest::keyClick(view->table(), Qt::Key_Return);
    settle();
    EXPECT_TRUE(poForm);
    EXPECT_TRUE(lineForm);
}

TEST_F(PoViews, TheItemLookupListsTheVendorsItems) {
    core::ScriptedUi quiet;
    core::HeldTable<core::PO> po(*db, quiet);
    ASSERT_EQ(po.handle.set(core::PO::byPoNum), core::ErrorCode::None);
    ASSERT_EQ(po.handle.next(), core::ErrorCode::None);
    core::HeldTable<core::VenProds> vpr(*db, quiet);
    vpr.rec().Vendor = po.rec().Vendor.view();
    bool shown = false;
    onModal([&](QWidget* m) {
        shown = m->windowTitle() == "Select an Item to Order";
        EXPECT_NE(button(m, "&Select"), nullptr);
        EXPECT_NE(button(m, "&All Products"), nullptr);
        auto* table = m->findChild<QTableView*>();
        ASSERT_NE(table, nullptr);
        EXPECT_GT(table->model()->rowCount(), 0);
        screenshot(m, "po_item_lookup");
        QTest::keyClick(table, Qt::Key_Return);  // picks the highlighted item
    });
    const core::WindowResponse r =
        registry.run(ui, "POItemLookup", core::WindowRequest{core::Request::Select, &vpr.handle, 0, {}});
    settle();
    EXPECT_TRUE(shown);
    EXPECT_EQ(r.response, core::Response::Completed);
    EXPECT_TRUE(vpr.rec().Vendor.equalsNoCase(po.rec().Vendor.view()));
    EXPECT_FALSE(vpr.rec().PartNum.isBlank());
}

TEST_F(PoViews, EnterInTheReceiveWindowReceivesTheLine) {
    // The demo's part-received PO: its first line is received, the others not.
    core::PO open{};
    for (const core::PO& p : all<core::PO>()) {
        if (p.Status.view() != "Open") continue;
        int received = 0;
        for (const core::POItems& l : all<core::POItems>())
            if (l.PoNum == p.PoNum && l.RECEIVED) ++received;
        if (received > 0) open = p;
    }
    ASSERT_NE(open.PoNum, 0);
    core::ScriptedUi quiet;
    core::HeldTable<core::PO> po(*db, quiet);
    po.rec() = open;
    int unreceived = 0;
    onModal([&](QWidget* m) {
        auto* table = m->findChild<QTableView*>();
        ASSERT_NE(table, nullptr);
        screenshot(m, "po_receive_part_received");
        table->setFocus();
        // Down to the second line (not received) and Enter: it is received.
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Return);
        settle();
        screenshot(m, "po_receive_marked");
        QTest::keyClick(m, Qt::Key_Escape);
    });
    registry.run(ui, "ReceivePOItems", core::WindowRequest{core::Request::Change, &po.handle, 0, {}});
    settle();
    for (const core::POItems& l : all<core::POItems>())
        if (l.PoNum == open.PoNum && !l.RECEIVED) ++unreceived;
    std::size_t lines = 0;
    for (const core::POItems& l : all<core::POItems>()) lines += l.PoNum == open.PoNum ? 1 : 0;
    EXPECT_EQ(unreceived, static_cast<int>(lines) - 2);
}

TEST_F(PoViews, ANewPoFormOpensAndCancelledLeavesNothing) {
    const std::size_t before = all<core::PO>().size();
    bool shown = false;
    onModal([&](QWidget* m) {
        shown = m->windowTitle() == "Add New PO";
        EXPECT_NE(button(m, "Save and Print"), nullptr);
        EXPECT_NE(button(m, "Ditto"), nullptr);
        screenshot(m, "po_new_po_form");
        if (QPushButton* cancel = button(m, "Cancel"))
            QTest::mouseClick(cancel, Qt::LeftButton);
        else
            m->close();
    });
    registry.run(ui, "NEWPOFORM", core::WindowRequest{});
    settle();
    EXPECT_TRUE(shown);
    EXPECT_EQ(all<core::PO>().size(), before);
}

}  // namespace
}  // namespace quay::desk

int main(int argc, char** argv) { return quay::desk::testing::runWindowTests(argc, argv, "po-views"); }
