// DataSetTest: the fixture most window-logic tests start from. Each test gets a fresh data
// directory with its own settings file, the process-wide globals reset, the data set open,
// and a scripted UI that fails the test on any message it was not told to expect (unless
// `strict` is turned off). The record helpers write and read whole tables through their own
// handles, as another window would.
//
// Header-only: it uses the record store, the tables and the company defaults, which the test
// program links as it links them for the code under test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/defaults/company_defaults.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/tables/defaults.h"
#include "quay/testing/temp_data_dir.h"
#include "quay/types/decimal.h"

namespace quay::testing {

// A decimal from its text, failing the test when it does not parse.
template <int D, int P>
core::Decimal<D, P> dec(const char* text) {
    core::Decimal<D, P> d;
    EXPECT_EQ(d.parse(text), core::DecimalStatus::Ok) << text;
    return d;
}
inline core::Decimal<13, 2> money(const char* text) { return dec<13, 2>(text); }
inline core::Decimal<13, 4> price(const char* text) { return dec<13, 4>(text); }

class DataSetTest : public ::testing::Test {
protected:
    explicit DataSetTest(std::string prefix = "quay-data") : m_prefix(std::move(prefix)) {}

    void SetUp() override {
        core::glo.reset();
        m_dir = std::make_unique<TempDataDir>(m_prefix);
        ASSERT_TRUE(m_dir->isValid()) << "no temporary directory";
        db = std::make_unique<core::Database>(m_dir->dataDir().string());
        ui.onUnscripted([this](const core::RecordedMessage& m, const std::string& why) {
            if (strict) ADD_FAILURE() << "unscripted message \"" << m.caption << "\" / \"" << m.text << "\": " << why;
        });
    }
    void TearDown() override {
        db.reset();
        m_dir.reset();
    }

    std::string dir() const { return m_dir->dataDir().string(); }
    const TempDataDir& tempDir() const { return *m_dir; }

    // Adds the company record (or takes the one there); `edit` may change it before it is
    // written back.
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
    void company() {
        company([](core::Defaults&) {});
    }

    // Adds one record of R.
    template <class R>
    void store(const R& r) {
        core::ScriptedUi quiet;
        core::Handle<R> h(*db);
        ASSERT_EQ(core::openTable(quiet, h), core::OpenOutcome::Opened);
        h.rec = r;
        ASSERT_EQ(h.add(), core::ErrorCode::None) << R::desc().name;
    }

    // Every stored record of R in file order.
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

    // Opens `h` for a window under test.
    void open(core::Table& h) {
        core::ScriptedUi quiet;
        ASSERT_EQ(core::openTable(quiet, h), core::OpenOutcome::Opened);
    }

    std::unique_ptr<core::Database> db;
    core::ScriptedUi ui;
    bool strict = true;

private:
    std::string m_prefix;
    std::unique_ptr<TempDataDir> m_dir;
};

}  // namespace quay::testing
