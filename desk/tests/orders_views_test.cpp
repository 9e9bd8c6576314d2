// The order-entry windows on an offscreen display: each is built over a small data
// set, checked for what it shows (rows, totals, enabled commands), worked by its keys
// and buttons, and grabbed into the build folder as a screenshot to look at; and
// every window opens where the user left it, from a private tallvane.ini.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QMainWindow>
#include <QRegularExpression>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

#include <set>
#include <tuple>
#include <utility>

#include "dialog_gallery.h"
#include "orders/order_save.h"
#include "modal_driver.h"
#include "orders/views/invoice_form_view.h"
#include "orders/views/order_dialogs.h"
#include "orders/views/order_list_view.h"
#include "orders/views/order_windows.h"
#include "orders/views/quote_form_view.h"
#include "quay/views/list_model.h"
#include "quay/views/masterlists/master_windows.h"
#include "quay/views/list_view.h"
#include "orders_test_support.h"
#include "quay/types/date.h"
#include "quay/types/picture.h"
#include "quay/ui/thread_queue.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/window_registry.h"
#include "quay/app/use_counters.h"
#include "window_test_main.h"

namespace quay::desk {
namespace {

using testing::ModalDriver;
using testing::money;
using testing::price;

// A double-click on a row, as the mouse makes it: a press and release, then the second press.
[[maybe_unused]] void doubleClick(QTableWidget* table, int row) {
    const QPoint at = table->visualItemRect(table->item(row, 1)).center();
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
}

void shot(QWidget* w, const char* name) {
    w->show();
    QApplication::processEvents();
    const QString path = QString(QUAY_SCREENSHOT_DIR) + "/" + name + ".png";
    EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
}

// The text the list shows in row `row`, column `column`.
QString cell(core::ListView* list, int row, int column) { return list->model()->index(row, column).data().toString(); }
// The highlighted row of a list and its text in `column`.
QString current(core::ListView* list, int column) { return cell(list, list->table()->currentIndex().row(), column); }

class OrderViews : public testing::OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        store(customer("Acme Supply"));
        store(product("BOLT-1", "10.00", 1));
        store(product("NUT-2", "4.00", 0));
        strict = false;
        ui.setDefaultAnswer(core::Button::Ok);
        // A quote and an invoice saved through the save routine.
        ui.onWindow("SaveInvoiceForm", [](const core::WindowRequest& r) {
            static_cast<core::Orders*>(r.table->buffer())->DOWNPAYMENT.clear();
            core::WindowResponse w;
            w.response = core::Response::Completed;
            return w;
        });
        OrderTables t(*db, ui);
        ASSERT_EQ(core::GETCOMPANYDEFAULTS(t.def.handle, 1), 0);
        for (bool invoicing : {false, true}) {
            OrderWork work;
            for (const char* part : {"BOLT-1", "NUT-2"}) {
                LineEntry l;
                l.PARTNUM = part;
                l.DESCRIPTION = std::string("Widget ") + part;
                l.QTY = money("2.00");
                l.PRICE = price("12.5000");
                l.SALESTAXABLE1 = 1;
                l.TRACKSERIAL = "NO";
                l.POSITION = work.nextPosition();
                ASSERT_EQ(computeLineTotal(l), core::DecimalStatus::Ok);
                work.lines.push_back(l);
            }
            t.ord.handle.clear();
            core::Orders& o = t.ord.handle.rec;
            o.Status = "Q";
            o.CustName = "Acme Supply";
            o.PRICECLASS = "3";
            o.OrdDate = core::today();
            o.SLSTAXRATE1 = price("8.2500");
            o.REFERENCE = invoicing ? "Spring order" : "Estimate";
            LineSums s;
            ASSERT_EQ(computeLineSums(o, work.lines, s), core::DecimalStatus::Ok);
            ASSERT_EQ(computeOrderTotals(o, s), core::DecimalStatus::Ok);
            core::Orders snap = o;
            OrderSave save(ui, t, work, snap);
            ASSERT_EQ(save.run(invoicing, true), core::Response::Completed);
        }
        registerOrderWindows(registry);
        registry.setDatabase(db.get());
    }
    void TearDown() override {
        frame.closeAllSubWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        OrdersTest::TearDown();
    }
    // Opens a list through the registry as a child window of `frame`.
    core::ListView* openList(const char* procedure) {
        registry.setMdiArea(&frame);
        frame.resize(1366, 700);
        frame.show();
        frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
        registry.run(ui, procedure, {});
        for (QMdiSubWindow* sub : frame.subWindowList())
            if (sub->widget()->objectName() == procedure) return dynamic_cast<core::ListView*>(sub->widget());
        return nullptr;
    }
    // Windows the list runs by name go to the registry, as on the desktop.
    void runForReal(const char* procedure) {
        ui.onWindow(procedure,
                    [this, procedure](const core::WindowRequest& r) { return registry.run(ui, procedure, r); });
    }

    core::WindowRegistry registry;
    QMdiArea frame;
};

TEST_F(OrderViews, ListsShowTheirOrdersAndTheFormItsLinesAndTotals) {
    core::ListView* quotes = openList("QuoteBrowse");
    ASSERT_NE(quotes, nullptr);
    ASSERT_EQ(quotes->model()->rowCount(), 1);
    EXPECT_EQ(cell(quotes, 0, 3), "Estimate");
    EXPECT_EQ(cell(quotes, 0, 4), "$54.13");  // money: two places, the currency sign
    EXPECT_EQ(quotes->model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "Total");
    shot(quotes, "QuoteBrowse");
    core::ListView* invoices = openList("InvoiceBrowse");
    ASSERT_NE(invoices, nullptr);
    ASSERT_EQ(invoices->model()->rowCount(), 1);
    EXPECT_EQ(cell(invoices, 0, 0), "1");
    EXPECT_EQ(cell(invoices, 0, 1), "2");
    EXPECT_TRUE(ModalDriver::button(invoices, "&View")->isVisible());
    EXPECT_TRUE(ModalDriver::button(invoices, "&Find Invoice by Serial Number")->isVisible());
    shot(invoices, "InvoiceBrowse");

    QuoteForm1View form(*db, ui, core::Request::Change, all<core::Orders>()[0]);
    ASSERT_TRUE(form.start());
    const auto* lines = form.findChild<QTableWidget*>();
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->rowCount(), 2);
    EXPECT_EQ(lines->item(0, 4)->text(), "25.00");
    EXPECT_EQ(form.logic().order().TOTAL, money("54.13"));
    shot(&form, "QuoteForm1");

    InvoiceForm1View closed(*db, ui, all<core::Orders>()[1]);
    EXPECT_EQ(closed.findChild<QTableWidget*>()->rowCount(), 2);
    shot(&closed, "InvoiceForm1");
}

TEST_F(OrderViews, DialogsOfOrderEntry) {
    core::Orders o = all<core::Orders>()[0];
    core::Payments pay;
    pay.Customer = "Acme Supply";
    pay.Method = "Check";
    pay.AMOUNT = money("20.00");
    pay.Date = core::today();
    LineEntry line;
    line.PARTNUM = "BOLT-1";
    line.QTY = money("2.00");
    line.PRICE = price("12.5000");
    for (const char* name :
         {"QuoteDetails", "ItemOrdForm", "SaveInvoiceForm", "PostInvoicePayment", "QuoteSerialList"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> w(testing::makeDialog(name, *db, ui, o, pay, line, nullptr));
        ASSERT_NE(w, nullptr);
        shot(w.get(), name);
    }
    EXPECT_EQ(line.DESCRIPTION.view(), "Widget BOLT-1");  // refreshed from the product
}

TEST_F(OrderViews, LocatorTypedIntoTheListPositionsIt) {
    // Beside quote 1: quotes 3..15 without 12.
    for (int n = 3; n <= 15; ++n) {
        if (n == 12) continue;
        core::Orders o;
        o.OrdNum = n;
        o.Status = "Q";
        o.CustName = n == 7 ? "Zenith Tools" : "Baker " + std::to_string(n);
        o.OrdDate = core::today();
        store(o);
    }
    core::ListView* quotes = openList("QuoteBrowse");
    ASSERT_NE(quotes, nullptr);
    QTableView* table = quotes->table();
    auto* tabs = quotes->findChild<QTabBar*>();
    // The list has the focus as it opens: typing goes straight to its locator.
    EXPECT_TRUE(table->hasFocus());
    // On the number tab the digits 1 and 2 position on quote 12, or the next one.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    ASSERT_EQ(quotes->window().tab(), 1);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_1);
    QTest::keyClick(table, Qt::Key_2);
    EXPECT_EQ(quotes->locator()->text(), "12");
    EXPECT_EQ(current(quotes, 0), "13");
    QTest::keyClick(table, Qt::Key_A);  // not a digit: ignored on the number tab
    EXPECT_EQ(quotes->locator()->text(), "12");
    QTest::keyClick(table, Qt::Key_Backspace);
    EXPECT_EQ(current(quotes, 0), "1");
    QTest::keyClick(table, Qt::Key_Backspace);
    QTest::keyClick(table, Qt::Key_Backspace);  // nothing left to remove
    EXPECT_EQ(quotes->locator()->text(), "");
    // On the name tab a typed prefix positions on the first name at or after it.
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    table->setFocus();
    QTest::keyClicks(table, "ze");
    EXPECT_EQ(current(quotes, 2), "Zenith Tools");
    QTest::keyClick(table, Qt::Key_Backspace);
    QTest::keyClick(table, Qt::Key_Backspace);
    EXPECT_EQ(current(quotes, 2), "Acme Supply");
    EXPECT_EQ(quotes->model()->rowCount(), 13);  // every quote, none of the invoices

    // Enter in the locator opens the quote it found.
    std::vector<std::int32_t> opened;
    ui.onWindow("QuoteForm1", [&](const core::WindowRequest& r) {
        opened.push_back(static_cast<const core::Orders*>(r.table->buffer())->OrdNum);
        return core::WindowResponse{core::Response::Cancelled, 0, {}};
    });
    quotes->locator()->setFocus();
    QTest::keyClicks(quotes->locator(), "zen");
    QTest::keyClick(quotes->locator(), Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<std::int32_t>{7});
    EXPECT_TRUE(quotes->locator()->text().isEmpty());
    EXPECT_TRUE(table->hasFocus());
    // Ctrl+F4 closes the list; F4 alone would have copied the quote.
    QTest::keyClick(table, Qt::Key_F4, Qt::ControlModifier);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.subWindowList().isEmpty());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(all<core::Orders>().size(), 14u);  // nothing was copied
}

TEST_F(OrderViews, ListsOpenOnceAndLeaveTheThreadListWhenClosed) {
    core::ThreadQueue::instance().clear();
    auto shown = [](const char* name) {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) n += w->isVisible() && w->objectName() == name;
        return n;
    };
    for (const auto& [procedure, listName, loading] : {std::tuple{"QuoteBrowse", "QuoteList", "Quotations"},
                                                       std::tuple{"InvoiceBrowse", "InvoiceList", "Invoices"}}) {
        SCOPED_TRACE(procedure);
        ASSERT_EQ(registry.runSingle(ui, procedure, listName).response, core::Response::Completed);
        bool loadingShown = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            loadingShown |= w->isVisible() && w->windowTitle() == loading;
        EXPECT_TRUE(loadingShown) << "no loading window";
        QTest::qWait(20);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->isVisible() && w->windowTitle() == loading) << "the loading window stayed";
        registry.runSingle(ui, procedure, listName);  // a second choice brings the first to the front
        EXPECT_EQ(shown(procedure), 1);
        EXPECT_TRUE(core::ThreadQueue::instance().find(listName).has_value());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == procedure) w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(core::ThreadQueue::instance().find(listName).has_value());
    }
}

// An open quote or invoice list holds Orders for its whole life, so a backup or restore
// is refused meanwhile; closing the window lets the table go.
TEST_F(OrderViews, OpenOrderListsCountOrdersAsHeldUntilClosed) {
    const int before = core::UseCounters::count("Orders");
    core::ListView* quotes = openList("QuoteBrowse");
    core::ListView* invoices = openList("InvoiceBrowse");
    ASSERT_NE(quotes, nullptr);
    ASSERT_NE(invoices, nullptr);
    EXPECT_EQ(core::UseCounters::count("Orders"), before + 2);
    for (QMdiSubWindow* sub : frame.subWindowList()) sub->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(core::UseCounters::count("Orders"), before);
}

TEST_F(OrderViews, WindowsOpenWhereTheyWereLeft) {
    core::Settings& settings = core::programSettings();
    const QRect placed(20, 30, 770, 533);  // within the 800 x 600 test screen
    auto leave = [&](QWidget* w) {
        w->show();
        w->setGeometry(placed);
        QApplication::processEvents();
        w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    auto stored = [&](const char* section) {
        SCOPED_TRACE(section);
        EXPECT_EQ(settings.readNumber(section, "XPosit", 0), placed.x());
        EXPECT_EQ(settings.readNumber(section, "YPosit", 0), placed.y());
        EXPECT_EQ(settings.readNumber(section, "Width", 0), placed.width());
        EXPECT_EQ(settings.readNumber(section, "Height", 0), placed.height());
        EXPECT_EQ(settings.find(section, "Maximize"), "No");
    };
    auto topLevel = [](const char* name) -> QWidget* {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName() == name) return w;
        return nullptr;
    };
    for (const auto& [procedure, listName] :
         {std::pair{"QuoteBrowse", "QuoteList"}, std::pair{"InvoiceBrowse", "InvoiceList"}}) {
        registry.runSingle(ui, procedure, listName);
        ASSERT_NE(topLevel(procedure), nullptr);
        leave(topLevel(procedure));
        stored(procedure);
        registry.runSingle(ui, procedure, listName);
        ASSERT_NE(topLevel(procedure), nullptr);
        EXPECT_EQ(topLevel(procedure)->geometry(), placed) << procedure;
        topLevel(procedure)->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const core::Orders quote = all<core::Orders>()[0];
    const core::Orders invoice = all<core::Orders>()[1];
    {
        QuoteForm1View form(*db, ui, core::Request::Change, quote);
        ASSERT_TRUE(form.start());
        leave(&form);
    }
    stored("QuoteForm1");
    QuoteForm1View form(*db, ui, core::Request::Change, quote);
    EXPECT_EQ(form.geometry(), placed);
    {
        InvoiceForm1View closed(*db, ui, invoice);
        leave(&closed);
    }
    stored("InvoiceForm1");
    InvoiceForm1View closed(*db, ui, invoice);
    EXPECT_EQ(closed.geometry(), placed);
    registry.run(ui, "InvoiceSerialBrowse", {});
    ASSERT_NE(topLevel("InvoiceSerialBrowse"), nullptr);
    leave(topLevel("InvoiceSerialBrowse"));
    stored("InvoiceSerialBrowse");
    registry.run(ui, "InvoiceSerialBrowse", {});
    ASSERT_NE(topLevel("InvoiceSerialBrowse"), nullptr);
    EXPECT_EQ(topLevel("InvoiceSerialBrowse")->geometry(), placed);
    topLevel("InvoiceSerialBrowse")->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(OrderViews, EveryKeyOfTheOrderFormReachesItsWindow) {
    // Quote 1 gets two serial-tracked lines: one with a serial number, one without.
    for (const auto& [ite, withSerial] : {std::pair{50, true}, std::pair{51, false}}) {
        core::ItemsOrd l;
        l.IteNum = ite;
        l.OrdNum = 1;
        l.PartNum = "BOLT-1";
        l.DESCRIPTION = "Widget BOLT-1";
        l.QTY = money("1.00");
        l.PRICE = price("12.5000");
        l.TOTAL = money("12.50");
        l.TRACKSERIAL = "YES";
        store(l);
        if (withSerial) {
            core::Serials s;
            s.ITENUM = ite;
            s.SERIALNUMBER = "A1";
            store(s);
        }
    }
    QuoteForm1View form(*db, ui, core::Request::Change, all<core::Orders>()[0]);
    ASSERT_TRUE(form.start());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* lines = form.findChild<QTableWidget*>();
    ASSERT_EQ(lines->rowCount(), 4);
    QAbstractButton* serials = ModalDriver::button(&form, "F7 - Serial Numbers");
    ASSERT_NE(serials, nullptr);
    // The serial-number button: hidden for an untracked line, a check with numbers, a cross without.
    lines->selectRow(0);
    EXPECT_FALSE(serials->isVisible());
    lines->selectRow(2);
    EXPECT_TRUE(serials->isVisible());
    EXPECT_EQ(serials->property("serialMark").toString(), "check");
    EXPECT_FALSE(serials->icon().isNull());
    lines->selectRow(3);
    EXPECT_EQ(serials->property("serialMark").toString(), "cross");
    lines->selectRow(2);
    shot(&form, "QuoteForm1Serials");

    QStringList opened;
    auto close = [&](QWidget* w) {
        opened << w->windowTitle();
        static_cast<QDialog*>(w)->reject();
    };
    auto titled = [](const char* title) { return [title](QWidget* w) { return w->windowTitle() == title; }; };
    // A key to the form as the user gives it: with the form the active window again
    // after the window before has closed.
    auto key = [&form](Qt::Key k) {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, k);
    };
    ModalDriver driver;
    driver.window("QuoteDetails", close)
        .step("notes", titled("Quote Comments"), close)
        .step("profit", titled("Profit Information"), close)
        .window("QuoteSerialList", close)
        .window("ItemOrdForm", close)
        .window("ItemOrdForm", close)
        .window("ItemOrdForm", close);
    driver.start();
    key(Qt::Key_F2);
    key(Qt::Key_F4);
    key(Qt::Key_F6);
    key(Qt::Key_F7);
    lines->setFocus();
    QTest::keyClick(lines, Qt::Key_Insert);
    QTest::keyClick(lines, Qt::Key_Return);
    doubleClick(lines, 1);
    EXPECT_TRUE(driver.done()) << driver.failure() << " / never reached: " << driver.pending();
    EXPECT_EQ(opened.size(), 7);
    // Delete in the list asks and removes the highlighted line; the one before it is selected.
    lines->selectRow(3);
    lines->setFocus();
    QTest::keyClick(lines, Qt::Key_Delete);
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back().caption, "Delete Line ITem");
    EXPECT_EQ(lines->rowCount(), 3);
    EXPECT_EQ(lines->currentRow(), 2);
    // F9 saves the quote and prints it; the form stays open on the stored quote.
    key(Qt::Key_F9);
    EXPECT_TRUE(form.isVisible());
    int stored = 0;
    for (const core::ItemsOrd& l : all<core::ItemsOrd>()) stored += l.OrdNum == 1;
    EXPECT_EQ(stored, 3);
    // F10 invoices it and closes the form.
    key(Qt::Key_F10);
    driver.stop();
    EXPECT_EQ(form.response(), core::Response::Completed);
    EXPECT_EQ(all<core::Orders>()[0].Status.view(), "I");
}

TEST_F(OrderViews, CopyFromTheListShowsTheOrderAndLandsOnTheNewQuote) {
    runForReal("CopyOrder");
    core::ListView* quotes = openList("QuoteBrowse");
    ASSERT_NE(quotes, nullptr);
    QTableView* table = quotes->table();
    table->setFocus();
    QStringList shown;
    ModalDriver driver;
    driver.window("CopyOrder", [&](QWidget* w) {
        for (const char* name : {"OrdNum", "CustName", "REFERENCE", "TOTAL"})
            shown << w->findChild<QLabel*>(name)->text();
        shot(w, "CopyOrder");
        QTest::mouseClick(ModalDriver::button(w, "&Ok"), Qt::LeftButton);
    });
    ui.answer(core::Button::Yes);  // "Are you sure you want to copy this order?"
    driver.start();
    QTest::keyClick(table, Qt::Key_F4);
    driver.stop();
    EXPECT_TRUE(driver.done()) << driver.failure() << driver.pending();
    EXPECT_EQ(shown, QStringList({"1", "Acme Supply", "Estimate", "$54.13"}));
    ASSERT_EQ(all<core::Orders>().size(), 3u);
    EXPECT_EQ(all<core::Orders>()[2].Status.view(), "Q");
    // The list now shows the number tab positioned on the new quote 3.
    EXPECT_EQ(quotes->window().tab(), 1);
    EXPECT_EQ(current(quotes, 0), "3");
}

TEST_F(OrderViews, CommandsFollowTheLinesOfTheOrder) {
    QuoteForm1View form(*db, ui, core::Request::Change, all<core::Orders>()[0]);
    ASSERT_TRUE(form.start());
    form.show();
    auto* lines = form.findChild<QTableWidget*>();
    auto enabled = [&form](const char* caption) { return ModalDriver::button(&form, caption)->isEnabled(); };
    const char* lineCommands[] = {"&Change",
                                  "&Delete",
                                  "F8 - Save / Print Dtl Ticket",
                                  "F9 - Save / Print Quote",
                                  "F10 - Invoice / Print",
                                  "Save",
                                  "&Save && Close",
                                  "Save As ..."};
    for (const char* caption : lineCommands) EXPECT_TRUE(enabled(caption)) << caption;
    // Deleting the first line selects the new first line; deleting the only one leaves
    // nothing but Insert.
    lines->setFocus();
    lines->selectRow(0);
    QTest::keyClick(lines, Qt::Key_Delete);
    ASSERT_EQ(lines->rowCount(), 1);
    EXPECT_EQ(lines->currentRow(), 0);
    EXPECT_EQ(lines->item(0, 0)->text(), "NUT-2");
    QTest::keyClick(lines, Qt::Key_Delete);
    EXPECT_EQ(lines->rowCount(), 0);
    EXPECT_TRUE(enabled("&Insert"));
    for (const char* caption : lineCommands) EXPECT_FALSE(enabled(caption)) << caption;
    // Nothing was stored by the deletes.
    EXPECT_EQ(all<core::ItemsOrd>().size(), 4u);
}

TEST_F(OrderViews, ClosedInvoiceReprintsAndShowsItsNotesWithoutKeepingThem) {
    InvoiceForm1View closed(*db, ui, all<core::Orders>()[1]);
    closed.show();
    closed.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&closed));
    EXPECT_EQ(closed.findChild<QLabel*>("InvoiceNum")->text(), "1");
    EXPECT_EQ(closed.findChild<QLabel*>("REFERENCE")->text(), "Spring order");
    ModalDriver driver;
    driver.step(
        "notes", [](QWidget* w) { return w->windowTitle() == "Invoice Comments"; },
        [](QWidget* w) {
            auto* notes = w->findChild<QPlainTextEdit*>();
            ASSERT_NE(notes, nullptr);
            QTest::keyClicks(notes, "Deliver to the back door");
            QTest::mouseClick(ModalDriver::button(w, "Close"), Qt::LeftButton);
        });
    driver.start();
    QTest::keyClick(&closed, Qt::Key_F4);
    // The reprint goes through the missing-printer question to the preview.
    ui.answer(core::Button::Yes);
    closed.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&closed));
    QTest::keyClick(&closed, Qt::Key_F10);
    driver.stop();
    EXPECT_TRUE(driver.done()) << driver.failure() << driver.pending();
    EXPECT_EQ(driver.previews(), 1);
    EXPECT_TRUE(all<core::Orders>()[1].Notes.view().empty());
    EXPECT_EQ(all<core::Orders>()[1].Status.view(), "I");
}

TEST_F(OrderViews, ListsInTheFrameKeepThePlacementOfTheirChildWindow) {
    frame.resize(1100, 800);
    frame.show();
    registry.setMdiArea(&frame);
    const QRect placed(23, 34, 690, 410);
    registry.runSingle(ui, "InvoiceBrowse", "InvoiceList");
    ASSERT_EQ(frame.subWindowList().size(), 1);
    QMdiSubWindow* sub = frame.subWindowList()[0];
    sub->setGeometry(placed);
    QApplication::processEvents();
    sub->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.subWindowList().isEmpty());
    EXPECT_EQ(core::programSettings().readNumber("InvoiceBrowse", "Width", 0), placed.width());
    EXPECT_EQ(core::programSettings().readNumber("InvoiceBrowse", "XPosit", 0), placed.x());
    registry.runSingle(ui, "InvoiceBrowse", "InvoiceList");
    ASSERT_EQ(frame.subWindowList().size(), 1);
    EXPECT_EQ(frame.subWindowList()[0]->geometry(), placed);
    frame.closeAllSubWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(OrderViews, ListComingBackToTheFrontShowsOrdersChangedElsewhere) {
    core::ListView* quotes = openList("QuoteBrowse");
    ASSERT_NE(openList("InvoiceBrowse"), nullptr);
    ASSERT_NE(quotes, nullptr);
    ASSERT_EQ(frame.subWindowList().size(), 2);
    QMdiSubWindow* quoteSub = frame.subWindowList()[0];
    frame.setActiveSubWindow(frame.subWindowList()[1]);
    QApplication::processEvents();
    ASSERT_EQ(quotes->model()->rowCount(), 1);
    // While the invoice list is in front, a new quote is stored (another window or
    // another workstation).
    core::Orders o = all<core::Orders>()[0];
    o.OrdNum = 40;
    o.Status = "Q";
    o.InvoiceNum = 0;
    o.REFERENCE = "Written elsewhere";
    store(o);
    EXPECT_EQ(quotes->model()->rowCount(), 1);
    frame.setActiveSubWindow(quoteSub);
    QApplication::processEvents();
    ASSERT_EQ(quotes->model()->rowCount(), 2);
    EXPECT_EQ(cell(quotes, 1, 3), "Written elsewhere");
}

TEST_F(OrderViews, ScrollingReadsOnPastManyOrdersOfOneCustomer) {
    // 150 quotes of one customer: every page goes on right after the last row shown.
    for (int n = 3; n < 153; ++n) {
        core::Orders o;
        o.OrdNum = n;
        o.Status = "Q";
        o.CustName = "Baker Supply";
        store(o);
    }
    core::ListView* quotes = openList("QuoteBrowse");
    ASSERT_NE(quotes, nullptr);
    QTableView* table = quotes->table();
    EXPECT_EQ(quotes->model()->rowCount(), 100);
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
    }
    ASSERT_EQ(quotes->model()->rowCount(), 151);  // Acme's quote and the 150
    std::set<QString> seen;
    for (int r = 0; r < 151; ++r) EXPECT_TRUE(seen.insert(cell(quotes, r, 0)).second) << "twice: " << r;
    EXPECT_EQ(cell(quotes, 0, 2), "Acme Supply");
    EXPECT_EQ(cell(quotes, 1, 2), "Baker Supply");
}

TEST_F(OrderViews, ListsOpenWideEnoughForTheirColumnsAndTileIntoTheirSlots) {
    core::registerMasterWindows(registry);
    registry.setMdiArea(&frame);
    frame.resize(1366, 700);
    frame.show();
    QApplication::processEvents();
    const QRect room = frame.viewport()->rect();
    const char* lists[] = {"QuoteBrowse",    "InvoiceBrowse", "InvoiceSerialBrowse", "CUSTOMERBROWSE",
                           "PRODUCTBROWSE",  "VENDORBROWSE",  "SALESPEOPLEBROWSE",   "TERMSBROWSE",
                           "MANUFACTBROWSE", "GROUPSBROWSE",  "BROWSESHIPVIA"};
    // Windows without a saved placement (another test may have left one: a size the
    // user chose wins over the columns).
    for (const char* section :
         {"QuoteBrowse", "InvoiceBrowse", "InvoiceSerialBrowse", "CustomerBrowse", "ProductBrowse", "VendorBrowse",
          "SalespeopleBrowse", "TermsBrowse", "ManufactBrowse", "GroupsBrowse", "BrowseShipVia"})
        ASSERT_EQ(core::programSettings().writeNumber(section, "XPosit", 0), core::SettingsStatus::Ok);
    for (const char* procedure : lists) {
        SCOPED_TRACE(procedure);
        registry.run(ui, procedure, {});
        QMdiSubWindow* sub = frame.subWindowList().back();
        auto* list = dynamic_cast<core::ListView*>(sub->widget());
        ASSERT_NE(list, nullptr);
        QApplication::processEvents();
        // Inside the frame, every column and heading readable without scrolling sideways.
        EXPECT_TRUE(room.contains(sub->geometry())) << sub->geometry().x() << "," << sub->geometry().width();
        EXPECT_EQ(list->table()->horizontalScrollBar()->maximum(), 0);
        QHeaderView* head = list->table()->horizontalHeader();
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            const QString heading = list->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            EXPECT_GE(head->sectionSize(c), head->fontMetrics().horizontalAdvance(heading)) << heading.toStdString();
            for (int r = 0; r < std::min(list->model()->rowCount(), 20); ++r)
                EXPECT_GE(head->sectionSize(c), list->table()->fontMetrics().horizontalAdvance(cell(list, r, c)))
                    << heading.toStdString() << " row " << r;
        }
    }
    // Prices read with the two places the company rounds them to.
    core::ListView* products = dynamic_cast<core::ListView*>(frame.subWindowList()[4]->widget());
    ASSERT_NE(products, nullptr);
    ASSERT_GT(products->model()->rowCount(), 0);
    EXPECT_TRUE(QRegularExpression(R"(^\$[0-9,]+\.[0-9]{2}$)").match(cell(products, 0, 5)).hasMatch())
        << cell(products, 0, 5).toStdString();
    // Window > Tile: every window in its slot, none pushing the frame into scrolling.
    frame.tileSubWindows();
    QApplication::processEvents();
    for (QMdiSubWindow* sub : frame.subWindowList())
        EXPECT_TRUE(frame.viewport()->rect().contains(sub->geometry())) << sub->windowTitle().toStdString();
    EXPECT_FALSE(frame.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(frame.verticalScrollBar()->isVisible());
}

TEST_F(OrderViews, CloseInEveryListAndFormClosesOnlyThatWindow) {
    core::registerMasterWindows(registry);
    runForReal("InvoiceForm1");
    QMainWindow program;
    auto* area = new QMdiArea;
    program.setCentralWidget(area);
    program.resize(1366, 740);
    program.show();
    program.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program));
    registry.setMdiArea(area);
    registry.setFrame(&program);
    for (const char* procedure :
         {"QuoteBrowse", "InvoiceBrowse", "InvoiceSerialBrowse", "CUSTOMERBROWSE", "PRODUCTBROWSE", "VENDORBROWSE",
          "SALESPEOPLEBROWSE", "TERMSBROWSE", "MANUFACTBROWSE", "GROUPSBROWSE", "BROWSESHIPVIA"}) {
        SCOPED_TRACE(procedure);
        registry.run(ui, procedure, {});
        ASSERT_EQ(area->subWindowList().size(), 1);
        QWidget* list = area->subWindowList()[0]->widget();
        // The list has the focus as it opens.
        EXPECT_EQ(QApplication::focusWidget(), static_cast<core::ListView*>(list)->table());
        QTest::mouseClick(ModalDriver::button(list, "Close"), Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(area->subWindowList().isEmpty());
        EXPECT_TRUE(program.isVisible()) << "Close ended the program";
    }
    // The closed invoice and its notes window, each left by its Close button.
    registry.run(ui, "InvoiceBrowse", {});
    ASSERT_EQ(area->subWindowList().size(), 1);
    auto* invoices = static_cast<core::ListView*>(area->subWindowList()[0]->widget());
    QStringList closed;
    ModalDriver driver;
    driver.window("InvoiceForm1", [](QWidget* w) { QTest::keyClick(w, Qt::Key_F4); })
        .step(
            "notes", [](QWidget* w) { return w->windowTitle() == "Invoice Comments"; },
            [&](QWidget* w) {
                closed << w->windowTitle();
                QTest::mouseClick(ModalDriver::button(w, "Close"), Qt::LeftButton);
            })
        .window("InvoiceForm1", [&](QWidget* w) {
            closed << w->windowTitle();
            QTest::mouseClick(ModalDriver::button(w, "Close"), Qt::LeftButton);
        });
    driver.start();
    QTest::keyClick(invoices->table(), Qt::Key_Return);
    driver.stop();
    EXPECT_TRUE(driver.done()) << driver.failure() << driver.pending();
    EXPECT_EQ(closed, QStringList({"Invoice Comments", "Closed Invoice"}));
    EXPECT_TRUE(program.isVisible());
    EXPECT_EQ(area->subWindowList().size(), 1);  // the invoice list is still there
    area->closeAllSubWindows();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    registry.setMdiArea(nullptr);
    registry.setFrame(nullptr);
}

class SerialSearch : public OrderViews {
protected:
    void SetUp() override {
        OrderViews::SetUp();
        // Order 1 is a quote, order 2 an invoice. Line 100 of the invoice sold 250
        // numbered units; line 102 of the invoice sold SN0007 again; line 101 of the
        // quote holds SN0005, which the search must not list.
        for (const auto& [ite, ord] : {std::pair{100, 2}, std::pair{101, 1}, std::pair{102, 2}}) {
            core::ItemsOrd l;
            l.IteNum = ite;
            l.OrdNum = ord;
            l.PartNum = "BOLT-1";
            l.DESCRIPTION = "Widget BOLT-1";
            l.TRACKSERIAL = "YES";
            store(l);
        }
        char number[16];
        for (int i = 249; i >= 0; --i) {
            std::snprintf(number, sizeof number, "SN%04d", i);
            store(serial(100, number));
        }
        store(serial(101, "SN0005"));
        store(serial(102, "SN0007"));
    }
    static core::Serials serial(std::int32_t ite, const char* number) {
        core::Serials s;
        s.ITENUM = ite;
        s.SERIALNUMBER = number;
        return s;
    }
};

TEST_F(SerialSearch, RowsArriveAPageAtATimeInSerialOrder) {
    core::ListView* search = openList("InvoiceSerialBrowse");
    ASSERT_NE(search, nullptr);
    QTableView* table = search->table();
    ASSERT_EQ(search->model()->rowCount(), 100);
    // Scrolling to the bottom reads the next page after the last row.
    table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
    EXPECT_EQ(search->model()->rowCount(), 200);
    while (search->window().fetchAfter() > 0) {
    }
    ASSERT_EQ(search->model()->rowCount(), 251);  // 250 on line 100, SN0007 again on line 102
    // Sorted by number, then line; the quote's SN0005 is left out.
    EXPECT_EQ(cell(search, 0, 0), "SN0000");
    EXPECT_EQ(cell(search, 5, 0), "SN0005");
    EXPECT_EQ(cell(search, 6, 0), "SN0006");
    EXPECT_EQ(cell(search, 7, 0), "SN0007");
    EXPECT_EQ(cell(search, 8, 0), "SN0007");
    EXPECT_EQ(cell(search, 250, 0), "SN0249");
    EXPECT_EQ(cell(search, 7, 3), "1");
    EXPECT_EQ(cell(search, 7, 5), "Acme Supply");
    EXPECT_EQ(cell(search, 7, 4),
              QString::fromStdString(core::Picture::parse("@d2")->format(static_cast<std::int64_t>(core::today()))));
    // Typing a number positions the list at it.
    table->setFocus();
    QTest::keyClicks(table, "SN0240");
    EXPECT_EQ(current(search, 0), "SN0240");
    shot(search, "InvoiceSerialBrowse");
}

TEST_F(SerialSearch, EnterAndTheButtonsOpenTheClosedInvoiceOfTheRow) {
    runForReal("InvoiceForm1");
    core::ListView* search = openList("InvoiceSerialBrowse");
    ASSERT_NE(search, nullptr);
    QTableView* table = search->table();
    table->setFocus();
    table->selectRow(3);
    QStringList seen;
    ModalDriver driver;
    auto look = [&](QWidget* w) {
        seen << w->windowTitle() + " Invoice#: " + w->findChild<QLabel*>("InvoiceNum")->text();
        static_cast<QDialog*>(w)->reject();
    };
    driver.window("InvoiceForm1", look).window("InvoiceForm1", look).window("InvoiceForm1", look);
    driver.start();
    QTest::keyClick(table, Qt::Key_Return);
    QTest::keyClick(table, Qt::Key_Insert);
    QTest::mouseClick(ModalDriver::button(search, "&View"), Qt::LeftButton);
    driver.stop();
    EXPECT_TRUE(driver.done()) << driver.failure() << driver.pending();
    EXPECT_EQ(seen,
              QStringList({"Closed Invoice Invoice#: 1", "Closed Invoice Invoice#: 1", "Closed Invoice Invoice#: 1"}));
    EXPECT_EQ(table->currentIndex().row(), 3);  // still on the row after the list was read again
    EXPECT_FALSE(ModalDriver::button(search, "&Select")->isVisible());
}

TEST_F(SerialSearch, OpenedForSelectionADoubleClickPicksTheRow) {
    ModalDriver driver;
    bool selectShown = false;
    driver.window("InvoiceSerialBrowse", [&](QWidget* w) {
        selectShown = ModalDriver::button(w, "&Select")->isVisible();
        auto* table = w->findChild<QTableView*>();
        const QPoint at = table->visualRect(table->model()->index(2, 1)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    });
    driver.start();
    core::Handle<core::Serials> picked(*db);
    ASSERT_EQ(picked.open(), core::ErrorCode::None);
    const core::WindowResponse r = registry.run(ui, "InvoiceSerialBrowse", {core::Request::Select, &picked, 0, {}});
    driver.stop();
    EXPECT_TRUE(driver.done()) << driver.failure() << driver.pending();
    EXPECT_TRUE(selectShown);
    EXPECT_EQ(r.response, core::Response::Completed);
    EXPECT_EQ(picked.rec.SERIALNUMBER.view(), "SN0002");
}

}  // namespace
}  // namespace quay::desk

int main(int argc, char** argv) { return quay::desk::testing::runWindowTests(argc, argv, "quay-orders-views"); }
