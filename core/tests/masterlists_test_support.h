// Shared fixture of the master-data window tests: a fresh data directory with its
// own settings file, a company record (area code 212, tax rates, price methods as
// a test sets them), helpers that store and read back records of any table, and a
// scripted UI that fails the test on any message it was not told to expect.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/defaults/company_defaults.h"
#include "quay/store/database.h"
#include "quay/tables/all_tables.h"

namespace quay::core::testing {

// The request a list hands its form: what to do, the list's handle, the owner text.
inline WindowRequest req(Request r, Table* table = nullptr, std::string text = {}) {
    WindowRequest w;
    w.request = r;
    w.table = table;
    w.text = std::move(text);
    return w;
}

class MasterDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        glo.reset();
        char tmpl[] = "/tmp/quay-masterdata-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        setenv("QUAY_SETTINGS", (std::filesystem::path(m_dir) / "tallvane.ini").c_str(), 1);
        db = std::make_unique<Database>(m_dir);
        ui.onUnscripted([this](const RecordedMessage& m, const std::string& why) {
            if (strict) ADD_FAILURE() << "unscripted message \"" << m.caption << "\" / \"" << m.text << "\": " << why;
        });
    }
    void TearDown() override {
        db.reset();
        std::filesystem::remove_all(m_dir);
    }

    const std::string& dir() const { return m_dir; }

    // Adds the company record; `edit` may change it before it is written back.
    template <class F>
    void company(F edit) {
        ScriptedUi quiet;
        Handle<Defaults> d(*db);
        ASSERT_EQ(openTable(quiet, d), OpenOutcome::Opened);
        ASSERT_EQ(createCompanyRecord(*db, d, CompanyCreation::FromDefaultsForm), ErrorCode::None);
        d.rec.DEFAREACODE = "212";
        edit(d.rec);
        ASSERT_EQ(d.put(), ErrorCode::None);
    }
    void company() {
        company([](Defaults&) {});
    }

    template <class R>
    void store(const R& r) {
        ScriptedUi quiet;
        Handle<R> h(*db);
        ASSERT_EQ(openTable(quiet, h), OpenOutcome::Opened);
        h.rec = r;
        ASSERT_EQ(h.add(), ErrorCode::None) << R::desc().name;
    }

    // Every stored record of R in file order.
    template <class R>
    std::vector<R> all() {
        ScriptedUi quiet;
        Handle<R> h(*db);
        std::vector<R> out;
        if (openTable(quiet, h) != OpenOutcome::Opened) return out;
        h.setFileOrder();
        while (h.next() == ErrorCode::None) out.push_back(h.rec);
        return out;
    }

    // Opens `h` for a window under test.
    void open(Table& h) {
        ScriptedUi quiet;
        ASSERT_EQ(openTable(quiet, h), OpenOutcome::Opened);
    }

    std::unique_ptr<Database> db;
    ScriptedUi ui;
    bool strict = true;

private:
    std::string m_dir;
};

}  // namespace quay::core::testing
