// The header window QuoteDetails on an offscreen display: the customer look-up with
// its list and copy rule, the other look-ups, the date with its calendar, and what
// Ok and Cancel leave in the order. Logic cases of the look-ups run without a window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "orders/views/quote_details_view.h"
#include "orders_dialogs_support_test.h"

namespace quay::desk {
namespace {

using testing::money;
using testing::price;

class HeaderWindow : public testing::DialogsTest {
protected:
    core::Orders quote() {
        core::Orders o;
        o.Status = "Q";
        o.OrdDate = core::today();
        o.PRICECLASS = "3";
        return o;
    }
};

TEST_F(HeaderWindow, UnknownCustomerTypedOpensTheListAndThePickIsCopiedIn) {
    pickIn("CUSTOMERBROWSE", "Name", "Baker Bros");
    core::Orders order = quote();
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    QLineEdit* customer = field(view, "CustName");
    typeAndTab(customer, "Bak");
    EXPECT_EQ(picks["CUSTOMERBROWSE"], 1);
    EXPECT_EQ(order.CustName.view(), "Baker Bros");
    // The copy rule, and the copied fields shown again.
    EXPECT_EQ(order.PRICECLASS.view(), "1");
    EXPECT_EQ(order.SLSTAXRATE1, price("6.0000"));
    EXPECT_EQ(order.TAX1EXEMPT, 1);
    EXPECT_EQ(order.TAXLIC1.view(), "EX-4411");
    EXPECT_EQ(order.BILLTO.view(), "Baker Bros");
    EXPECT_EQ(customer->text(), "Baker Bros");
    EXPECT_EQ(field<QComboBox>(view, "PRICECLASS")->currentText(), "1");
    EXPECT_EQ(field(view, "SLSTAXRATE1")->text(), "6.0000");
    EXPECT_TRUE(field<QCheckBox>(view, "TAX1EXEMPT")->isChecked());
    // Tab went on to the next field.
    EXPECT_TRUE(hasFocus(field(view, "REFERENCE")));
    QTest::mouseClick(field<QPushButton>(view, "Ok"), Qt::LeftButton);
    EXPECT_EQ(view.response(), core::Response::Completed);
    EXPECT_FALSE(view.isVisible());
}

TEST_F(HeaderWindow, KnownCustomerTypedIsTakenWithoutTheListInItsOwnSpelling) {
    core::Orders order = quote();
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    typeAndTab(field(view, "CustName"), "acme supply");
    EXPECT_TRUE(ui.windows().empty());
    EXPECT_EQ(order.CustName.view(), "Acme Supply");
    EXPECT_EQ(order.SLSTAXRATE1, price("8.2500"));
}

TEST_F(HeaderWindow, ChoosingTheSameCustomerAgainKeepsEditedRates) {
    core::Orders order = quote();
    order.CustName = "Acme Supply";
    order.SLSTAXRATE1 = price("8.2500");
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    typeAndTab(field(view, "SLSTAXRATE1"), "7.125");
    EXPECT_EQ(order.SLSTAXRATE1, price("7.1250"));
    typeAndTab(field(view, "CustName"), "ACME SUPPLY");
    EXPECT_EQ(order.SLSTAXRATE1, price("7.1250"));
    EXPECT_EQ(field(view, "SLSTAXRATE1")->text(), "7.1250");
    // The "..." button picking the same customer copies nothing either.
    pickIn("CUSTOMERBROWSE", "Name", "Acme Supply");
    QTest::mouseClick(view.findChild<QToolButton*>("CustNameLookup"), Qt::LeftButton);
    EXPECT_EQ(picks["CUSTOMERBROWSE"], 1);
    EXPECT_EQ(order.SLSTAXRATE1, price("7.1250"));
    // Another customer does copy its rates.
    pickIn("CUSTOMERBROWSE", "Name", "Baker Bros");
    QTest::mouseClick(view.findChild<QToolButton*>("CustNameLookup"), Qt::LeftButton);
    EXPECT_EQ(order.SLSTAXRATE1, price("6.0000"));
    EXPECT_EQ(field(view, "CustName")->text(), "Baker Bros");
}

TEST_F(HeaderWindow, InactiveCustomerIsNotAcceptedByTyping) {
    pickIn("CUSTOMERBROWSE", "Name", "");  // the list is closed without a pick
    core::Orders order = quote();
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    QLineEdit* customer = field(view, "CustName");
    typeAndTab(customer, "Old Co");
    EXPECT_EQ(picks["CUSTOMERBROWSE"], 1);
    EXPECT_TRUE(hasFocus(customer));
    EXPECT_EQ(order.PRICECLASS.view(), "3");  // nothing copied
    // Enter accepts the field again, so the list is offered once more; the Ok that
    // Enter then presses neither completes nor opens it a third time.
    QTest::keyClick(customer, Qt::Key_Return);
    EXPECT_EQ(picks["CUSTOMERBROWSE"], 2);
    EXPECT_TRUE(view.isVisible());
    EXPECT_NE(view.response(), core::Response::Completed);
    EXPECT_FALSE(ui.beeps().empty());
    // Picking the inactive customer from the list is refused too.
    pickIn("CUSTOMERBROWSE", "Name", "Old Co");
    QTest::mouseClick(view.findChild<QToolButton*>("CustNameLookup"), Qt::LeftButton);
    EXPECT_EQ(order.PRICECLASS.view(), "3");
    ASSERT_EQ(ui.captions().size(), 1u);
    EXPECT_EQ(ui.captions()[0], "Customer Not Active");
    // The refused name is still typed in: Cancel asks before throwing it away.
    ui.answer(core::Button::Yes);
    QTest::mouseClick(field<QPushButton>(view, "Cancel"), Qt::LeftButton);
    EXPECT_EQ(ui.captions().back(), "Update Cancelled");
    EXPECT_EQ(view.response(), core::Response::Cancelled);
    EXPECT_TRUE(order.CustName.isBlank());
}

TEST_F(HeaderWindow, OkRefusesABlankCustomerAndCancelRestoresTheHeader) {
    core::Orders order = quote();
    order.REFERENCE = "Estimate";
    const core::Orders before = order;
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    typeAndTab(field(view, "REFERENCE"), "Changed");
    EXPECT_EQ(order.REFERENCE.view(), "Changed");
    altKey(view, Qt::Key_O);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(ui.beeps().size(), 1u);
    EXPECT_TRUE(hasFocus(field(view, "CustName")));
    // Not only a beep: the window says what is missing.
    EXPECT_EQ(view.statusLine()->text().toStdString(), QuoteDetails::kCustomerRequired);
    // Escape on a changed header asks first; No keeps the window and the change.
    ui.answer(core::Button::No);
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(order.REFERENCE.view(), "Changed");
    ui.answer(core::Button::Yes);
    altKey(view, Qt::Key_C);
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Update Cancelled", "Update Cancelled"}));
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(view.response(), core::Response::Cancelled);
    EXPECT_TRUE(core::recordsEqual(core::Orders::desc(), &order, &before));
}

TEST_F(HeaderWindow, SalespersonTermsAndShipViaAreLookedUpInTheirLists) {
    pickIn("SALESPEOPLEBROWSE", "Initials", "JD");
    pickIn("TERMSBROWSE", "TERMS", "Net 30");
    pickIn("BROWSESHIPVIA", "SHIPVIA", "UPS Ground");
    core::Orders order = quote();
    order.CustName = "Acme Supply";
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    typeAndTab(field(view, "Salesperson"), "jd");
    EXPECT_EQ(picks["SALESPEOPLEBROWSE"], 0);  // found as typed
    EXPECT_EQ(order.Salesperson.view(), "JD");
    typeAndTab(field(view, "TERMS"), "30 days");
    EXPECT_EQ(picks["TERMSBROWSE"], 1);
    EXPECT_EQ(order.TERMS.view(), "Net 30");
    typeAndTab(field(view, "SHIPVIA"), "Truck");
    EXPECT_EQ(picks["BROWSESHIPVIA"], 1);
    EXPECT_EQ(order.SHIPVIA.view(), "UPS Ground");
    QTest::keyClick(field(view, "PONUM"), Qt::Key_Return);
    EXPECT_EQ(view.response(), core::Response::Completed);
}

TEST_F(HeaderWindow, F2OnTheDateRunsTheCalendarAndTheChosenDateLands) {
    const std::int32_t chosen = core::today() - 30;
    calendarAnswers(chosen);
    core::Orders order = quote();
    order.CustName = "Acme Supply";
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    QLineEdit* date = field(view, "OrdDate");
    date->setFocus();
    QTest::keyClick(date, Qt::Key_F2);
    ASSERT_EQ(calendarTitles.size(), 1u);
    EXPECT_EQ(calendarTitles[0], "Select Order Date");
    EXPECT_EQ(order.OrdDate, chosen);
    const auto ymd = core::civilFromDate(chosen);
    ASSERT_TRUE(ymd);
    EXPECT_EQ(date->text(), QString::asprintf("%02d/%02d/%04d", ymd->month, ymd->day, ymd->year));
}

TEST_F(HeaderWindow, EnteringAnEmptyDateSetsTodayAndOpensTheCalendar) {
    calendarAnswers(0);  // cancelled: the calendar gives back the date it was opened on
    core::Orders order = quote();
    order.OrdDate = 0;
    order.CustName = "Acme Supply";
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    field(view, "OrdDate")->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(order.OrdDate, core::today());
    ASSERT_EQ(calendarTitles.size(), 1u);
    EXPECT_EQ(calendarTitles[0], "Select Order Date");
    // Entering it again with a date opens nothing.
    field(view, "REFERENCE")->setFocus();
    field(view, "OrdDate")->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(calendarTitles.size(), 1u);
}

TEST_F(HeaderWindow, TabFollowsTheFieldOrder) {
    core::Orders order = quote();
    QuoteDetailsView view(*db, ui, order);
    showActive(view);
    const char* order_[] = {"OrdDate",     "CustName", "REFERENCE",   "Salesperson", "TERMS",       "PRICECLASS",
                            "PONUM",       "SHIPVIA",  "SLSTAXRATE1", "TAX1EXEMPT",  "SLSTAXRATE2", "TAX2EXEMPT",
                            "DOWNPAYMENT", "HANDLING", "SHIPPING",    "COD",         "DISCOUNTPCT", "SURCHARGEPCT",
                            "ST_NAME",     "ST_ADD1",  "ST_ADD2",     "ST_CITY",     "ST_STATE",    "ST_ZIP",
                            "ST_ATTN",     "ST_PHONE"};
    QWidget* w = view.findChild<QWidget*>("OrdDate");
    for (std::size_t i = 1; i < std::size(order_); ++i) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isEnabled()) w = w->nextInFocusChain();
        EXPECT_EQ(w->objectName(), order_[i]);
    }
}

TEST_F(HeaderWindow, LogicRefusesOkWithAValueItsListRefused) {
    pickIn("TERMSBROWSE", "TERMS", "");
    core::Orders order = quote();
    order.CustName = "Acme Supply";
    QuoteDetails details(*db, ui, order);
    ASSERT_TRUE(details.open());
    order.TERMS = "Cash on delivery";
    EXPECT_FALSE(details.acceptField(HeaderField::TERMS));
    EXPECT_EQ(picks["TERMSBROWSE"], 1);
    EXPECT_FALSE(details.acceptField(HeaderField::TERMS, false));
    EXPECT_EQ(picks["TERMSBROWSE"], 1);
    EXPECT_FALSE(details.ok());
    EXPECT_EQ(details.focus(), HeaderField::TERMS);
    order.TERMS = "";
    EXPECT_TRUE(details.acceptField(HeaderField::TERMS));
    EXPECT_TRUE(details.ok());
}

}  // namespace
}  // namespace quay::desk
