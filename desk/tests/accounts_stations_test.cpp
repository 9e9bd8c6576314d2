// Several stations on one data directory: two processes applying payments to the
// same charges at once for a few seconds, a station killed in the middle of its
// applications, and a verification killed in the middle of a pass. Afterwards every
// charge's unpaid balance is its amount less its applications and every payment's
// unapplied amount its amount less its applications.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "accounts/ar_ledger.h"
#include "accounts_test_support.h"
#include "quay/store/transaction.h"
#include "quay/util/verify_ar_files.h"

namespace quay::desk {
namespace {

using testing::money;

// One station: applies its payments to random charges and removes random
// applications again until `seconds` have passed (or for ever with 0).
void runStation(const std::string& dir, std::int32_t firstPay, std::int32_t pays, std::int32_t charges, unsigned seed,
                int seconds) {
    core::Database db(dir);
    core::ScriptedUi ui;
    ArTables t(db, ui);
    if (!t.isOpen()) ::_exit(2);
    std::mt19937 rng(seed);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (seconds == 0 || std::chrono::steady_clock::now() < end) {
        const std::int32_t pay = firstPay + static_cast<std::int32_t>(rng() % static_cast<unsigned>(pays));
        const std::int32_t chg = 1 + static_cast<std::int32_t>(rng() % static_cast<unsigned>(charges));
        if (rng() % 3 == 0) {
            removeApplication(t, ui, pay, chg);
        } else {
            t.pay.handle.clear();
            t.pay.rec().Id = pay;
            if (t.pay.handle.get(core::Payments::byId) != core::ErrorCode::None) continue;
            applyToCharge(t, ui, pay, chg, t.pay.rec().UNAPPAMT.scaled(), core::today(), core::now());
        }
    }
    ::_exit(0);
}

class AccountStations : public testing::AccountsTest {
protected:
    void SetUp() override {
        AccountsTest::SetUp();
        for (int i = 0; i < 8; ++i) charge("Acme Supply", "75.00");
        for (int i = 0; i < 6; ++i) payment("Acme Supply", "120.00");
    }
};

TEST_F(AccountStations, TwoStationsApplyingToTheSameChargesLoseNothing) {
    db.reset();
    pid_t pids[2];
    for (int s = 0; s < 2; ++s) {
        pids[s] = ::fork();
        ASSERT_GE(pids[s], 0);
        if (pids[s] == 0) runStation(dir(), 1 + s * 3, 3, 8, 11u + static_cast<unsigned>(s), 3);
    }
    for (pid_t p : pids) {
        int status = 0;
        ASSERT_EQ(::waitpid(p, &status, 0), p);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    db = std::make_unique<core::Database>(dir());
    EXPECT_FALSE(all<core::Applied>().empty());
    expectInvariants();
}

TEST_F(AccountStations, StationKilledWhileApplyingLeavesTheAccountsWhole) {
    db.reset();
    for (int round = 0; round < 3; ++round) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) runStation(dir(), 1, 6, 8, 100u + static_cast<unsigned>(round), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300 + 170 * round));
        ::kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status));
    }
    db = std::make_unique<core::Database>(dir());
    expectInvariants();
}

TEST_F(AccountStations, VerificationKilledInAPassLeavesTheAccountsWhole) {
    // Work for every pass: charges of a customer that is gone, with applications
    // whose payments must get their amounts back, and many records to walk.
    for (int i = 0; i < 1200; ++i) {
        core::Charges c;
        c.Id = 1000 + i;
        c.Customer = "Gone Away";
        c.AMOUNT = money("10.00");
        c.UNPAIDBAL = money("5.00");
        store(c);
        core::Applied a;
        a.PayId = 1 + i % 6;
        a.ChgId = c.Id;
        a.AMOUNT = money("5.00");
        store(a);
    }
    {
        // The payments agree with their applications before the run.
        core::ScriptedUi quiet;
        ArTables t(*db, quiet);
        for (std::int32_t p = 1; p <= 6; ++p) {
            core::Transaction tx(*db, {&t.app.handle, &t.pay.handle});
            ASSERT_EQ(tx.begin(), core::ErrorCode::None);
            ASSERT_EQ(syncPayment(t, p), core::ErrorCode::None);
            ASSERT_EQ(tx.commit(), core::ErrorCode::None);
        }
    }
    expectInvariants("before");
    db.reset();
    for (int delay : {40, 120, 260}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            core::Database child(dir());
            core::ScriptedUi ui;
            util::VERIFYARFILES(child, ui);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        db = std::make_unique<core::Database>(dir());
        expectInvariants("after a kill");
        db.reset();
    }
    db = std::make_unique<core::Database>(dir());
    core::ScriptedUi quiet;
    util::VerifyReport report;
    ASSERT_TRUE(util::VERIFYARFILES(*db, quiet, &report));
    expectInvariants("after a whole run");
    for (const auto& c : all<core::Charges>()) EXPECT_NE(c.Customer.view(), "Gone Away");
}

}  // namespace
}  // namespace quay::desk
