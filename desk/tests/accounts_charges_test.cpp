// The charge form's protections and balances, the customer account window (lists,
// totals, Balance Due, Close storing the balance) and the receivables list with its
// outstanding balance.
#include <algorithm>
#include <gtest/gtest.h>

#include "accounts/ar_browse.h"
#include "accounts/brws_cust_account.h"
#include "accounts/edit_charges.h"
#include "accounts_test_support.h"

namespace quay::desk {
namespace {

using core::Request;
using core::Response;
using testing::money;

class ChargeForm : public testing::AccountsTest {
protected:
    struct Form {
        std::unique_ptr<core::HeldTable<core::Charges>> table;
        std::unique_ptr<EditCharges> form;
        EditCharges* operator->() { return form.get(); }
    };
    Form openCharge(Request request, std::int32_t id = 0) {
        Form f;
        f.table = std::make_unique<core::HeldTable<core::Charges>>(*db, ui);
        core::WindowRequest r;
        r.request = request;
        r.table = &f.table->handle;
        r.text = "Acme Supply";
        if (request != Request::Insert) {
            f.table->rec().Id = id;
            EXPECT_EQ(f.table->handle.get(core::Charges::byId), core::ErrorCode::None);
        }
        f.form = std::make_unique<EditCharges>(*db, ui, f.table->handle, r);
        f.form->open();
        return f;
    }
    void applyOne(std::int32_t pay, std::int32_t chg, const char* amount) {
        core::Applied a;
        a.PayId = pay;
        a.ChgId = chg;
        a.AMOUNT = money(amount);
        store(a);
    }
};

TEST_F(ChargeForm, InvoiceChargeCannotBeDeletedHere) {
    const auto c = charge("Acme Supply", "120.00", 7);
    auto f = openCharge(Request::Delete, c);
    EXPECT_TRUE(f->isClosed());
    EXPECT_EQ(f->response().response, Response::Cancelled);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Invalid Operation");
    EXPECT_EQ(ui.messages()[0].text, "Cannot delete charge from ticket.  To remove charge, re-open ticket.");
    EXPECT_EQ(chargeNo(c).AMOUNT, money("120.00"));
}

TEST_F(ChargeForm, InvoiceChargeKeepsItsDateReasonAndAmount) {
    const auto c = charge("Acme Supply", "120.00", 7);
    auto f = openCharge(Request::Change, c);
    EXPECT_FALSE(f->dateEnabled());
    EXPECT_FALSE(f->reasonEnabled());
    EXPECT_FALSE(f->amountEnabled());
}

TEST_F(ChargeForm, ChargeWithPaymentsCannotBeDeleted) {
    const auto c = charge("Acme Supply", "80.00", 0, 0, "50.00");
    applyOne(payment("Acme Supply", "30.00"), c, "30.00");
    auto f = openCharge(Request::Delete, c);
    EXPECT_TRUE(f->isClosed());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Invalid Operation");
    EXPECT_EQ(ui.messages()[0].text, "Can't Delete charge with payments posted.");
    EXPECT_EQ(all<core::Charges>().size(), 1u);
    EXPECT_EQ(all<core::Applied>().size(), 1u);
}

TEST_F(ChargeForm, ChargeWithPaymentsKeepsDateAndAmount) {
    const auto c = charge("Acme Supply", "80.00", 0, 0, "50.00");
    applyOne(payment("Acme Supply", "30.00"), c, "30.00");
    auto f = openCharge(Request::Change, c);
    EXPECT_FALSE(f->dateEnabled());
    EXPECT_TRUE(f->reasonEnabled());
    EXPECT_FALSE(f->amountEnabled());
    ASSERT_EQ(f->payments().rowCount(), 1u);
    EXPECT_EQ(f->payments().rows()[0].cells[1], "Check");
    EXPECT_EQ(f->payments().rows()[0].cells[2], "$30.00");
}

TEST_F(ChargeForm, RaisingAPaidChargeMakesItUnpaidAgain) {
    const auto c = charge("Acme Supply", "40.00", 0, 0, "0.00");
    ASSERT_EQ(chargeNo(c).Paid, 1);
    auto f = openCharge(Request::Change, c);
    f->rec().AMOUNT = money("55.00");
    f->afterEvent();
    EXPECT_TRUE(f->ok());
    EXPECT_EQ(chargeNo(c).UNPAIDBAL, money("55.00"));
    EXPECT_EQ(chargeNo(c).Paid, 0);
    expectInvariants();
}

TEST_F(ChargeForm, NewChargeIsNumberedAndCancelRemovesIt) {
    charge("Acme Supply", "10.00");
    {
        auto f = openCharge(Request::Insert);
        EXPECT_EQ(f->rec().Id, 2);
        EXPECT_EQ(f->rec().Customer.view(), "Acme Supply");
        EXPECT_EQ(f->rec().Date, core::today());
        EXPECT_EQ(all<core::Charges>().size(), 2u);  // added when the form opened
        EXPECT_TRUE(f->cancel());
    }
    EXPECT_EQ(all<core::Charges>().size(), 1u);
    auto f = openCharge(Request::Insert);
    f->rec().REASON = "Credit for returned goods";
    f->rec().AMOUNT = money("-15.00");
    f->afterEvent();
    EXPECT_TRUE(f->ok());
    const auto credit = chargeNo(2);
    EXPECT_EQ(credit.UNPAIDBAL, money("-15.00"));
    EXPECT_EQ(credit.Paid, 0);
    EXPECT_EQ(credit.INVOICENUM, 0);
}

TEST_F(ChargeForm, DeleteOfAManualChargeRemovesIt) {
    const auto c = charge("Acme Supply", "10.00");
    auto f = openCharge(Request::Delete, c);
    ASSERT_FALSE(f->isClosed());
    EXPECT_EQ(f->statusText(), "Record will be Deleted");
    EXPECT_TRUE(f->ok());
    EXPECT_EQ(f->response().response, Response::Completed);
    EXPECT_TRUE(all<core::Charges>().empty());
}

TEST_F(ChargeForm, CancelOfAChangedChargeAsksAndThenKeepsTheStoredCharge) {
    const auto c = charge("Acme Supply", "10.00");
    auto f = openCharge(Request::Change, c);
    f->rec().REASON = "typed by mistake";
    f->rec().AMOUNT = money("99.00");
    ui.answer(core::Button::No);  // "Are you sure you want to cancel?" -- no, back to the form
    EXPECT_FALSE(f->cancel());
    EXPECT_FALSE(f->isClosed());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "Are you sure you want to cancel?");
    ui.answer(core::Button::Yes);
    EXPECT_TRUE(f->cancel());
    EXPECT_EQ(f->response().response, Response::Cancelled);
    EXPECT_EQ(chargeNo(c).AMOUNT, money("10.00"));
    EXPECT_EQ(chargeNo(c).UNPAIDBAL, money("10.00"));
    EXPECT_EQ(f->rec().AMOUNT, money("10.00"));  // the buffer is the stored charge again
}

TEST_F(ChargeForm, ChangeByAnotherStationIsShown) {
    const auto c = charge("Acme Supply", "10.00");
    auto f = openCharge(Request::Change, c);
    f->rec().REASON = "mine";
    {
        core::ScriptedUi quiet;
        core::Handle<core::Charges> h(*db);
        core::openTable(quiet, h);
        h.rec.Id = c;
        ASSERT_EQ(h.get(core::Charges::byId), core::ErrorCode::None);
        h.rec.REASON = "theirs";
        ASSERT_EQ(h.put(), core::ErrorCode::None);
    }
    EXPECT_FALSE(f->ok());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Update Operation Error");
    EXPECT_EQ(chargeNo(c).REASON.view(), "theirs");
    EXPECT_EQ(f->rec().REASON.view(), "theirs");
}

class AccountWindow : public testing::AccountsTest {
protected:
    std::unique_ptr<BrwsCustAccount> openAccount(const std::string& who = "Acme Supply") {
        core::glo.CustName = who;
        auto w = std::make_unique<BrwsCustAccount>(*db, ui, core::WindowRequest{});
        opened = w->open();
        return w;
    }
    core::Customer customerNamed(const std::string& name) {
        for (const auto& c : all<core::Customer>())
            if (c.Name.view() == name) return c;
        return {};
    }
    bool opened = false;
};

TEST_F(AccountWindow, NoChargesNoPaymentsIsZeroAndCloseStoresIt) {
    {
        core::ScriptedUi quiet;
        core::Handle<core::Customer> h(*db);
        core::openTable(quiet, h);
        h.rec.Name = "Acme Supply";
        ASSERT_EQ(h.get(core::Customer::byName), core::ErrorCode::None);
        h.rec.BALANCEDUE = money("12.34");  // stale
        ASSERT_EQ(h.put(), core::ErrorCode::None);
    }
    auto w = openAccount();
    ASSERT_TRUE(opened);
    EXPECT_EQ(w->balanceDue(), 0);
    w->close();
    EXPECT_EQ(customerNamed("Acme Supply").BALANCEDUE, money("0.00"));
}

TEST_F(AccountWindow, CurrentDisplayNetsOpenChargesAgainstUnappliedPayments) {
    charge("Acme Supply", "100.00");
    charge("Acme Supply", "45.00", 0, 0, "0.00");  // paid
    charge("Baker Marine", "999.00");              // someone else's
    payment("Acme Supply", "30.00");
    auto w = openAccount();
    EXPECT_EQ(w->charges().rowCount(), 1u);
    EXPECT_EQ(w->payments().rowCount(), 1u);
    EXPECT_EQ(w->chargesTotal(), 10000);
    EXPECT_EQ(w->paymentsTotal(), 3000);
    EXPECT_EQ(w->balanceDue(), 7000);
    w->setDisplay(BrwsCustAccount::Display::Cleared);
    EXPECT_EQ(w->charges().rowCount(), 1u);
    EXPECT_EQ(w->balanceDue(), 0);
    w->setDisplay(BrwsCustAccount::Display::All);
    EXPECT_EQ(w->charges().rowCount(), 2u);
    EXPECT_EQ(w->payments().rowCount(), 1u);
    // Close stores the current balance whatever the display shows.
    w->close();
    EXPECT_EQ(customerNamed("Acme Supply").BALANCEDUE, money("70.00"));
}

TEST_F(AccountWindow, ChargeEnteredByHandShowsNoInvoiceNumber) {
    charge("Acme Supply", "38.75");  // freight entered by hand
    charge("Acme Supply", "100.00", 81);
    auto w = openAccount();
    w->setDisplay(BrwsCustAccount::Display::All);
    ASSERT_EQ(w->charges().rowCount(), 2u);
    std::vector<std::string> invoices;
    for (const auto& row : w->charges().rows()) invoices.push_back(row.cells[2]);
    std::sort(invoices.begin(), invoices.end());
    EXPECT_EQ(invoices, (std::vector<std::string>{"", "81"}));
}

TEST_F(AccountWindow, MissingCustomerEndsTheWindow) {
    auto w = openAccount("Nobody At All");
    EXPECT_FALSE(opened);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Critical Error");
    EXPECT_EQ(ui.messages()[0].text, "Error getting Customer record.  Record Not Found.");
}

TEST_F(AccountWindow, HeaderNameFromLastAndFirstNames) {
    struct Case {
        const char* last;   // CUS:LNAME
        const char* first;  // CUS:FNAME
        const char* shown;  // the header's Name
    };
    const Case cases[] = {{"Lee", "Ann", "Lee, Ann"}, {"Lee", "", "Lee"}, {"", "Ann", "Ann"}, {"", "", "(none)"}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        core::Customer cu = customer("Person " + std::to_string(++n));
        cu.LNAME = c.last;
        cu.FNAME = c.first;
        store(cu);
        auto w = openAccount(cu.Name.str());
        EXPECT_EQ(w->personName(), c.shown);
    }
}

TEST_F(AccountWindow, PostingAPaymentRunsTheFormAndRefreshesBothLists) {
    charge("Acme Supply", "100.00");
    ui.onWindow("EditPayments", [this](const core::WindowRequest& r) {
        EditPayments form(*db, ui, *r.table, r);
        core::WindowResponse w;
        if (!form.open()) return form.response();
        form.rec().AMOUNT = money("40.00");
        form.amountAccepted();
        form.applyToOldest();
        form.ok();
        return form.response();
    });
    auto w = openAccount();
    w->postPayment();
    EXPECT_EQ(w->charges().rowCount(), 1u);
    EXPECT_EQ(w->chargesTotal(), 6000);
    EXPECT_EQ(w->payments().rowCount(), 0u);  // fully applied: no longer current
    EXPECT_EQ(w->balanceDue(), 6000);
    EXPECT_EQ(w->takeFocus(), BrwsCustAccount::Focus::Payments);
    ASSERT_EQ(ui.windows().size(), 1u);
    EXPECT_EQ(ui.windows()[0].request.request, Request::Insert);
    expectInvariants();
}

class ReceivablesList : public testing::AccountsTest {};

TEST_F(ReceivablesList, OutstandingBalanceCountsOnlyOpenRecords) {
    charge("Acme Supply", "100.00");
    charge("Baker Marine", "50.00");
    charge("Baker Marine", "75.00", 0, 0, "0.00");
    payment("Acme Supply", "30.00");
    ARBrowse list(*db, ui, core::WindowRequest{});
    std::vector<bool> calculating;
    list.setCalculatingListener([&](bool on) { calculating.push_back(on); });
    list.open();
    EXPECT_EQ(list.outstanding(), 12000);
    EXPECT_EQ(calculating, (std::vector<bool>{true, false}));
    EXPECT_EQ(list.list().rowCount(), 2u);
    EXPECT_EQ(list.list().row(0).cells[0], "Acme Supply");
}

TEST_F(ReceivablesList, ViewOpensTheAccountAndRecomputes) {
    charge("Acme Supply", "100.00");
    ARBrowse list(*db, ui, core::WindowRequest{});
    list.open();
    ui.onWindow("BrwsCustAccount", [this](const core::WindowRequest& r) {
        EXPECT_EQ(r.text, "Acme Supply");
        EXPECT_EQ(core::glo.CustName.view(), "Acme Supply");
        charge("Acme Supply", "20.00");  // posted while the account was open
        core::WindowResponse w;
        w.response = Response::Completed;
        return w;
    });
    list.list().setCurrent(0);
    list.view();
    EXPECT_EQ(list.outstanding(), 12000);
}

TEST_F(ReceivablesList, FourOrdersWithLocators) {
    const auto spec = ARBrowse::spec();
    ASSERT_EQ(spec.tabs.size(), 4u);
    EXPECT_EQ(spec.tabs[0].caption, "by C&ompany");
    EXPECT_EQ(spec.tabs[3].caption, "By &Bill To");
    ARBrowse list(*db, ui, core::WindowRequest{});
    list.open();
    list.list().locate("Ba");
    ASSERT_TRUE(list.list().current());
    EXPECT_EQ(list.list().row(*list.list().current()).cells[0], "Baker Marine");
}

}  // namespace
}  // namespace quay::desk
