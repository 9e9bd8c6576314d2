// The invoice dialogs on an offscreen display: SaveInvoiceForm's initial payment,
// balance due, date and look-ups, and PostInvoicePayment's method-dependent fields
// and its Ok rule.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "orders/views/invoice_dialog_views.h"
#include "orders_dialogs_support_test.h"
#include "quay/types/picture.h"

namespace quay::desk {
namespace {

using testing::money;
using testing::price;

class InvoiceDialog : public testing::DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        company([](core::Defaults& d) { d.DEFAULTTOAR = 0; });  // paid in full by default
    }
    core::Orders quote(const char* total) {
        core::Orders o;
        o.OrdNum = 7;
        o.InvoiceNum = 31;
        o.Status = "Q";
        o.CustName = "Acme Supply";
        o.OrdDate = core::today() - 40;
        o.TOTAL = money(total);
        return o;
    }
};

TEST_F(InvoiceDialog, InvalidInitialPaymentKeepsTheCursorAndOkDoesNotComplete) {
    core::Orders order = quote("100.00");
    SaveInvoiceView view(*db, ui, order);
    ASSERT_TRUE(view.opened());
    showActive(view);
    QLineEdit* payment = field(view, "DOWNPAYMENT");
    EXPECT_EQ(payment->text(), "100.00");  // paid in full unless invoices go to the account
    typeAndTab(payment, "120.00");
    EXPECT_TRUE(hasFocus(payment));
    EXPECT_EQ(payment->text(), "120.00");           // left for the user to correct
    EXPECT_EQ(order.DOWNPAYMENT, money("100.00"));  // the order keeps the last good amount
    EXPECT_EQ(ui.beeps().size(), 1u);
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    EXPECT_TRUE(view.isVisible());
    EXPECT_NE(view.response(), core::Response::Completed);
    EXPECT_TRUE(hasFocus(payment));
    typeAndTab(payment, "abc");
    EXPECT_TRUE(hasFocus(payment));
    EXPECT_EQ(order.DOWNPAYMENT, money("100.00"));
}

TEST_F(InvoiceDialog, TheProposedInvoiceNumberCanBeConfirmedOrReplacedButNotByZero) {
    core::Orders order = quote("100.00");
    SaveInvoiceView view(*db, ui, order);
    ASSERT_TRUE(view.opened());
    showActive(view);
    QLineEdit* number = field(view, "InvoiceNum");
    EXPECT_EQ(number->text(), "31");
    typeAndTab(number, "0");
    EXPECT_TRUE(hasFocus(number));  // refused: an invoice needs a number
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    EXPECT_TRUE(view.isVisible());
    EXPECT_NE(view.response(), core::Response::Completed);
    EXPECT_TRUE(hasFocus(number));
    typeAndTab(number, "5000");  // the business continues its own series
    EXPECT_EQ(order.InvoiceNum, 5000);
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    EXPECT_EQ(view.response(), core::Response::Completed);
    EXPECT_EQ(order.InvoiceNum, 5000);
}

TEST_F(InvoiceDialog, BalanceDueFollowsThePaymentAndOkKeepsIt) {
    company([](core::Defaults& d) {
        d.DEFAULTTOAR = 1;
        d.FLAG1 = 1;
    });
    core::Orders order = quote("100.00");
    SaveInvoiceView view(*db, ui, order);
    ASSERT_TRUE(view.opened());
    showActive(view);
    auto* balance = field<QLabel>(view, "BalanceDue");
    EXPECT_EQ(balance->text(), "100.00");
    EXPECT_EQ(field<QLabel>(view, "TOTAL")->text(), "100.00");
    EXPECT_EQ(field(view, "InvoiceNum")->text(), "31");
    EXPECT_EQ(order.OrdDate, core::today());  // invoiced today, whatever the quote's date
    typeAndTab(field(view, "DOWNPAYMENT"), "30");
    EXPECT_EQ(balance->text(), "70.00");
    EXPECT_EQ(order.DOWNPAYMENT, money("30.00"));
    auto* pack = field<QCheckBox>(view, "PrintPackList");
    EXPECT_TRUE(pack->isChecked());
    QTest::mouseClick(pack, Qt::LeftButton);
    EXPECT_EQ(core::glo.PrintPackList, 0);
    QTest::keyClick(field(view, "SHIPTRAK"), Qt::Key_Return);
    EXPECT_EQ(view.response(), core::Response::Completed);
    EXPECT_EQ(order.DOWNPAYMENT, money("30.00"));
}

TEST_F(InvoiceDialog, CreditInvoiceTakesANegativePaymentWithinItsTotal) {
    core::Orders order = quote("-50.00");
    SaveInvoiceView view(*db, ui, order);
    showActive(view);
    QLineEdit* payment = field(view, "DOWNPAYMENT");
    typeAndTab(payment, "10.00");
    EXPECT_TRUE(hasFocus(payment));
    EXPECT_EQ(order.DOWNPAYMENT, money("-50.00"));
    typeAndTab(payment, "-20.00");
    EXPECT_EQ(order.DOWNPAYMENT, money("-20.00"));
    EXPECT_EQ(field<QLabel>(view, "BalanceDue")->text(), "-30.00");
}

TEST_F(InvoiceDialog, DateCalendarIsTitledDateOfInvoiceAndTermsAreLookedUp) {
    const std::int32_t chosen = core::today() + 3;
    calendarAnswers(chosen);
    pickIn("TERMSBROWSE", "TERMS", "Net 30");
    core::Orders order = quote("10.00");
    SaveInvoiceView view(*db, ui, order);
    showActive(view);
    QLineEdit* date = field(view, "OrdDate");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_F2);
    ASSERT_EQ(calendarTitles.size(), 1u);
    EXPECT_EQ(calendarTitles[0], "Date Of Invoice");
    EXPECT_EQ(order.OrdDate, chosen);
    typeAndTab(field(view, "TERMS"), "net");
    EXPECT_EQ(picks["TERMSBROWSE"], 1);
    EXPECT_EQ(order.TERMS.view(), "Net 30");
    // Escape throws the typed changes away only when the user says so.
    ui.answer(core::Button::Yes);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(ui.captions().back(), "Update Cancelled");
    EXPECT_EQ(view.response(), core::Response::Cancelled);
    EXPECT_TRUE(order.TERMS.isBlank());
}

TEST_F(InvoiceDialog, OkRefusesAnInvoiceWithoutADate) {
    calendarAnswers(0);
    core::Orders order = quote("10.00");
    SaveInvoiceView view(*db, ui, order);
    showActive(view);
    QLineEdit* date = field(view, "OrdDate");
    date->setFocus();
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(order.OrdDate, 0);
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    EXPECT_TRUE(view.isVisible());
    EXPECT_NE(view.response(), core::Response::Completed);
    EXPECT_FALSE(ui.beeps().empty());
    EXPECT_TRUE(hasFocus(date));
}

TEST_F(InvoiceDialog, NoCompanyRecordRefusesToOpen) {
    {
        core::ScriptedUi quiet;
        core::Handle<core::Defaults> d(*db);
        ASSERT_EQ(core::openTable(quiet, d), core::OpenOutcome::Opened);
        ASSERT_EQ(core::GETCOMPANYDEFAULTS(d, 1), 0);
        ASSERT_EQ(d.erase(), core::ErrorCode::None);
    }
    strict = false;
    core::Orders order = quote("10.00");
    const core::Orders before = order;
    SaveInvoiceView view(*db, ui, order);
    EXPECT_FALSE(view.opened());
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back().text, "Set Company Defaults First");
    EXPECT_TRUE(core::recordsEqual(core::Orders::desc(), &order, &before));
}

class PaymentDialog : public testing::DialogsTest {
protected:
    core::Payments payment(const char* method) {
        core::Payments p;
        p.Customer = "Acme Supply";
        p.Method = method;
        p.Date = core::today();
        p.AMOUNT = money("30.00");
        return p;
    }
    static std::vector<bool> enabled(QWidget& view) {
        std::vector<bool> v;
        for (const char* f : {"CHECKNUM", "BANKID", "CCNUM", "EXPDATE", "CCNAME", "CCAUTH"})
            v.push_back(view.findChild<QWidget*>(f)->isEnabled());
        return v;
    }
};

TEST_F(PaymentDialog, MethodEnablesTheCheckOrCardFieldsOnOpeningAndWhenChanged) {
    core::Payments pay = payment("Check");
    PostInvoicePaymentView view(ui, pay);
    showActive(view);
    EXPECT_EQ(enabled(view), (std::vector<bool>{true, true, false, false, false, false}));
    auto* method = field<QComboBox>(view, "Method");
    method->setFocus();
    QTest::keyClick(method, Qt::Key_Down);  // Check -> Credit
    EXPECT_EQ(pay.Method.view(), "Credit");
    EXPECT_EQ(enabled(view), (std::vector<bool>{false, false, true, true, true, true}));
    QTest::keyClick(method, Qt::Key_Home);  // Cash
    EXPECT_EQ(pay.Method.view(), "Cash");
    EXPECT_EQ(enabled(view), (std::vector<bool>(6, false)));
    EXPECT_EQ(field<QLabel>(view, "AMOUNT")->text(), "30.00");
}

TEST_F(PaymentDialog, OkRefusesAZeroDateWithTheCursorOnTheDate) {
    core::Payments pay = payment("Credit");
    pay.Date = 0;
    PostInvoicePaymentView view(ui, pay);
    showActive(view);
    EXPECT_EQ(enabled(view), (std::vector<bool>{false, false, true, true, true, true}));
    typeAndTab(field(view, "CCNUM"), "4111111111111111");
    typeAndTab(field(view, "EXPDATE"), "09/2028");
    EXPECT_EQ(pay.EXPDATE, *core::dateFromCivil(2028, 9, 30));  // good to the end of its month
    altKey(view, Qt::Key_O);
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(hasFocus(field(view, "Date")));
    EXPECT_EQ(ui.beeps().size(), 1u);
    typeAndTab(field(view, "Date"), QString::fromStdString(core::Picture::parse("@d2")->format(core::today())));
    altKey(view, Qt::Key_O);
    EXPECT_EQ(view.response(), core::Response::Completed);
    EXPECT_EQ(pay.CCNUM.view(), "4111111111111111");
    EXPECT_EQ(pay.Date, core::today());
}

TEST_F(PaymentDialog, OkRefusesABlankMethodWithTheCursorOnTheMethod) {
    core::Payments pay = payment("");
    PostInvoicePaymentView view(ui, pay);
    showActive(view);
    EXPECT_EQ(enabled(view), (std::vector<bool>(6, false)));
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(hasFocus(field<QComboBox>(view, "Method")));
}

}  // namespace
}  // namespace quay::desk
