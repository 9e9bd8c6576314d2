// What the account tests share: the order-entry fixture (a fresh data directory with
// a company record and a strict scripted UI) plus records of the account tables made
// directly, the payment form driven through its logic, and the invariants between
// charges, payments and their applications.
#pragma once

#include <map>

#include "accounts/edit_payments.h"
#include "orders_test_support.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::desk::testing {

class AccountsTest : public OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        store(customer("Acme Supply"));
        store(customer("Baker Marine"));
        ui.onWindow("DATESELECT", [](const core::WindowRequest& r) {
            core::WindowResponse w;
            w.response = core::Response::Completed;
            w.number = r.number;
            return w;
        });
    }

    // A charge stored as posted (unpaid balance = amount, unless given).
    std::int32_t charge(const std::string& who, const char* amount, std::int32_t invoice = 0, std::int32_t date = 0,
                        const char* unpaid = nullptr) {
        core::Charges c;
        c.Id = ++m_lastCharge;
        c.Customer = who;
        c.INVOICENUM = invoice;
        c.Date = date ? date : core::today() - 30 + m_lastCharge;
        c.REASON = invoice ? "Invoice " + std::to_string(invoice) : std::string("Freight");
        c.AMOUNT = money(amount);
        c.UNPAIDBAL = money(unpaid ? unpaid : amount);
        c.Paid = c.UNPAIDBAL.scaled() == 0 ? 1 : 0;
        store(c);
        return c.Id;
    }

    std::int32_t payment(const std::string& who, const char* amount) {
        core::Payments p;
        p.Id = ++m_lastPayment;
        p.Customer = who;
        p.Date = core::today();
        p.Method = "Check";
        p.AMOUNT = money(amount);
        p.UNAPPAMT = money(amount);
        store(p);
        return p.Id;
    }

    core::Charges chargeNo(std::int32_t id) {
        for (const auto& c : all<core::Charges>())
            if (c.Id == id) return c;
        ADD_FAILURE() << "no charge " << id;
        return {};
    }
    core::Payments paymentNo(std::int32_t id) {
        for (const auto& p : all<core::Payments>())
            if (p.Id == id) return p;
        ADD_FAILURE() << "no payment " << id;
        return {};
    }
    std::vector<core::Applied> rowsOfPayment(std::int32_t id) {
        std::vector<core::Applied> out;
        for (const auto& a : all<core::Applied>())
            if (a.PayId == id) out.push_back(a);
        return out;
    }

    // Every charge's unpaid balance is its amount less its applications, every
    // payment's unapplied amount its amount less its applications, and the flags
    // follow the balances.
    void expectInvariants(const char* where = "") {
        std::map<std::int32_t, std::int64_t> toCharge, ofPayment;
        for (const auto& a : all<core::Applied>()) {
            toCharge[a.ChgId] += a.AMOUNT.scaled();
            ofPayment[a.PayId] += a.AMOUNT.scaled();
        }
        for (const auto& c : all<core::Charges>())
            EXPECT_EQ(c.UNPAIDBAL.scaled(), c.AMOUNT.scaled() - toCharge[c.Id]) << where << " charge " << c.Id;
        for (const auto& p : all<core::Payments>()) {
            EXPECT_EQ(p.UNAPPAMT.scaled(), p.AMOUNT.scaled() - ofPayment[p.Id]) << where << " payment " << p.Id;
            EXPECT_EQ(p.Applied, p.UNAPPAMT.scaled() == 0 ? 1 : 0) << where << " payment " << p.Id;
        }
    }

    // Opens the payment form on a handle of its own (as the account window hands it).
    struct PaymentForm {
        std::unique_ptr<core::HeldTable<core::Payments>> table;
        std::unique_ptr<EditPayments> form;
        EditPayments* operator->() { return form.get(); }
    };
    PaymentForm openPayment(core::Request request, std::int32_t id = 0, const std::string& who = "Acme Supply") {
        PaymentForm f;
        f.table = std::make_unique<core::HeldTable<core::Payments>>(*db, ui);
        core::WindowRequest r;
        r.request = request;
        r.table = &f.table->handle;
        if (request == core::Request::Insert) {
            r.text = who;
        } else {
            f.table->handle.clear();
            f.table->rec().Id = id;
            EXPECT_EQ(f.table->handle.get(core::Payments::byId), core::ErrorCode::None);
        }
        f.form = std::make_unique<EditPayments>(*db, ui, f.table->handle, r);
        f.form->open();
        return f;
    }

    // Highlights the outstanding charge `id` in the form.
    void highlightCharge(EditPayments& form, std::int32_t id) {
        for (std::size_t i = 0; i < form.outstanding().rowCount(); ++i) {
            core::Handle<core::Charges> h(*db);
            core::ScriptedUi quiet;
            core::openTable(quiet, h);
            ASSERT_EQ(h.reget(form.outstanding().rows()[i].position), core::ErrorCode::None);
            if (h.rec.Id == id) {
                form.outstanding().setCurrent(i);
                return;
            }
        }
        FAIL() << "charge " << id << " is not outstanding";
    }

    std::int32_t m_lastCharge = 0;
    std::int32_t m_lastPayment = 0;
};

}  // namespace quay::desk::testing
