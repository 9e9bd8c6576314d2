// Shared fixtures of the window-logic tests: a fresh data directory per test with
// a settings file of its own, and helpers that fill the master tables.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/tables/vendors.h"

namespace quay::core::testing {

class DataDir {
public:
    DataDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quayui-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) m_path = made;
        setenv("QUAY_SETTINGS", (std::filesystem::path(m_path) / "tallvane.ini").c_str(), 1);
    }
    ~DataDir() {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    DataDir(const DataDir&) = delete;
    DataDir& operator=(const DataDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Creates and opens `t`, failing the test when it cannot.
inline void openFresh(Table& t) {
    ASSERT_EQ(t.create(), ErrorCode::None);
    ASSERT_EQ(t.open(), ErrorCode::None);
}

inline void addVendor(Handle<Vendors>& v, const std::string& name, std::uint8_t active = 1,
                      const std::string& first = "", const std::string& city = "") {
    v.clear();
    v.rec.NAME = name;
    v.rec.Active = active;
    v.rec.FIRSTNAME = first;
    v.rec.CITY = city;
    ASSERT_EQ(v.add(), ErrorCode::None) << name;
}

}  // namespace quay::core::testing
