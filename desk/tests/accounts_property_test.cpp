// Random account work from fixed seeds: invoices through the real save (some with a
// payment taken at once), payments entered, applied by double-click and to the oldest
// charges, applications removed, amounts changed, forms cancelled, manual charges and
// credits entered, changed and deleted, payments deleted and invoices turned back into
// quotes. After every step the stored charges and payments agree with their
// applications, and the verification run afterwards finds nothing to repair.
#include <gtest/gtest.h>

#include <random>

#include "accounts/edit_charges.h"
#include "accounts_test_support.h"
#include "orders/invoice_reversal.h"
#include "orders/order_save.h"
#include "quay/util/verify_ar_files.h"

namespace quay::desk {
namespace {

using core::Request;
using core::Response;
using testing::money;
using testing::price;

class AccountProperty : public testing::AccountsTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void SetUp() override {
        AccountsTest::SetUp();
        company([](core::Defaults& d) { d.CREDITLIMIT = "I"; });
        store(product("BOLT-1", "100000.00", 1));
        strict = false;  // random work meets "Payment Completely Allocated" and the like
        ui.setDefaultAnswer(core::Button::Yes);
        ui.onWindow("SaveInvoiceForm", [this](const core::WindowRequest& r) {
            static_cast<core::Orders*>(r.table->buffer())->DOWNPAYMENT = m_downPayment;
            core::WindowResponse w;
            w.response = Response::Completed;
            return w;
        });
        ui.onWindow("PostInvoicePayment", [](const core::WindowRequest&) {
            core::WindowResponse w;
            w.response = Response::Completed;
            return w;
        });
    }

    const char* who() { return m_rng() % 2 ? "Acme Supply" : "Baker Marine"; }
    core::Decimal<13, 2> randomMoney(int maxCents) {
        return core::Decimal<13, 2>::fromScaled(static_cast<std::int64_t>(m_rng() % static_cast<unsigned>(maxCents)) +
                                                1);
    }

    void invoice() {
        OrderTables t(*db, ui);
        OrderWork work;
        LineEntry l;
        l.PARTNUM = "BOLT-1";
        (void)l.QTY.assign(1 + static_cast<int>(m_rng() % 4));
        l.PRICE = core::Decimal<13, 4>::fromScaled(static_cast<std::int64_t>(m_rng() % 5000000) + 100);
        (void)computeLineTotal(l);
        l.POSITION = 1;
        work.lines.push_back(l);
        t.ord.handle.clear();
        core::Orders& o = t.ord.handle.rec;
        o.Status = "Q";
        o.CustName = who();
        o.OrdDate = core::today() - static_cast<int>(m_rng() % 90);
        LineSums sums;
        (void)computeLineSums(o, work.lines, sums);
        (void)computeOrderTotals(o, sums);
        const int mode = static_cast<int>(m_rng() % 3);
        m_downPayment = mode == 0 ? core::Decimal<13, 2>() : mode == 1 ? o.TOTAL : money("5.00");
        if (m_downPayment.scaled() > o.TOTAL.scaled()) m_downPayment = o.TOTAL;
        core::Orders snapshot = o;
        OrderSave save(ui, t, work, snapshot);
        save.run(true, true);
    }

    // Works in the payment form: a few applications and removals, then OK or Cancel.
    void workPayment(EditPayments& f) {
        const int steps = 1 + static_cast<int>(m_rng() % 4);
        for (int s = 0; s < steps && !f.isClosed(); ++s) {
            switch (m_rng() % 5) {
            case 0: f.applyToOldest(); break;
            case 1:
            case 2:
                if (f.outstanding().rowCount() > 0) {
                    f.outstanding().setCurrent(m_rng() % f.outstanding().rowCount());
                    f.applyHighlighted();
                }
                break;
            case 3:
                if (f.applied().rowCount() > 0) {
                    f.applied().setCurrent(m_rng() % f.applied().rowCount());
                    f.removeHighlighted();
                }
                break;
            default:
                f.rec().AMOUNT = randomMoney(50000);
                f.amountAccepted();
                break;
            }
            expectInvariants("in the payment form");
        }
        if (m_rng() % 4 == 0 || !f.okEnabled()) {
            if (f.cancelEnabled())
                f.cancel();
            else {
                f.rec().AMOUNT = core::Decimal<13, 2>::fromScaled(f.totalApplied());
                f.afterEvent();
                f.ok();
            }
        } else {
            f.ok();
        }
    }

    std::vector<std::int32_t> ids(bool payments) {
        std::vector<std::int32_t> out;
        if (payments)
            for (const auto& p : all<core::Payments>()) out.push_back(p.Id);
        else
            for (const auto& c : all<core::Charges>()) out.push_back(c.Id);
        return out;
    }

    void step() {
        const unsigned kind = m_rng() % 9;
        SCOPED_TRACE("kind " + std::to_string(kind));
        switch (kind) {
        case 0:
        case 1: invoice(); break;
        case 2: {
            auto f = openPayment(Request::Insert, 0, who());
            if (f->isClosed()) break;
            f->rec().AMOUNT = randomMoney(80000);
            f->amountAccepted();
            workPayment(*f.form);
            break;
        }
        case 3: {
            const auto p = ids(true);
            if (p.empty()) break;
            auto f = openPayment(Request::Change, p[m_rng() % p.size()]);
            if (!f->isClosed()) workPayment(*f.form);
            break;
        }
        case 4: {
            const auto p = ids(true);
            if (!p.empty()) openPayment(Request::Delete, p[m_rng() % p.size()]);
            break;
        }
        case 5:
        case 6: {
            const auto c = ids(false);
            const bool insert = c.empty() || m_rng() % 2;
            core::HeldTable<core::Charges> h(*db, ui);
            core::WindowRequest r;
            r.request = insert ? Request::Insert : (m_rng() % 3 ? Request::Change : Request::Delete);
            r.table = &h.handle;
            r.text = who();
            if (!insert) {
                h.rec().Id = c[m_rng() % c.size()];
                if (h.handle.get(core::Charges::byId) != core::ErrorCode::None) break;
            }
            EditCharges f(*db, ui, h.handle, r);
            if (!f.open()) break;
            if (f.amountEnabled() && r.request != Request::Delete) {
                f.rec().AMOUNT = core::Decimal<13, 2>::fromScaled(randomMoney(40000).scaled() - 10000);
                f.afterEvent();
            }
            if (m_rng() % 5 == 0)
                f.cancel();
            else
                f.ok();
            break;
        }
        case 7: {
            std::vector<std::int32_t> invoices;
            for (const auto& o : all<core::Orders>())
                if (o.Status.view() == "I") invoices.push_back(o.OrdNum);
            if (invoices.empty()) break;
            core::glo.OrdNum = invoices[m_rng() % invoices.size()];
            convertInvoiceToQuote(*db, ui, core::glo.OrdNum);
            break;
        }
        default: {
            const auto p = ids(true);
            if (p.empty()) break;
            auto f = openPayment(Request::Change, p[m_rng() % p.size()]);
            if (f->isClosed()) break;
            f->applyToOldest();
            f->ok();
            break;
        }
        }
    }

    std::mt19937 m_rng;
    core::Decimal<13, 2> m_downPayment;
};

TEST_P(AccountProperty, RandomWorkKeepsTheAccountsWhole) {
    m_rng.seed(GetParam());
    for (int i = 0; i < 70; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        step();
        expectInvariants("after a step");
        if (HasFailure()) return;
    }
    // The stored balances were kept by the windows; the verification must find
    // nothing else to repair.
    for (const char* name : {"Acme Supply", "Baker Marine"}) storeCustomerBalance(*db, ui, name);
    util::VerifyReport report;
    ASSERT_TRUE(util::VERIFYARFILES(*db, ui, &report));
    EXPECT_EQ(report.chargesDeleted, 0);
    EXPECT_EQ(report.paymentsDeleted, 0);
    EXPECT_EQ(report.appliedDeleted, 0);
    EXPECT_EQ(report.paymentsCorrected, 0);
    EXPECT_EQ(report.chargesCorrected, 0);
    EXPECT_EQ(report.balancesCorrected, 0);
    EXPECT_GT(report.records, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, AccountProperty, ::testing::Values(1u, 7u, 42u, 2026u));

}  // namespace
}  // namespace quay::desk
