// The order-entry windows on an offscreen display: each is built over a small data
// set, checked for what it shows (rows, totals, enabled commands), and grabbed into
// the build folder as a screenshot to look at.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "orders/order_save.h"
#include "orders/views/invoice_form_view.h"
#include "orders/views/order_dialogs.h"
#include "orders/views/order_list_view.h"
#include "orders/views/quote_form_view.h"
#include "orders_test_support.h"
#include "quay/types/date.h"

namespace quay::desk {
namespace {

using testing::money;
using testing::price;

void shot(QWidget* w, const char* name) {
    w->show();
    QApplication::processEvents();
    const QString path = QString(QUAY_SCREENSHOT_DIR) + "/" + name + ".png";
    EXPECT_TRUE(w->grab().save(path)) << path.toStdString();
}

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
    }
};

TEST_F(OrderViews, ListsShowTheirOrdersAndTheFormItsLinesAndTotals) {
    OrderListView quotes(*db, ui, OrderListKind::Quotes);
    ASSERT_EQ(quotes.rows().size(), 1u);
    EXPECT_EQ(quotes.rows()[0].REFERENCE.view(), "Estimate");
    shot(&quotes, "QuoteBrowse");
    OrderListView invoices(*db, ui, OrderListKind::Invoices);
    ASSERT_EQ(invoices.rows().size(), 1u);
    EXPECT_EQ(invoices.rows()[0].InvoiceNum, 1);
    shot(&invoices, "InvoiceBrowse");

    QuoteForm1View form(*db, ui, core::Request::Change, quotes.rows()[0]);
    ASSERT_TRUE(form.start());
    const auto* lines = form.findChild<QTableWidget*>();
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->rowCount(), 2);
    EXPECT_EQ(lines->item(0, 4)->text(), "25.00");
    EXPECT_EQ(form.logic().order().TOTAL, money("54.13"));
    shot(&form, "QuoteForm1");

    InvoiceForm1View closed(*db, ui, invoices.rows()[0]);
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
    for (const char* name : {"QuoteDetails", "ItemOrdForm", "SaveInvoiceForm", "PostInvoicePayment", "QuoteSerialList"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<QWidget> w(makeDialogForScreenshot(name, *db, ui, o, pay, line, nullptr));
        ASSERT_NE(w, nullptr);
        shot(w.get(), name);
    }
    EXPECT_EQ(line.DESCRIPTION.view(), "Widget BOLT-1");  // refreshed from the product
}

}  // namespace
}  // namespace quay::desk

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
