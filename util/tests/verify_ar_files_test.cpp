// The A/R verification: what each pass deletes or corrects, what it leaves alone,
// the status texts and the closing message, and the refusal while another handle
// holds an account table.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/store/database.h"
#include "quay/tables/all_tables.h"
#include "quay/util/verify_ar_files.h"

namespace quay::util {
namespace {

core::Decimal<13, 2> money(const char* text) {
    core::Decimal<13, 2> d;
    EXPECT_EQ(d.parse(text), core::DecimalStatus::Ok);
    return d;
}

class Verification : public ::testing::Test {
protected:
    void SetUp() override {
        core::glo.reset();
        std::string pattern = (std::filesystem::temp_directory_path() / "quay-verify-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        ::setenv("QUAY_SETTINGS", (std::filesystem::path(m_dir) / "tallvane.ini").c_str(), 1);
        db = std::make_unique<core::Database>(m_dir);
        core::Customer c;
        c.Name = "Acme Supply";
        c.Active = 1;
        store(c);
        core::Orders o;
        o.OrdNum = 1;
        o.Status = "I";
        o.InvoiceNum = 5;
        o.CustName = "Acme Supply";
        store(o);
    }
    void TearDown() override {
        db.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    template <class R>
    void store(const R& r) {
        core::ScriptedUi quiet;
        core::Handle<R> h(*db);
        ASSERT_EQ(core::openTable(quiet, h), core::OpenOutcome::Opened);
        h.rec = r;
        ASSERT_EQ(h.add(), core::ErrorCode::None);
    }
    template <class R>
    std::vector<R> all() {
        core::ScriptedUi quiet;
        core::Handle<R> h(*db);
        std::vector<R> out;
        if (core::openTable(quiet, h) != core::OpenOutcome::Opened) return out;
        h.setFileOrder();
        while (h.next() == core::ErrorCode::None) out.push_back(h.rec);
        return out;
    }
    void charge(std::int32_t id, const char* who, const char* amount, const char* unpaid, std::int32_t invoice = 0) {
        core::Charges c;
        c.Id = id;
        c.Customer = who;
        c.INVOICENUM = invoice;
        c.AMOUNT = money(amount);
        c.UNPAIDBAL = money(unpaid);
        c.Paid = c.UNPAIDBAL.scaled() == 0 ? 1 : 0;
        store(c);
    }
    void payment(std::int32_t id, const char* who, const char* amount, const char* unapplied, std::uint8_t applied) {
        core::Payments p;
        p.Id = id;
        p.Customer = who;
        p.AMOUNT = money(amount);
        p.UNAPPAMT = money(unapplied);
        p.Applied = applied;
        store(p);
    }
    void applied(std::int32_t pay, std::int32_t chg, const char* amount) {
        core::Applied a;
        a.PayId = pay;
        a.ChgId = chg;
        a.AMOUNT = money(amount);
        store(a);
    }
    VerifyReport run() {
        VerifyArFiles v(*db, ui);
        v.setProgress([this](const std::string& status, std::int64_t) {
            if (statuses.empty() || statuses.back() != status) statuses.push_back(status);
        });
        ran = v.run();
        return v.report();
    }

    std::unique_ptr<core::Database> db;
    core::ScriptedUi ui;
    std::vector<std::string> statuses;
    bool ran = false;

private:
    std::string m_dir;
};

TEST_F(Verification, EmptyTablesCompleteAndChangeNothing) {
    const VerifyReport r = run();
    EXPECT_TRUE(ran);
    EXPECT_EQ(r.changes(), 0);
    EXPECT_EQ(statuses, (std::vector<std::string>{"Crossreferencing Charges to Customers / Orders",
                                                  "Crossreferencing Payments to Customers", "Checking Applied.tps",
                                                  "Checking Payment Applied Balances", "Checking Charges Paid Balances",
                                                  "Calculating Customer Balances", "Analysis complete"}));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "DONE");
    EXPECT_EQ(ui.messages()[0].text, "Analysis complete");
}

TEST_F(Verification, ChargeOfAMissingInvoiceGoesAndItsPaymentGetsItBack) {
    charge(1, "Acme Supply", "40.00", "0.00", 99);  // no order has invoice 99
    charge(2, "Acme Supply", "60.00", "60.00", 5);
    payment(1, "Acme Supply", "40.00", "0.00", 1);
    applied(1, 1, "40.00");
    const VerifyReport r = run();
    EXPECT_EQ(r.chargesDeleted, 1);
    EXPECT_EQ(r.appliedDeleted, 1);
    EXPECT_EQ(r.paymentsCorrected, 1);
    ASSERT_EQ(all<core::Charges>().size(), 1u);
    EXPECT_EQ(all<core::Charges>()[0].Id, 2);
    const auto p = all<core::Payments>();
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].UNAPPAMT, money("40.00"));
    EXPECT_EQ(p[0].Applied, 0);
    // The customer's balance: 60.00 owed less 40.00 credit.
    EXPECT_EQ(all<core::Customer>()[0].BALANCEDUE, money("20.00"));
}

TEST_F(Verification, ChargesAndPaymentsOfMissingCustomersGo) {
    charge(1, "Nobody", "10.00", "10.00");
    charge(2, "Nobody", "20.00", "20.00");
    charge(3, "", "5.00", "5.00");
    payment(1, "Nobody", "10.00", "10.00", 0);
    payment(2, "Acme Supply", "10.00", "10.00", 0);
    const VerifyReport r = run();
    EXPECT_EQ(r.chargesDeleted, 3);
    EXPECT_EQ(r.paymentsDeleted, 1);
    EXPECT_TRUE(all<core::Charges>().empty());
    ASSERT_EQ(all<core::Payments>().size(), 1u);
}

TEST_F(Verification, ApplicationsNamingNothingGo) {
    charge(1, "Acme Supply", "10.00", "10.00");
    payment(1, "Acme Supply", "10.00", "10.00", 0);
    applied(0, 1, "1.00");
    applied(1, 0, "1.00");
    applied(7, 1, "1.00");
    applied(1, 7, "1.00");
    EXPECT_EQ(run().appliedDeleted, 4);
    EXPECT_TRUE(all<core::Applied>().empty());
}

TEST_F(Verification, WrongAmountsAreCorrectedAWrongFlagAloneIsLeft) {
    charge(1, "Acme Supply", "100.00", "100.00");
    payment(1, "Acme Supply", "60.00", "60.00", 0);  // amount wrong, flag right
    payment(2, "Acme Supply", "25.00", "25.00", 1);  // amounts agree, flag wrong
    applied(1, 1, "60.00");
    const VerifyReport r = run();
    EXPECT_EQ(r.paymentsCorrected, 1);
    EXPECT_EQ(r.chargesCorrected, 1);
    const auto p = all<core::Payments>();
    EXPECT_EQ(p[0].UNAPPAMT, money("0.00"));
    EXPECT_EQ(p[0].Applied, 1);
    EXPECT_EQ(p[1].Applied, 1);  // left as it was
    const auto c = all<core::Charges>();
    EXPECT_EQ(c[0].UNPAIDBAL, money("40.00"));
    EXPECT_EQ(c[0].Paid, 0);
    // A second run finds nothing more.
    EXPECT_EQ(run().changes(), 0);
}

TEST_F(Verification, RefusedWhileAnotherHandleHoldsAnAccountTable) {
    charge(1, "Nobody", "10.00", "10.00");
    core::ScriptedUi other;
    core::Handle<core::Charges> held(*db);
    ASSERT_EQ(core::openTable(other, held), core::OpenOutcome::Opened);
    const VerifyReport r = run();
    EXPECT_FALSE(ran);
    EXPECT_EQ(r.changes(), 0);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Request Cancelled, Files Open");
    held.close();
    EXPECT_EQ(all<core::Charges>().size(), 1u);
}

}  // namespace
}  // namespace quay::util
