// What the order-entry tests share: a fresh data directory with a company record,
// customers and products, a scripted UI that fails the test on any message it was
// not told to expect, and readers of every stored record of a table.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "orders/order_tables.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/defaults/company_defaults.h"
#include "quay/store/database.h"
#include "quay/tables/all_tables.h"

namespace quay::desk::testing {

template <int D, int P>
core::Decimal<D, P> dec(const char* text) {
    core::Decimal<D, P> d;
    EXPECT_EQ(d.parse(text), core::DecimalStatus::Ok) << text;
    return d;
}
inline core::Decimal<13, 2> money(const char* text) { return dec<13, 2>(text); }
inline core::Decimal<13, 4> price(const char* text) { return dec<13, 4>(text); }

class OrdersTest : public ::testing::Test {
protected:
    void SetUp() override {
        core::glo.reset();
        std::string pattern = (std::filesystem::temp_directory_path() / "quay-orders-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        ::setenv("QUAY_SETTINGS", (std::filesystem::path(m_dir) / "tallvane.ini").c_str(), 1);
        db = std::make_unique<core::Database>(m_dir);
        ui.onUnscripted([this](const core::RecordedMessage& m, const std::string& why) {
            if (strict) ADD_FAILURE() << "unscripted message \"" << m.caption << "\" / \"" << m.text << "\": " << why;
        });
        company([](core::Defaults&) {});
    }
    void TearDown() override {
        db.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    template <class F>
    void company(F edit) {
        core::ScriptedUi quiet;
        core::Handle<core::Defaults> d(*db);
        ASSERT_EQ(core::openTable(quiet, d), core::OpenOutcome::Opened);
        if (core::GETCOMPANYDEFAULTS(d, 1) != 0) {
            ASSERT_EQ(core::createCompanyRecord(*db, d, core::CompanyCreation::FromDefaultsForm),
                      core::ErrorCode::None);
        }
        edit(d.rec);
        ASSERT_EQ(d.put(), core::ErrorCode::None);
    }

    template <class R>
    void store(const R& r) {
        core::ScriptedUi quiet;
        core::Handle<R> h(*db);
        ASSERT_EQ(core::openTable(quiet, h), core::OpenOutcome::Opened);
        h.rec = r;
        ASSERT_EQ(h.add(), core::ErrorCode::None) << R::desc().name;
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

    core::Customer customer(const std::string& name, const char* limit = "0.00") {
        core::Customer c;
        c.Name = name;
        c.Active = 1;
        c.PRICECLASS = "3";
        c.BILLTO = name;
        c.SALESTAX1 = price("8.2500");
        c.CREDITLIMIT = money(limit);
        return c;
    }
    core::Products product(const std::string& part, const char* onHand = "10.00", std::uint8_t adjust = 1) {
        core::Products p;
        p.PartNum = part;
        p.Active = 1;
        p.DESCRIPTION = "Widget " + part;
        p.Group = "HARDWARE";
        p.COST = price("6.0000");
        p.MSRP = price("20.0000");
        p.PRICECLASS1 = price("15.0000");
        p.PRICECLASS3 = price("12.5000");
        p.OnHand = money(onHand);
        p.ADJUSTSTOCK = adjust;
        p.TRACKSERIAL = "NO";
        p.SALESTAXABLE1 = 1;
        return p;
    }

    core::Products productNamed(const std::string& part) {
        for (const core::Products& p : all<core::Products>())
            if (p.PartNum.view() == part) return p;
        ADD_FAILURE() << "no product " << part;
        return {};
    }

    const std::string& dir() const { return m_dir; }

    std::unique_ptr<core::Database> db;
    core::ScriptedUi ui;
    bool strict = true;

private:
    std::string m_dir;
};

}  // namespace quay::desk::testing
