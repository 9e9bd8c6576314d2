// The order-entry dialogs as a whole: each is built over the data set and grabbed
// into the build folder as a picture to look at; placement is kept in tallvane.ini
// and a window opens where it was closed.
#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "orders/views/order_dialogs.h"
#include "orders/views/order_windows.h"
#include "orders/views/quote_details_view.h"
#include "../../core/tests/alt_keys.h"
#include "dialog_gallery.h"
#include "orders_dialogs_support_test.h"
#include "quay/app/settings.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/masterlists/master_windows.h"
#include "quay/views/qt_ui_port.h"
#include "quay/views/tool_views.h"
#include "quay/views/window_registry.h"

namespace quay::desk {
namespace {

using testing::money;
using testing::price;

class OrderDialogs : public testing::DialogsTest {};

TEST_F(OrderDialogs, EveryDialogBuildsWithItsCaptionAndOkButton) {
    strict = false;
    core::Orders o;
    o.OrdNum = 12;
    o.InvoiceNum = 40;
    o.Status = "Q";
    o.CustName = "Acme Supply";
    o.OrdDate = core::today();
    o.PRICECLASS = "3";
    o.SLSTAXRATE1 = price("8.2500");
    o.TOTAL = money("1234.56");
    o.REFERENCE = "Spring order";
    o.Notes = "Deliver to the loading dock at the back.";
    core::Payments pay;
    pay.Customer = "Acme Supply";
    pay.Method = "Check";
    pay.AMOUNT = money("200.00");
    pay.Date = core::today();
    LineEntry line;
    line.PARTNUM = "BOLT-1";
    line.QTY = money("2.00");
    line.PRICE = price("12.5000");
    line.COMMENTS = "Zinc plated";
    core::glo.PartNum = "BOLT-1";
    core::glo.OrdCost = money("60.00");
    core::glo.ListSubTotal = money("100.00");
    core::glo.DiscountAmt = money("-10.00");
    // Window name, caption, the button Enter presses.
    const struct {
        const char* name;
        const char* caption;
        const char* defaultButton;
    } dialogs[] = {
        {"QuoteDetails", "Quote Details", "&Ok"},
        {"ItemOrdForm", "Order Item", "&Ok"},
        {"ItemComments", "Item Comments", "Close"},
        {"SaveInvoiceForm", "Save As Invoice", "Ok"},
        {"PostInvoicePayment", "Post Invoice Initial Payment", "&Ok"},
        {"QuoteSerialList", "Serial Numbers", "&Save"},
        {"SerialNumberForm", "Serial Number Form", "&Save"},
        {"QuoteComments", "Quote Comments", "Close"},
        {"InvoiceComments", "Invoice Comments", "Close"},
        {"ProfitMarginWindow", "Profit Information", "&OK"},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.name);
        core::Orders order = o;
        std::unique_ptr<QWidget> w(testing::makeDialog(d.name, *db, ui, order, pay, line, nullptr));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), d.name);
        EXPECT_EQ(w->windowTitle(), d.caption);
        QPushButton* byDefault = nullptr;
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->isDefault()) byDefault = b;
        ASSERT_NE(byDefault, nullptr);
        EXPECT_EQ(byDefault->text(), d.defaultButton);
        w->show();
        QApplication::processEvents();
        const QString path = QString(QUAY_SCREENSHOT_DIR) + "/" + d.name + ".png";
        EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
        ::quay::testing::expectEachAltKeyReachesOneControl(*w, d.name);
        // The header and the invoice dialog give every field a key; the header has
        // more fields than its captions have letters, so the ship-to lines after the
        // name follow it by Tab.
        const std::vector<std::string> without = ::quay::testing::fieldsWithoutAltKey(*w);
        if (std::string(d.name) == "QuoteDetails") {
            EXPECT_EQ(without, (std::vector<std::string>{"Address:", "", "State:", "Attn:", "Phone:"}));
        }
        if (std::string(d.name) == "SaveInvoiceForm") {
            EXPECT_EQ(without, std::vector<std::string>{});
        }
    }
}

TEST_F(OrderDialogs, HeaderWindowOpensWhereItWasClosed) {
    core::Orders order;
    order.CustName = "Acme Supply";
    order.OrdDate = core::today();
    {
        QuoteDetailsView view(*db, ui, order);
        showActive(view);
        view.move(140, 90);
        view.resize(view.width() + 60, view.height() + 30);
        QApplication::processEvents();
        view.reject();
    }
    core::Settings& ini = core::programSettings();
    EXPECT_EQ(ini.read("QuoteDetails", "Maximize", ""), "No");
    const int x = ini.readNumber("QuoteDetails", "XPosit", 0);
    const int y = ini.readNumber("QuoteDetails", "YPosit", 0);
    const int width = ini.readNumber("QuoteDetails", "Width", 0);
    // Where the window was moved to (the window system may count its frame in).
    EXPECT_NEAR(x, 140, 8);
    EXPECT_NEAR(y, 90, 40);
    EXPECT_GT(width, 0);
    QuoteDetailsView again(*db, ui, order);
    showActive(again);
    const core::WindowGeometry g = core::widgetGeometry(&again);
    EXPECT_EQ(g.x, x);
    EXPECT_EQ(g.y, y);
    EXPECT_EQ(g.w, width);
    again.reject();
}

TEST_F(OrderDialogs, RunByNameThroughTheRegistryTheRealWindowsOpen) {
    core::WindowRegistry registry;
    registry.setDatabase(db.get());
    registerOrderWindows(registry);
    registerOrderDialogs(registry);
    core::Handle<core::Orders> orders(*db);
    orders.rec.CustName = "Acme Supply";
    orders.rec.OrdDate = core::today();
    orders.rec.TOTAL = money("10.00");
    orders.rec.Notes = "Ring at the gate";
    core::Handle<core::Payments> payments(*db);
    payments.rec.Method = "Cash";
    // Procedure, its table, the window that must open.
    const struct {
        const char* procedure;
        core::Table* table;
        const char* caption;
    } cases[] = {
        {"QuoteDetails", &orders, "Quote Details"},
        {"SaveInvoiceForm", &orders, "Save As Invoice"},
        {"PostInvoicePayment", &payments, "Post Invoice Initial Payment"},
        {"QuoteComments", &orders, "Quote Comments"},
        {"InvoiceComments", &orders, "Invoice Comments"},
        {"ProfitMarginWindow", nullptr, "Profit Information"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.procedure);
        QString opened;
        QTimer::singleShot(0, [&opened] {
            QWidget* w = QApplication::activeModalWidget();
            if (w == nullptr) return;
            opened = w->objectName() + " / " + w->windowTitle();
            w->close();
        });
        core::WindowRequest r;
        r.request = core::Request::Change;
        r.table = c.table;
        registry.run(ui, c.procedure, r);
        EXPECT_EQ(opened, QString(c.procedure) + " / " + c.caption);
    }
    // The invoice's notes are only shown: closing keeps nothing.
    EXPECT_EQ(orders.rec.Notes.view(), "Ring at the gate");
}

TEST_F(OrderDialogs, EveryLookUpOpensAListTheProgramHas) {
    core::WindowRegistry registry;
    core::registerFrameworkWindows(registry);
    core::registerMasterWindows(registry);
    for (HeaderField f : {HeaderField::CustName, HeaderField::Salesperson, HeaderField::TERMS, HeaderField::SHIPVIA})
        EXPECT_TRUE(registry.contains(OrderLookups::listProcedure(f))) << OrderLookups::listProcedure(f);
    EXPECT_TRUE(registry.contains("PRODUCTBROWSE"));
    EXPECT_TRUE(registry.contains("DATESELECT"));
}

TEST_F(OrderDialogs, HeaderWindowOverTheProgramsOwnListAndCalendar) {
    core::WindowRegistry registry;
    registry.setDatabase(db.get());
    core::registerFrameworkWindows(registry);
    core::registerMasterWindows(registry);
    core::QtUiPort port(registry);
    core::Orders order;
    order.Status = "Q";
    order.OrdDate = core::today();
    order.PRICECLASS = "3";
    QuoteDetailsView view(*db, port, order);
    showActive(view);
    // The customer list in select mode: the user types the name into its locator
    // and presses "&Select".
    QString listTitle;
    testing::whenModalOpens(&view, [&listTitle](QWidget* list) {
        listTitle = list->windowTitle();
        QLineEdit* locator = list->findChild<QLineEdit*>();
        ASSERT_NE(locator, nullptr);
        QTest::keyClicks(locator, "Baker");
        QPushButton* select = testing::buttonCaptioned(list, "&Select");
        ASSERT_NE(select, nullptr);
        QTest::mouseClick(select, Qt::LeftButton);
    });
    typeAndTab(field(view, "CustName"), "B");
    EXPECT_FALSE(listTitle.isEmpty());
    EXPECT_EQ(order.CustName.view(), "Baker Bros");
    EXPECT_EQ(order.PRICECLASS.view(), "1");
    // The calendar opens under the header's title; cancelling keeps the date.
    QString calendarTitle;
    testing::whenModalOpens(&view, [&calendarTitle](QWidget* calendar) {
        calendarTitle = calendar->windowTitle();
        QTest::mouseClick(testing::buttonCaptioned(calendar, "&Cancel"), Qt::LeftButton);
    });
    showActive(view);
    QLineEdit* date = field(view, "OrdDate");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_F2);
    EXPECT_EQ(calendarTitle, "Select Order Date");
    EXPECT_EQ(order.OrdDate, core::today());
}

}  // namespace
}  // namespace quay::desk

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // A settings file of the run's own: the placement the dialogs keep goes there,
    // never into the user's tallvane.ini.
    std::string dir = (std::filesystem::temp_directory_path() / "quay-dialogs-ini-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) return 2;
    ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    ::setenv("QUAY_SETTINGS", (std::filesystem::path(dir) / "tallvane.ini").c_str(), 1);
    (void)quay::core::programSettings();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    return rc;
}
