// The save of an order on a real data set: numbering from the stored data, lines and
// serial numbers replaced, stock taken out, the charge and the initial payment with
// its application posted in one transaction, the credit-limit policies, cancelled
// dialogs that leave the quote as it was, and the customer's balance after commit.
#include <gtest/gtest.h>

#include "demo/demo_orders.h"
#include "orders/invoice_dialogs.h"
#include "orders/order_save.h"
#include "orders_test_support.h"
#include "quay/types/date.h"

namespace quay::desk {
namespace {

using core::Button;
using core::Response;
using testing::money;
using testing::price;

class OrderSaving : public testing::OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        store(customer("Acme Supply", "500.00"));
        store(product("BOLT-1", "10.00", 1));
        store(product("NUT-2", "4.00", 0));
        // The invoice dialog as a user who accepts what it proposes, with the
        // initial payment the test sets.
        ui.onWindow("SaveInvoiceForm", [this](const core::WindowRequest& r) {
            auto& order = *static_cast<core::Orders*>(r.table->buffer());
            SaveInvoiceForm form(*db, ui, order);
            ++invoiceDialogs;
            shownInvoiceNumbers.push_back(order.InvoiceNum);
            core::WindowResponse w;
            if (!form.open() || cancelInvoice) return w;
            order.DOWNPAYMENT = downPayment;
            w.response = form.ok() ? Response::Completed : Response::Cancelled;
            return w;
        });
        ui.onWindow("PostInvoicePayment", [this](const core::WindowRequest& r) {
            PostInvoicePayment form(ui, *static_cast<core::Payments*>(r.table->buffer()));
            core::WindowResponse w;
            if (cancelPayment) return w;
            form.payment().Method = "Check";
            form.payment().CHECKNUM = "1001";
            w.response = form.ok() ? Response::Completed : Response::Cancelled;
            return w;
        });
        tables = std::make_unique<OrderTables>(*db, ui);
        ASSERT_TRUE(tables->isOpen());
        ASSERT_EQ(core::GETCOMPANYDEFAULTS(tables->def.handle, 1), 0);
    }
    void TearDown() override {
        tables.reset();
        OrdersTest::TearDown();
    }

    // A new quote for Acme with 2 x BOLT-1 at 12.50 and 1 x NUT-2 at 10.00, tax 1 8.25%.
    void newQuote() {
        core::Orders& o = tables->ord.handle.rec;
        tables->ord.handle.clear();
        o.Status = "Q";
        o.CustName = "Acme Supply";
        o.PRICECLASS = "3";
        o.OrdDate = o.ENTRYDATE = core::today() - 30;
        o.SLSTAXRATE1 = price("8.2500");
        work.clear();
        addLine("BOLT-1", "2.00", "12.5000", 1);
        addLine("NUT-2", "1.00", "10.0000", 0);
        snapshot = o;
    }
    void addLine(const char* part, const char* qty, const char* each, std::uint8_t tax1) {
        LineEntry l;
        l.PARTNUM = part;
        l.DESCRIPTION = std::string("Widget ") + part;
        l.QTY = money(qty);
        l.PRICE = price(each);
        l.COST = price("6.0000");
        l.SALESTAXABLE1 = tax1;
        l.TRACKSERIAL = "NO";
        l.POSITION = work.nextPosition();
        ASSERT_EQ(computeLineTotal(l), core::DecimalStatus::Ok);
        work.lines.push_back(l);
        totals();
    }
    void totals() {
        LineSums sums;
        ASSERT_EQ(computeLineSums(tables->ord.handle.rec, work.lines, sums), core::DecimalStatus::Ok);
        ASSERT_EQ(computeOrderTotals(tables->ord.handle.rec, sums), core::DecimalStatus::Ok);
    }
    Response save(bool invoicing, bool newOrder) {
        OrderSave s(ui, *tables, work, snapshot);
        const Response r = s.run(invoicing, newOrder);
        lastStatus = s.statusLog();
        lastTables = s.transactionTables();
        if (r == Response::Completed) snapshot = tables->ord.handle.rec;
        return r;
    }

    std::unique_ptr<OrderTables> tables;
    OrderWork work;
    core::Orders snapshot;
    core::Decimal<13, 2> downPayment;
    bool cancelInvoice = false;
    bool cancelPayment = false;
    int invoiceDialogs = 0;
    std::vector<std::int32_t> shownInvoiceNumbers;
    std::vector<std::string> lastStatus;
    std::string lastTables;
};

TEST_F(OrderSaving, FirstQuoteOfEmptyDataSetIsOrderOneWithNumberedLines) {
    newQuote();
    ASSERT_EQ(save(false, true), Response::Completed);
    const auto orders = all<core::Orders>();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].OrdNum, 1);
    EXPECT_EQ(orders[0].Status.view(), "Q");
    EXPECT_EQ(orders[0].InvoiceNum, 0);
    EXPECT_EQ(orders[0].TOTAL, money("37.06"));  // 35.00 + 8.25% of 25.00
    EXPECT_EQ(core::glo.OrdNum, 1);
    const auto lines = all<core::ItemsOrd>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].IteNum, 1);
    EXPECT_EQ(lines[1].IteNum, 2);
    EXPECT_EQ(lines[0].OrdNum, 1);
    EXPECT_EQ(work.lines[0].ITENUM, 1);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("10.00"));  // a quote takes no stock
    EXPECT_TRUE(all<core::Charges>().empty());
    EXPECT_EQ(lastStatus.front(), "Saving Quote");
}

TEST_F(OrderSaving, ResavingAQuoteKeepsLineNumbersAndReplacesSerials) {
    newQuote();
    work.serials.push_back({0, core::FixedString<20>("SN-1"), 1});
    ASSERT_EQ(save(false, true), Response::Completed);
    addLine("BOLT-1", "1.00", "12.5000", 1);
    work.serials.clear();
    work.serials.push_back({1, core::FixedString<20>("SN-2"), 1});
    ASSERT_EQ(save(false, false), Response::Completed);
    const auto lines = all<core::ItemsOrd>();
    ASSERT_EQ(lines.size(), 3u);
    std::vector<std::int32_t> nums;
    for (const auto& l : lines) nums.push_back(l.IteNum);
    std::sort(nums.begin(), nums.end());
    EXPECT_EQ(nums, (std::vector<std::int32_t>{1, 2, 3}));
    const auto serials = all<core::Serials>();
    ASSERT_EQ(serials.size(), 1u);
    EXPECT_EQ(serials[0].SERIALNUMBER.view(), "SN-2");
    EXPECT_EQ(serials[0].ITENUM, 1);
    EXPECT_EQ(all<core::Orders>().size(), 1u);
    EXPECT_NE(std::find(lastStatus.begin(), lastStatus.end(), "Removing Old Order Information"), lastStatus.end());
}

TEST_F(OrderSaving, InvoiceWithFullPaymentMarksChargePaidAndAppliesPayment) {
    newQuote();
    ASSERT_EQ(save(false, true), Response::Completed);
    downPayment = tables->ord.handle.rec.TOTAL;
    ASSERT_EQ(save(true, false), Response::Completed);
    const auto orders = all<core::Orders>();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].Status.view(), "I");
    EXPECT_EQ(orders[0].InvoiceNum, 1);
    EXPECT_EQ(orders[0].OrdDate, core::today());  // invoiced today, whatever the quote's date
    const auto charges = all<core::Charges>();
    ASSERT_EQ(charges.size(), 1u);
    EXPECT_EQ(charges[0].Id, 1);
    EXPECT_EQ(charges[0].REASON.view(), "Invoice 1");
    EXPECT_EQ(charges[0].AMOUNT, money("37.06"));
    EXPECT_EQ(charges[0].UNPAIDBAL, money("0.00"));
    EXPECT_EQ(charges[0].Paid, 1);
    const auto payments = all<core::Payments>();
    ASSERT_EQ(payments.size(), 1u);
    EXPECT_EQ(payments[0].Id, 1);
    EXPECT_EQ(payments[0].AMOUNT, money("37.06"));
    EXPECT_EQ(payments[0].UNAPPAMT, money("0.00"));
    EXPECT_EQ(payments[0].Applied, 1);
    EXPECT_EQ(payments[0].Method.view(), "Check");
    const auto applied = all<core::Applied>();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].PayId, 1);
    EXPECT_EQ(applied[0].ChgId, 1);
    EXPECT_EQ(applied[0].AMOUNT, money("37.06"));
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("8.00"));
    EXPECT_EQ(productNamed("NUT-2").OnHand, money("4.00"));  // no stock adjustment
    EXPECT_NE(lastTables.find("Payments"), std::string::npos);
}

TEST_F(OrderSaving, InvoiceOnAccountPostsUnpaidChargeAndRefreshesBalance) {
    newQuote();
    ASSERT_EQ(save(true, true), Response::Completed);
    EXPECT_TRUE(all<core::Payments>().empty());
    EXPECT_TRUE(all<core::Applied>().empty());
    EXPECT_EQ(lastTables.find("Payments"), std::string::npos);
    EXPECT_EQ(lastTables.find("Applied"), std::string::npos);
    const auto charges = all<core::Charges>();
    ASSERT_EQ(charges.size(), 1u);
    EXPECT_EQ(charges[0].Paid, 0);
    EXPECT_EQ(charges[0].UNPAIDBAL, money("37.06"));
    const auto customers = all<core::Customer>();
    EXPECT_EQ(customers[0].BALANCEDUE, money("37.06"));
    EXPECT_EQ(lastStatus,
              (std::vector<std::string>{"Saving Quote", "Getting Next Invoice Number", "Saving Items Ordered",
                                        "Updating Inventory Quantities", "Saving Items Ordered",
                                        "Updating Inventory Quantities", "Adding Charge to A/R"}));
}

TEST_F(OrderSaving, CancelledInvoiceDialogLeavesTheQuoteAsItWas) {
    newQuote();
    ASSERT_EQ(save(false, true), Response::Completed);
    const core::Orders before = tables->ord.handle.rec;
    cancelInvoice = true;
    EXPECT_EQ(save(true, false), Response::Cancelled);
    EXPECT_EQ(tables->ord.handle.rec.InvoiceNum, 0);
    EXPECT_EQ(tables->ord.handle.rec.Status.view(), "Q");
    EXPECT_EQ(tables->ord.handle.rec.OrdDate, before.OrdDate);
    EXPECT_EQ(all<core::Orders>()[0].Status.view(), "Q");
    EXPECT_TRUE(all<core::Charges>().empty());
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("10.00"));
}

TEST_F(OrderSaving, CancelledPaymentDialogStoresNothing) {
    newQuote();
    downPayment = money("10.00");
    cancelPayment = true;
    EXPECT_EQ(save(true, true), Response::Cancelled);
    EXPECT_TRUE(all<core::Orders>().empty());
    EXPECT_TRUE(all<core::Payments>().empty());
    EXPECT_EQ(tables->ord.handle.rec.Status.view(), "Q");
    EXPECT_EQ(tables->ord.handle.rec.InvoiceNum, 0);
}

TEST_F(OrderSaving, EnforcedCreditLimitAllowsExposureEqualToLimitAndRefusesMore) {
    company([](core::Defaults& d) { d.CREDITLIMIT = "E"; });
    ASSERT_EQ(core::GETCOMPANYDEFAULTS(tables->def.handle, 1), 0);
    // A standing charge of 450.00 on Acme's account (limit 500.00).
    core::Charges old;
    old.Id = 90;
    old.Customer = "Acme Supply";
    old.AMOUNT = money("450.00");
    old.UNPAIDBAL = money("450.00");
    store(old);
    newQuote();
    work.lines.clear();
    tables->ord.handle.rec.SLSTAXRATE1 = price("0.0000");
    addLine("BOLT-1", "1.00", "100.0000", 1);
    snapshot = tables->ord.handle.rec;
    downPayment = money("40.00");
    EXPECT_EQ(save(true, true), Response::Cancelled);
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back().caption, "CREDIT LIMIT ERROR");
    EXPECT_EQ(ui.messages().back().text, "This invoice will exceed this customers credit limit.");
    EXPECT_TRUE(all<core::Orders>().empty());
    EXPECT_TRUE(all<core::Payments>().empty());
    downPayment = money("50.00");
    EXPECT_EQ(save(true, true), Response::Completed);
    EXPECT_EQ(all<core::Orders>().size(), 1u);
    EXPECT_EQ(all<core::Customer>()[0].BALANCEDUE, money("500.00"));
}

TEST_F(OrderSaving, WarnedCreditLimitAsksAndNoCancels) {
    company([](core::Defaults& d) { d.CREDITLIMIT = "W"; });
    ASSERT_EQ(core::GETCOMPANYDEFAULTS(tables->def.handle, 1), 0);
    store(customer("Tight Co", "10.00"));
    newQuote();
    tables->ord.handle.rec.CustName = "Tight Co";
    snapshot = tables->ord.handle.rec;
    ui.answer(Button::No);
    EXPECT_EQ(save(true, true), Response::Cancelled);
    EXPECT_EQ(ui.messages().back().caption, "CREDIT LIMIT WARNING");
    EXPECT_EQ(ui.messages().back().defaultButton, Button::No);
    EXPECT_TRUE(all<core::Orders>().empty());
    ui.answer(Button::Yes);
    EXPECT_EQ(save(true, true), Response::Completed);
    EXPECT_EQ(all<core::Charges>().size(), 1u);
}

TEST_F(OrderSaving, MissingProductRollsBackTheWholeSave) {
    newQuote();
    ASSERT_EQ(save(false, true), Response::Completed);
    addLine("GONE-9", "1.00", "5.0000", 0);
    EXPECT_EQ(save(true, false), Response::Cancelled);
    EXPECT_EQ(ui.messages().back().caption, "Error");
    EXPECT_EQ(ui.messages().back().text, "Error finding inventory records (Products).  Please repair database.");
    // The stored quote, its two lines and the stock are untouched.
    const auto orders = all<core::Orders>();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].Status.view(), "Q");
    EXPECT_EQ(all<core::ItemsOrd>().size(), 2u);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("10.00"));
    EXPECT_TRUE(all<core::Charges>().empty());
    EXPECT_EQ(tables->ord.handle.rec.Status.view(), "Q");
    EXPECT_EQ(tables->ord.handle.rec.InvoiceNum, 0);
    EXPECT_EQ(work.lines[2].ITENUM, 0);  // the number handed out is given back
}

TEST_F(OrderSaving, DuplicateInvoiceNumberOffersRetryWithTheNextNumber) {
    newQuote();
    ASSERT_EQ(save(false, true), Response::Completed);
    // Another station stores invoice 1 while the invoice dialog is open.
    ui.onWindow("SaveInvoiceForm", [this](const core::WindowRequest& r) {
        auto& order = *static_cast<core::Orders*>(r.table->buffer());
        shownInvoiceNumbers.push_back(order.InvoiceNum);
        if (shownInvoiceNumbers.size() == 1) {
            core::Orders other;
            other.OrdNum = 77;
            other.InvoiceNum = order.InvoiceNum;
            other.Status = "I";
            other.CustName = "Other";
            store(other);
        }
        order.DOWNPAYMENT.clear();
        core::WindowResponse w;
        w.response = Response::Completed;
        return w;
    });
    ui.answer(Button::Ok);
    ASSERT_EQ(save(true, false), Response::Completed);
    EXPECT_EQ(shownInvoiceNumbers, (std::vector<std::int32_t>{1, 2}));
    bool asked = false;
    for (const auto& m : ui.messages())
        if (m.text == "Duplicate Invoice Number.  Press OK to Retry.") asked = true;
    EXPECT_TRUE(asked);
    const auto charges = all<core::Charges>();
    ASSERT_EQ(charges.size(), 1u);
    EXPECT_EQ(charges[0].INVOICENUM, 2);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("8.00"));  // taken out once
}

TEST_F(OrderSaving, PaymentAmountChangedInPaymentDialogIsWhatTheAccountRecords) {
    newQuote();
    downPayment = money("30.00");
    ui.onWindow("PostInvoicePayment", [this](const core::WindowRequest& r) {
        PostInvoicePayment form(ui, *static_cast<core::Payments*>(r.table->buffer()));
        form.payment().AMOUNT = money("20.00");
        core::WindowResponse w;
        w.response = form.ok() ? Response::Completed : Response::Cancelled;
        return w;
    });
    ASSERT_EQ(save(true, true), Response::Completed);
    EXPECT_EQ(all<core::Orders>()[0].DOWNPAYMENT, money("20.00"));
    EXPECT_EQ(all<core::Charges>()[0].UNPAIDBAL, money("17.06"));
    EXPECT_EQ(all<core::Applied>()[0].AMOUNT, money("20.00"));
}

TEST(InvoiceDialogs, InitialPaymentRangeFollowsTheSignOfTheTotal) {
    // columns: total, amount, accepted
    const struct {
        const char* total;
        const char* amount;
        bool ok;
    } cases[] = {
        {"100.00", "120.00", false}, {"100.00", "100.00", true}, {"100.00", "0.00", true},
        {"100.00", "-1.00", false},  {"-50.00", "-20.00", true}, {"-50.00", "10.00", false},
        {"-50.00", "-60.00", false}, {"0.00", "0.00", true},     {"0.00", "1.00", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.total) + " / " + c.amount);
        EXPECT_EQ(SaveInvoiceForm::isValidPayment(money(c.total), money(c.amount)), c.ok);
    }
}

TEST(InvoiceDialogs, PaymentMethodDecidesDetailFieldsAndOkNeedsMethodAndDate) {
    core::ScriptedUi ui;
    core::Payments pay;
    PostInvoicePayment form(ui, pay);
    pay.Method = "Check";
    EXPECT_TRUE(form.checkFieldsEnabled());
    EXPECT_FALSE(form.cardFieldsEnabled());
    pay.Method = "Credit";
    EXPECT_FALSE(form.checkFieldsEnabled());
    EXPECT_TRUE(form.cardFieldsEnabled());
    pay.Method = "Cash";
    EXPECT_FALSE(form.checkFieldsEnabled() || form.cardFieldsEnabled());
    pay.Date = 0;
    EXPECT_FALSE(form.ok());
    EXPECT_EQ(form.focus(), PostInvoicePayment::Focus::Date);
    pay.Method = "";
    EXPECT_FALSE(form.ok());
    EXPECT_EQ(form.focus(), PostInvoicePayment::Focus::Method);
    EXPECT_EQ(ui.beeps().size(), 2u);
    pay.Method = "Cash";
    pay.Date = core::today();
    EXPECT_TRUE(form.ok());
    EXPECT_EQ(form.response().response, Response::Completed);
}

TEST_F(OrderSaving, InvoiceDialogProposesPaymentByCompanyDefault) {
    core::Orders o;
    o.TOTAL = money("80.00");
    o.OrdDate = core::today() - 40;
    company([](core::Defaults& d) {
        d.DEFAULTTOAR = 1;
        d.FLAG1 = 1;
    });
    SaveInvoiceForm onAccount(*db, ui, o);
    ASSERT_TRUE(onAccount.open());
    EXPECT_EQ(o.DOWNPAYMENT, money("0.00"));
    EXPECT_EQ(onAccount.balanceDue(), money("80.00"));
    EXPECT_EQ(o.OrdDate, core::today());
    EXPECT_EQ(core::glo.PrintPackList, 1);
    company([](core::Defaults& d) {
        d.DEFAULTTOAR = 0;
        d.FLAG1 = 0;
    });
    SaveInvoiceForm paid(*db, ui, o);
    ASSERT_TRUE(paid.open());
    EXPECT_EQ(o.DOWNPAYMENT, money("80.00"));
    EXPECT_EQ(paid.balanceDue(), money("0.00"));
    EXPECT_EQ(core::glo.PrintPackList, 0);
}

}  // namespace
}  // namespace quay::desk

namespace quay::desk {
namespace {

TEST_F(OrderSaving, DemoOrdersLeaveTheAccountsWhole) {
    tables.reset();
    core::Products tracked = product("SAW-9", "20.00", 1);
    tracked.TRACKSERIAL = "YES";
    store(tracked);
    DemoOrdersSummary s;
    ASSERT_EQ(addDemoOrders(*db, &s), "");
    // A year of orders: every third one stays a quote, every second invoice is paid at once.
    EXPECT_EQ(s.quotes, 50);
    EXPECT_EQ(s.invoices, 100);
    EXPECT_EQ(s.payments, 50);
    EXPECT_GT(s.serials, 0);
    const auto charges = all<core::Charges>();
    EXPECT_EQ(charges.size(), 100u);
    EXPECT_EQ(all<core::Payments>().size(), 50u);
    EXPECT_EQ(all<core::Applied>().size(), 50u);
    core::Decimal<13, 2> unpaid;
    for (const auto& c : charges) ASSERT_EQ(unpaid.assign(unpaid + c.UNPAIDBAL), core::DecimalStatus::Ok);
    EXPECT_EQ(all<core::Customer>()[0].BALANCEDUE, unpaid);
}

}  // namespace
}  // namespace quay::desk

#include <QCoreApplication>
#include <QTimer>

namespace quay::desk {
namespace {

// The status window repaints by processing events, as the order form's does. A timer
// that falls due while the save runs (the frame's alarm check) must not run while the
// save holds the write lock: only before the transaction or after the commit.
TEST_F(OrderSaving, TimerDueDuringTheSaveRunsOnlyOutsideTheTransaction) {
    static int argc = 1;
    static char name[] = "orders_save_test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);

    newQuote();
    int ticks = 0;
    int ticksInTransaction = 0;
    int ticksAfterCommit = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        if (db->inTransaction()) ++ticksInTransaction;
        core::Database other(dir());  // what another station sees
        core::Handle<core::Orders> ord(other);
        if (ord.open() == core::ErrorCode::None && ord.records() == 1) ++ticksAfterCommit;
    });
    timer.start();
    OrderSave s(ui, *tables, work, snapshot);
    s.setStatusSink([](const std::string&) { QCoreApplication::processEvents(); });
    ASSERT_EQ(s.run(true, true), Response::Completed);
    timer.stop();
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(ticksInTransaction, 0);
    EXPECT_GT(ticksAfterCommit, 0);  // the status window's closing let the timer run
    // Every step's text was still logged for the status line.
    EXPECT_NE(std::find(s.statusLog().begin(), s.statusLog().end(), "Adding Charge to A/R"), s.statusLog().end());
}

}  // namespace
}  // namespace quay::desk
