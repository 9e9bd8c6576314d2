// The payment form: applying by double-click and to the oldest charges, removing an
// application, the amount and method rules, OK and Cancel for a new and a changed
// payment, deleting with the capped reversal, and another station's changes.
#include <gtest/gtest.h>

#include "accounts/ar_ledger.h"
#include "accounts_test_support.h"

namespace quay::desk {
namespace {

using core::Request;
using core::Response;
using testing::money;

class PaymentForm : public testing::AccountsTest {};

TEST_F(PaymentForm, DoubleClickAppliesAsMuchAsTheChargeNeeds) {
    const auto c60 = charge("Acme Supply", "60.00");
    const auto c70 = charge("Acme Supply", "70.00");
    auto f = openPayment(Request::Insert);
    ASSERT_FALSE(f->isClosed());
    EXPECT_EQ(f->rec().Id, 1);
    EXPECT_EQ(f->rec().Date, core::today());
    f->rec().AMOUNT = money("100.00");
    ASSERT_TRUE(f->amountAccepted());
    ASSERT_EQ(f->outstanding().rowCount(), 2u);

    highlightCharge(*f.form, c60);
    f->applyHighlighted();
    EXPECT_EQ(chargeNo(c60).UNPAIDBAL, money("0.00"));
    EXPECT_EQ(chargeNo(c60).Paid, 1);
    EXPECT_EQ(f->rec().UNAPPAMT, money("40.00"));
    EXPECT_FALSE(f->cancelVisible());
    EXPECT_EQ(f->outstanding().rowCount(), 1u);  // the paid charge leaves the list
    EXPECT_EQ(f->takeFocus(), EditPayments::Focus::Outstanding);

    highlightCharge(*f.form, c70);
    f->applyHighlighted();
    EXPECT_EQ(chargeNo(c70).UNPAIDBAL, money("30.00"));
    EXPECT_EQ(chargeNo(c70).Paid, 0);
    EXPECT_EQ(f->rec().UNAPPAMT, money("0.00"));
    EXPECT_EQ(f->totalApplied(), 10000);
    ASSERT_EQ(f->applied().rowCount(), 2u);
    EXPECT_EQ(f->applied().rows()[0].cells[2], "$60.00");

    ASSERT_TRUE(f->ok());
    EXPECT_EQ(f->response().response, Response::Completed);
    const auto p = paymentNo(1);
    EXPECT_EQ(p.AMOUNT, money("100.00"));
    EXPECT_EQ(p.UNAPPAMT, money("0.00"));
    EXPECT_EQ(p.Applied, 1);
    const auto rows = rowsOfPayment(1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].DATEAPPLIED, core::today());
    expectInvariants();
}

TEST_F(PaymentForm, RaisedAmountAddsToTheExistingRowOfThePair) {
    charge("Acme Supply", "60.00");
    const auto c70 = charge("Acme Supply", "70.00");
    const auto pay = payment("Acme Supply", "100.00");
    {
        auto f = openPayment(Request::Change, pay);
        f->applyToOldest();
        EXPECT_EQ(chargeNo(c70).UNPAIDBAL, money("30.00"));
        ASSERT_TRUE(f->ok());
    }
    auto f = openPayment(Request::Change, pay);
    f->rec().AMOUNT = money("110.00");
    f->amountAccepted();
    EXPECT_EQ(f->rec().UNAPPAMT, money("10.00"));
    highlightCharge(*f.form, c70);
    f->applyHighlighted();
    std::vector<core::Applied> toC70;
    for (const auto& a : rowsOfPayment(pay))
        if (a.ChgId == c70) toC70.push_back(a);
    ASSERT_EQ(toC70.size(), 1u);
    EXPECT_EQ(toC70[0].AMOUNT, money("50.00"));
    EXPECT_EQ(chargeNo(c70).UNPAIDBAL, money("20.00"));
    ASSERT_TRUE(f->ok());
    EXPECT_EQ(paymentNo(pay).AMOUNT, money("110.00"));
    EXPECT_EQ(paymentNo(pay).UNAPPAMT, money("0.00"));
    expectInvariants();
}

TEST_F(PaymentForm, ApplyToOldestWithNothingLeftChangesNothing) {
    const auto c = charge("Acme Supply", "60.00");
    const auto pay = payment("Acme Supply", "0.00");
    auto f = openPayment(Request::Change, pay);
    f->applyToOldest();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "ERROR");
    EXPECT_EQ(ui.messages()[0].text, "Payment Completely Allocated");
    EXPECT_EQ(chargeNo(c).UNPAIDBAL, money("60.00"));
    EXPECT_TRUE(all<core::Applied>().empty());
    EXPECT_TRUE(f->cancelVisible());
}

TEST_F(PaymentForm, ApplyToOldestMarksAnEmptyChargePaidWithoutARow) {
    const auto empty = charge("Acme Supply", "25.00", 0, core::today() - 90, "0.00");
    // Stored unpaid with a 0 balance, as a hand edit might leave it.
    {
        core::ScriptedUi quiet;
        core::Handle<core::Charges> h(*db);
        core::openTable(quiet, h);
        h.rec.Id = empty;
        ASSERT_EQ(h.get(core::Charges::byId), core::ErrorCode::None);
        h.rec.Paid = 0;
        ASSERT_EQ(h.put(), core::ErrorCode::None);
    }
    const auto older = charge("Acme Supply", "40.00", 0, core::today() - 60);
    const auto newer = charge("Acme Supply", "80.00", 0, core::today() - 10);
    const auto pay = payment("Acme Supply", "100.00");
    auto f = openPayment(Request::Change, pay);
    f->applyToOldest();
    EXPECT_EQ(chargeNo(empty).Paid, 1);
    EXPECT_EQ(chargeNo(older).UNPAIDBAL, money("0.00"));
    EXPECT_EQ(chargeNo(newer).UNPAIDBAL, money("20.00"));
    const auto rows = rowsOfPayment(pay);
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& r : rows) {
        EXPECT_NE(r.ChgId, empty);
        EXPECT_EQ(r.DATEAPPLIED, 0);
        EXPECT_EQ(r.TIMEAPPLIED, 0);
    }
    EXPECT_EQ(f->rec().UNAPPAMT, money("0.00"));
    EXPECT_FALSE(f->cancelVisible());
    ASSERT_TRUE(f->ok());
    EXPECT_EQ(paymentNo(pay).UNAPPAMT, money("0.00"));
}

TEST_F(PaymentForm, AmountBelowWhatIsAppliedHoldsOkAndCancel) {
    charge("Acme Supply", "60.00");
    const auto pay = payment("Acme Supply", "60.00");
    auto f = openPayment(Request::Change, pay);
    f->applyToOldest();
    f->rec().AMOUNT = money("50.00");
    f->amountAccepted();
    EXPECT_EQ(f->rec().UNAPPAMT, money("-10.00"));
    EXPECT_FALSE(f->okEnabled());
    EXPECT_FALSE(f->cancelEnabled());
    EXPECT_FALSE(f->ok());  // OK does nothing while disabled
    f->rec().AMOUNT = money("60.00");
    f->amountAccepted();
    EXPECT_TRUE(f->okEnabled());
    EXPECT_TRUE(f->ok());
}

TEST_F(PaymentForm, ZeroAmountBeepsAndKeepsTheCursor) {
    auto f = openPayment(Request::Insert);
    EXPECT_FALSE(f->amountAccepted());
    ASSERT_EQ(ui.beeps().size(), 1u);
    EXPECT_EQ(ui.beeps()[0].frequency, 150);
    EXPECT_EQ(f->takeFocus(), EditPayments::Focus::Amount);
}

TEST_F(PaymentForm, MethodRuleBlanksAndDisablesTheOtherFields) {
    auto f = openPayment(Request::Insert);
    struct Case {
        const char* method;  // chosen method
        bool check;          // Check# and Bank ID enabled
        bool card;           // card fields enabled
        bool keepsCheck;     // PAY:CHECKNUM survives
        bool keepsCard;      // PAY:CCNUM survives
    };
    const Case cases[] = {{"Cash", false, false, false, false},
                          {"Check", true, false, true, false},
                          {"Credit", false, true, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        f->rec().CHECKNUM = "1042";
        f->rec().CCNUM = "4111111111111111";
        f->rec().Method = c.method;
        f->methodSelected();
        EXPECT_EQ(f->checkFieldsEnabled(), c.check);
        EXPECT_EQ(f->cardFieldsEnabled(), c.card);
        EXPECT_EQ(f->rec().CHECKNUM.isBlank(), !c.keepsCheck);
        EXPECT_EQ(f->rec().CCNUM.isBlank(), !c.keepsCard);
    }
    f->rec().Method = "Other";
    f->rec().CHECKNUM = "77";
    f->methodSelected();
    EXPECT_EQ(f->rec().CHECKNUM.view(), "77");  // other methods change nothing
}

TEST_F(PaymentForm, SaveQuestionWhenNothingIsApplied) {
    auto f = openPayment(Request::Insert);
    f->rec().AMOUNT = money("25.00");
    f->amountAccepted();
    ui.answer(core::Button::No);
    EXPECT_FALSE(f->ok());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Save Payment?");
    EXPECT_EQ(ui.messages()[0].text.rfind("Are you sure you want to save payment?|You have not applied", 0), 0u);
    EXPECT_EQ(f->takeFocus(), EditPayments::Focus::Outstanding);
    ui.answer(core::Button::Yes);
    EXPECT_TRUE(f->ok());
    EXPECT_EQ(paymentNo(1).AMOUNT, money("25.00"));
    EXPECT_EQ(paymentNo(1).UNAPPAMT, money("25.00"));
    EXPECT_EQ(paymentNo(1).Applied, 0);
}

TEST_F(PaymentForm, CancelOfANewPaymentUndoesEveryApplication) {
    const auto a = charge("Acme Supply", "60.00");
    const auto b = charge("Acme Supply", "70.00");
    auto f = openPayment(Request::Insert);
    f->rec().AMOUNT = money("100.00");
    f->amountAccepted();
    f->applyToOldest();
    ASSERT_EQ(all<core::Applied>().size(), 2u);
    EXPECT_TRUE(f->cancel());
    EXPECT_EQ(f->response().response, Response::Cancelled);
    EXPECT_TRUE(all<core::Payments>().empty());
    EXPECT_TRUE(all<core::Applied>().empty());
    EXPECT_EQ(chargeNo(a).UNPAIDBAL, money("60.00"));
    EXPECT_EQ(chargeNo(a).Paid, 0);
    EXPECT_EQ(chargeNo(b).UNPAIDBAL, money("70.00"));
}

TEST_F(PaymentForm, CancelOfAChangeKeepsApplicationsAndAgreesWithThem) {
    charge("Acme Supply", "60.00");
    const auto pay = payment("Acme Supply", "100.00");
    auto f = openPayment(Request::Change, pay);
    f->rec().COMMENTS = "typed, then cancelled";
    f->applyToOldest();
    EXPECT_TRUE(f->cancel());
    const auto p = paymentNo(pay);
    EXPECT_TRUE(p.COMMENTS.isBlank());
    EXPECT_EQ(p.UNAPPAMT, money("40.00"));
    EXPECT_EQ(rowsOfPayment(pay).size(), 1u);
    expectInvariants();
}

TEST_F(PaymentForm, DeleteGivesBackNoMoreThanWasCharged) {
    // The charge's balance was edited by hand to 40.00 after 30.00 was applied: giving
    // the 30.00 back would make 70.00 owed on a 50.00 charge.
    const auto c = charge("Acme Supply", "50.00", 0, 0, "40.00");
    const auto credit = charge("Acme Supply", "-20.00", 0, 0, "-25.00");
    const auto pay = payment("Acme Supply", "30.00");
    core::Applied a;
    a.PayId = pay;
    a.ChgId = c;
    a.AMOUNT = money("30.00");
    store(a);
    a.ChgId = credit;
    a.AMOUNT = money("-10.00");
    store(a);
    auto f = openPayment(Request::Delete, pay);
    EXPECT_TRUE(f->isClosed());
    EXPECT_EQ(f->response().response, Response::Completed);
    EXPECT_TRUE(ui.messages().empty());  // no question: the account window asked nothing either
    EXPECT_EQ(chargeNo(c).UNPAIDBAL, money("50.00"));
    EXPECT_EQ(chargeNo(credit).UNPAIDBAL, money("-20.00"));  // raised to the credit's amount, not past it
    EXPECT_TRUE(all<core::Payments>().empty());
    EXPECT_TRUE(all<core::Applied>().empty());
}

TEST_F(PaymentForm, RemovingAnApplicationReopensTheCharge) {
    const auto c = charge("Acme Supply", "60.00");
    const auto pay = payment("Acme Supply", "60.00");
    auto f = openPayment(Request::Change, pay);
    f->applyToOldest();
    ASSERT_EQ(chargeNo(c).Paid, 1);
    f->applied().setCurrent(0);
    f->removeHighlighted();
    EXPECT_EQ(chargeNo(c).UNPAIDBAL, money("60.00"));
    EXPECT_EQ(chargeNo(c).Paid, 0);
    EXPECT_EQ(paymentNo(pay).UNAPPAMT, money("60.00"));  // stored with the removal
    EXPECT_EQ(f->rec().UNAPPAMT, money("60.00"));
    EXPECT_EQ(f->applied().rowCount(), 0u);
    EXPECT_EQ(f->takeFocus(), EditPayments::Focus::Applied);
    expectInvariants();
}

TEST_F(PaymentForm, AnApplicationGoneElsewhereIsToldAndTheListsReRead) {
    charge("Acme Supply", "60.00");
    const auto pay = payment("Acme Supply", "60.00");
    auto f = openPayment(Request::Change, pay);
    f->applyToOldest();
    f->applied().setCurrent(0);
    {
        // Another station removes the application meanwhile.
        core::ScriptedUi other;
        ArTables t(*db, other);
        ASSERT_EQ(removeApplication(t, other, pay, 1), LedgerOutcome::Done);
    }
    ui.clearRecord();
    f->removeHighlighted();
    EXPECT_FALSE(ui.programEnded());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "Record not available on Applied");
    EXPECT_EQ(f->applied().rowCount(), 0u);
    EXPECT_EQ(f->outstanding().rowCount(), 1u);
    EXPECT_FALSE(f->isClosed());
    expectInvariants();
}

TEST_F(PaymentForm, ChangeByAnotherStationIsShownAndNotOverwritten) {
    const auto pay = payment("Acme Supply", "100.00");
    auto f = openPayment(Request::Change, pay);
    f->rec().COMMENTS = "mine";
    {
        core::ScriptedUi quiet;
        core::Handle<core::Payments> h(*db);
        core::openTable(quiet, h);
        h.rec.Id = pay;
        ASSERT_EQ(h.get(core::Payments::byId), core::ErrorCode::None);
        h.rec.COMMENTS = "theirs";
        ASSERT_EQ(h.put(), core::ErrorCode::None);
    }
    ui.answer(core::Button::Yes);  // save although nothing is applied
    EXPECT_FALSE(f->ok());
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].caption, "Update Operation Error");
    EXPECT_EQ(ui.messages()[1].text, "This record was changed by another station.");
    EXPECT_EQ(f->rec().COMMENTS.view(), "theirs");
    EXPECT_EQ(paymentNo(pay).COMMENTS.view(), "theirs");
    ui.answer(core::Button::Yes);
    f->rec().COMMENTS = "mine again";
    EXPECT_TRUE(f->ok());  // compared with their version now
    EXPECT_EQ(paymentNo(pay).COMMENTS.view(), "mine again");
}

TEST_F(PaymentForm, ChargeAppliedElsewhereIsReadAgainBeforeApplying) {
    const auto c = charge("Acme Supply", "60.00");
    const auto pay = payment("Acme Supply", "100.00");
    core::ScriptedUi other;
    ArTables mine(*db, ui);
    ArTables theirs(*db, other);
    // This station read and watched the charge; the other station applies first.
    mine.chg.handle.clear();
    mine.chg.rec().Id = c;
    ASSERT_EQ(mine.chg.handle.get(core::Charges::byId), core::ErrorCode::None);
    const auto other_pay = payment("Acme Supply", "25.00");
    ASSERT_EQ(applyToCharge(theirs, other, other_pay, c, 2500, 0, 0), LedgerOutcome::Done);
    // Applying now re-reads the charge first, so it sees 35.00 and applies that.
    std::int64_t applied = 0;
    ASSERT_EQ(applyToCharge(mine, ui, pay, c, 10000, 0, 0, &applied), LedgerOutcome::Done);
    EXPECT_EQ(applied, 3500);
    EXPECT_EQ(chargeNo(c).UNPAIDBAL, money("0.00"));
    expectInvariants();
}

TEST_F(PaymentForm, NothingHighlightedIsSaid) {
    auto f = openPayment(Request::Insert);
    f->rec().AMOUNT = money("10.00");
    f->applyHighlighted();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "No record currently highlighted");
    f->removeHighlighted();
    EXPECT_EQ(ui.messages().back().text, "No record currently highlighted");
}

TEST_F(PaymentForm, DatePickerOpensForAnEmptyDateOrOnF2) {
    auto f = openPayment(Request::Insert);
    f->dateKey(false);
    EXPECT_TRUE(ui.windows().empty());  // a date is there and the key was not F2
    f->rec().Date = 0;
    f->dateKey(false);
    ASSERT_EQ(ui.windows().size(), 1u);
    EXPECT_EQ(ui.windows()[0].window, "DATESELECT");
    EXPECT_EQ(core::glo.CalendarTitle.view(), "Select Payment Date");
    EXPECT_EQ(f->rec().Date, core::today());
    f->dateKey(true);
    EXPECT_EQ(ui.windows().size(), 2u);
}

}  // namespace
}  // namespace quay::desk
