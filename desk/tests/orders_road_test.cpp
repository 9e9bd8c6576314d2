// The road of one invoice through the real windows on an offscreen display: the
// quote list, a new quote whose header window opens by itself, the customer typed,
// two lines, F10, the invoice dialog with an initial payment, the payment dialog,
// the print; then the invoice in the invoice list, opened and converted back into a
// quote. Once by keyboard alone (Tab, typing, Enter, F-keys, Alt+letter) and once by
// mouse (clicks on fields and buttons). After each half the stored records are
// checked: stock, the charge "Invoice N", the payment and its application, the
// customer's stored balance; and after the conversion that all of it is undone.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <string>

#include "modal_driver.h"
#include "quay/views/list_model.h"
#include "quay/views/list_view.h"
#include "orders/views/order_windows.h"
#include "orders_test_support.h"
#include "quay/ui/thread_queue.h"
#include "quay/views/qt_ui_port.h"
#include "quay/views/window_registry.h"
#include "window_test_main.h"

namespace quay::desk {
namespace {

using testing::ModalDriver;
using testing::money;

// How the user works a window: by keys alone or by pointing and clicking.
class Hands {
public:
    explicit Hands(bool keyboard) : m_keyboard(keyboard) {}
    bool keyboard() const { return m_keyboard; }

    // Puts `text` into the field named `name` and leaves it, as the user does.
    void fill(QWidget* window, const QString& name, const QString& text) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
        QWidget* field = window->findChild<QWidget*>(name);
        ASSERT_NE(field, nullptr) << "no field " << name.toStdString() << " in " << window->objectName().toStdString();
        auto* combo = qobject_cast<QComboBox*>(field);
        if (!m_keyboard && combo != nullptr && !combo->isEditable()) {
            // A drop list by mouse: open it and click the entry.
            const int index = combo->findText(text);
            ASSERT_GE(index, 0) << "no entry " << text.toStdString();
            QTest::mouseClick(combo, Qt::LeftButton);
            QAbstractItemView* list = combo->view();
            ASSERT_TRUE(QTest::qWaitFor([list] { return list->isVisible(); })) << "the drop list did not open";
            // The list takes no release that comes right after it opened; the pointer
            // moves onto the entry, rests, and clicks.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            const QRect r = list->visualRect(list->model()->index(index, 0));
            QTest::mouseMove(list->viewport(), r.center());
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
            EXPECT_TRUE(QTest::qWaitFor([list] { return !list->isVisible(); })) << "the drop list stayed open";
            ASSERT_EQ(combo->currentText(), text);
            return;
        }
        if (m_keyboard) {
            ASSERT_TRUE(tabTo(window, field)) << "Tab never reached " << name.toStdString();
        } else {
            QTest::mouseClick(field, Qt::LeftButton);
            ASSERT_TRUE(field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()))
                << "a click did not put the cursor into " << name.toStdString();
        }
        QWidget* typed = QApplication::focusWidget();
        if (combo != nullptr && !combo->isEditable()) {
            QTest::keyClicks(typed, text);  // a drop list is chosen by its first letters
        } else {
            QTest::keyClick(typed, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(typed, text);
        }
        // Leaving the field accepts it (a look-up runs then).
        if (m_keyboard) QTest::keyClick(typed, Qt::Key_Tab);
    }

    // A command: its accelerator `key` by keyboard, a click on the button by mouse.
    void command(QWidget* window, const QString& caption, const QKeySequence& key) {
        if (m_keyboard) {
            const QKeyCombination k = key[0];
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
            QWidget* target = QApplication::focusWidget();
            if (target == nullptr || !window->isAncestorOf(target)) target = window;
            QTest::keyClick(target, k.key(), k.keyboardModifiers());
            return;
        }
        QAbstractButton* b = ModalDriver::button(window, caption);
        ASSERT_NE(b, nullptr) << "no button " << caption.toStdString();
        ASSERT_TRUE(b->isEnabled()) << caption.toStdString() << " is disabled";
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // A button without an accelerator: Tab to it and press Space, or click it.
    void press(QWidget* window, const QString& caption) {
        QAbstractButton* b = ModalDriver::button(window, caption);
        ASSERT_NE(b, nullptr) << "no button " << caption.toStdString();
        if (m_keyboard) {
            ASSERT_TRUE(tabTo(window, b)) << "Tab never reached " << caption.toStdString();
            QTest::keyClick(b, Qt::Key_Space);
        } else {
            QTest::mouseClick(b, Qt::LeftButton);
        }
    }

private:
    static bool tabTo(QWidget* window, QWidget* target) {
        for (int i = 0; i < 80; ++i) {
            QWidget* f = QApplication::focusWidget();
            if (f != nullptr && (f == target || target->isAncestorOf(f))) return true;
            QTest::keyClick(f != nullptr && window->isAncestorOf(f) ? f : window, Qt::Key_Tab);
        }
        return false;
    }

    bool m_keyboard;
};

class RoadOfOneInvoice : public testing::OrdersTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        company([](core::Defaults& d) { d.CREDITLIMIT = "W"; });
        core::Customer c = customer("Acme Supply", "5000.00");
        store(c);
        store(product("BOLT-1", "10.00", 1));
        store(product("NUT-2", "4.00", 1));
        registerOrderWindows(m_registry);
        m_registry.setDatabase(db.get());
        core::ThreadQueue::instance().clear();
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        OrdersTest::TearDown();
    }

    // The list window the frame opened under `objectName`.
    static core::ListView* listWindow(const char* objectName) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* list = dynamic_cast<core::ListView*>(w); list && w->objectName() == objectName && w->isVisible())
                return list;
        return nullptr;
    }

    // Runs `trigger` (which opens the first modal window) with `driver` working the rest.
    static void drive(ModalDriver& driver, const std::function<void()>& trigger) {
        driver.start();
        trigger();
        for (int i = 0; i < 200 && !driver.done() && driver.failure().empty(); ++i) QTest::qWait(10);
        driver.stop();
        EXPECT_TRUE(driver.failure().empty()) << driver.failure();
        EXPECT_TRUE(driver.done()) << "never reached: " << driver.pending();
    }

    core::Customer customerNamed(const std::string& name) {
        for (const core::Customer& c : all<core::Customer>())
            if (c.Name.view() == name) return c;
        ADD_FAILURE() << "no customer " << name;
        return {};
    }

    void invoiceAQuote(Hands& hands);
    void convertItBack(Hands& hands);

    core::WindowRegistry m_registry;
    core::QtUiPort m_port{m_registry};
};

// Totals of the order both halves enter: 2 x BOLT-1 and 1 x NUT-2 at price class 3
// (12.50 each), both taxable at 8.25%: 37.50 + 3.09 = 40.59, with 20.00 paid at once.
constexpr const char* kTotal = "40.59";
constexpr const char* kPaid = "20.00";
constexpr const char* kOwed = "20.59";

void RoadOfOneInvoice::invoiceAQuote(Hands& hands) {
    const auto opened = m_registry.runSingle(m_port, "QuoteBrowse", "QuoteList");
    ASSERT_EQ(opened.response, core::Response::Completed);
    ASSERT_TRUE(core::ThreadQueue::instance().find("QuoteList").has_value());
    QTest::qWait(20);  // the loading window closes at the list's first tick
    core::ListView* quotes = listWindow("QuoteBrowse");
    ASSERT_NE(quotes, nullptr);
    EXPECT_EQ(quotes->model()->rowCount(), 0);

    // One line in the line form: the part typed, the quantity, Ok.
    auto line = [&hands](const char* part, const char* qty) {
        return [&hands, part, qty](QWidget* w) {
            hands.fill(w, "PARTNUM", part);
            hands.fill(w, "QTY", qty);
            hands.command(w, "&Ok", QKeySequence(Qt::ALT | Qt::Key_O));
        };
    };
    ModalDriver driver;
    int linesShown = 0;
    QString totalShown;
    driver
        .window("QuoteDetails",
                [&](QWidget* w) {
                    hands.fill(w, "CustName", "Acme Supply");
                    hands.command(w, "&Ok", QKeySequence(Qt::ALT | Qt::Key_O));
                })
        .window("ItemOrdForm", line("BOLT-1", "2"))
        .window("QuoteForm1", [&](QWidget* w) { hands.command(w, "&Insert", QKeySequence(Qt::ALT | Qt::Key_I)); })
        .window("ItemOrdForm", line("NUT-2", "1"))
        .window("QuoteForm1",
                [&](QWidget* w) {
                    linesShown = w->findChild<QTableWidget*>()->rowCount();
                    for (QLabel* l : w->findChildren<QLabel*>())
                        if (l->text() == kTotal) totalShown = l->text();
                    hands.command(w, "F10 - Invoice / Print", QKeySequence(Qt::Key_F10));
                })
        .window("SaveInvoiceForm",
                [&](QWidget* w) {
                    hands.fill(w, "DOWNPAYMENT", kPaid);
                    hands.press(w, "Ok");
                })
        .window("PostInvoicePayment", [&](QWidget* w) {
            hands.fill(w, "Method", "Check");
            hands.command(w, "&Ok", QKeySequence(Qt::ALT | Qt::Key_O));
        });
    // The quote list's Insert opens the order form; everything after runs in its windows.
    drive(driver, [&] {
        if (hands.keyboard()) {
            QTableView* table = quotes->table();
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Insert);
        } else {
            QTest::mouseClick(ModalDriver::button(quotes, "&Insert"), Qt::LeftButton);
        }
    });
    EXPECT_EQ(linesShown, 2);
    EXPECT_EQ(totalShown, kTotal) << "the form did not show the order's total";
    EXPECT_GE(driver.previews(), 1) << "the invoice was not printed";

    // The invoice is stored with its stock movement, charge and payment.
    const auto orders = all<core::Orders>();
    ASSERT_EQ(orders.size(), 1u);
    const core::Orders& o = orders[0];
    EXPECT_EQ(o.Status.view(), "I");
    EXPECT_EQ(o.InvoiceNum, 1);
    EXPECT_EQ(o.CustName.view(), "Acme Supply");
    EXPECT_EQ(o.PRICECLASS.view(), "3");
    EXPECT_EQ(o.TOTAL, money(kTotal));
    EXPECT_EQ(o.DOWNPAYMENT, money(kPaid));
    EXPECT_EQ(all<core::ItemsOrd>().size(), 2u);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("8.00"));
    EXPECT_EQ(productNamed("NUT-2").OnHand, money("3.00"));
    const auto charges = all<core::Charges>();
    ASSERT_EQ(charges.size(), 1u);
    EXPECT_EQ(charges[0].REASON.view(), "Invoice 1");
    EXPECT_EQ(charges[0].AMOUNT, money(kTotal));
    EXPECT_EQ(charges[0].UNPAIDBAL, money(kOwed));
    EXPECT_EQ(charges[0].Paid, 0);
    const auto payments = all<core::Payments>();
    ASSERT_EQ(payments.size(), 1u);
    EXPECT_EQ(payments[0].AMOUNT, money(kPaid));
    EXPECT_EQ(payments[0].Method.view(), "Check");
    EXPECT_EQ(payments[0].UNAPPAMT, money("0.00"));
    EXPECT_EQ(payments[0].Applied, 1);
    const auto applied = all<core::Applied>();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].PayId, payments[0].Id);
    EXPECT_EQ(applied[0].ChgId, charges[0].Id);
    EXPECT_EQ(applied[0].AMOUNT, money(kPaid));
    EXPECT_EQ(customerNamed("Acme Supply").BALANCEDUE, money(kOwed));
    // The quote list no longer shows it.
    EXPECT_EQ(quotes->model()->rowCount(), 0);
}

void RoadOfOneInvoice::convertItBack(Hands& hands) {
    ASSERT_EQ(m_registry.runSingle(m_port, "InvoiceBrowse", "InvoiceList").response, core::Response::Completed);
    QTest::qWait(20);
    core::ListView* invoices = listWindow("InvoiceBrowse");
    ASSERT_NE(invoices, nullptr);
    ASSERT_EQ(invoices->model()->rowCount(), 1);
    QTableView* table = invoices->table();
    EXPECT_EQ(table->model()->index(0, 0).data().toString(), "1");

    ModalDriver driver;
    QString caption;
    driver
        .window("InvoiceForm1",
                [&](QWidget* w) {
                    caption = w->windowTitle();
                    hands.command(w, "F9 - Con&vert to Quote", QKeySequence(Qt::Key_F9));
                })
        .message("Convert back to Quote", [&](QWidget* w) {
            if (hands.keyboard())
                QTest::keyClick(w, Qt::Key_Y);
            else
                QTest::mouseClick(ModalDriver::button(w, "&Yes"), Qt::LeftButton);
        });
    drive(driver, [&] {
        if (hands.keyboard()) {
            table->setFocus();
            table->selectRow(0);
            QTest::keyClick(table, Qt::Key_Return);
        } else {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                              table->visualRect(table->model()->index(0, 2)).center());
            QTest::mouseClick(ModalDriver::button(invoices, "&View"), Qt::LeftButton);
        }
    });
    EXPECT_EQ(caption, "Closed Invoice");
    ASSERT_FALSE(driver.messages().empty());
    EXPECT_EQ(driver.messages().back().text,
              "Converting an Invoice to a Quote will add all quantities sold on this invoice back into Inventory.  Any "
              "payments made on this invoice will become customer credits.\nDo you want to Continue?");
    EXPECT_EQ(invoices->model()->rowCount(), 0) << "the invoice list still shows the converted invoice";

    // Everything the invoice posted is undone: the stock is back, the charge gone, the
    // payment an unapplied credit, and the order a quote with its lines.
    const auto orders = all<core::Orders>();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].Status.view(), "Q");
    EXPECT_EQ(orders[0].InvoiceNum, 0);
    EXPECT_TRUE(orders[0].DOWNPAYMENT.isZero());
    EXPECT_EQ(orders[0].TOTAL, money(kTotal));
    EXPECT_EQ(all<core::ItemsOrd>().size(), 2u);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("10.00"));
    EXPECT_EQ(productNamed("NUT-2").OnHand, money("4.00"));
    EXPECT_TRUE(all<core::Charges>().empty());
    EXPECT_TRUE(all<core::Applied>().empty());
    const auto payments = all<core::Payments>();
    ASSERT_EQ(payments.size(), 1u);
    EXPECT_EQ(payments[0].UNAPPAMT, money(kPaid));
    EXPECT_EQ(payments[0].Applied, 0);
    // The stored balance no longer shows the removed charge: the customer holds a credit.
    EXPECT_EQ(customerNamed("Acme Supply").BALANCEDUE, money("-20.00"));
    core::ListView* quotes = listWindow("QuoteBrowse");
    ASSERT_NE(quotes, nullptr);
    quotes->refresh();
    ASSERT_EQ(quotes->model()->rowCount(), 1);
    EXPECT_EQ(quotes->model()->index(0, 0).data().toString(), QString::number(orders[0].OrdNum));
}

TEST_P(RoadOfOneInvoice, QuoteInvoicedPaidAndConvertedBack) {
    Hands hands(GetParam());
    invoiceAQuote(hands);
    if (HasFatalFailure()) return;
    convertItBack(hands);
    if (HasFatalFailure()) return;
    // Closing the lists removes their entries from the thread list.
    for (const char* name : {"QuoteBrowse", "InvoiceBrowse"})
        if (QWidget* w = listWindow(name)) ModalDriver::button(w, "Close")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(core::ThreadQueue::instance().find("QuoteList").has_value());
    EXPECT_FALSE(core::ThreadQueue::instance().find("InvoiceList").has_value());
}

INSTANTIATE_TEST_SUITE_P(ByKeyboardAndByMouse, RoadOfOneInvoice, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& i) {
                             return std::string(i.param ? "Keyboard" : "Mouse");
                         });

}  // namespace
}  // namespace quay::desk

int main(int argc, char** argv) { return quay::desk::testing::runWindowTests(argc, argv, "quay-orders-road"); }
