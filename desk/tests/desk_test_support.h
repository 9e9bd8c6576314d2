// What the desk's tests share: a fresh data directory and settings file per test,
// the working directory put back afterwards, and helpers that read what a data set
// holds, record by record, for comparisons.
#pragma once

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/settings.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/tables/registry.h"
#include "quay/ui/thread_queue.h"

namespace quay::desk::testing {

namespace fs = std::filesystem;

class DeskTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "quaydesk-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        m_dataDir = m_root / "data";
        fs::create_directories(m_dataDir);
        m_settingsFile = m_root / "tallvane.ini";
        ::setenv(core::Settings::kPathVariable, m_settingsFile.c_str(), 1);
        m_startDir = fs::current_path();
        core::glo.reset();
        core::ThreadQueue::instance().clear();
    }
    void TearDown() override {
        std::error_code ec;
        fs::current_path(m_startDir, ec);
        fs::remove_all(m_root, ec);
        ::unsetenv(core::Settings::kPathVariable);
    }

    const fs::path& root() const { return m_root; }
    const fs::path& dataDir() const { return m_dataDir; }
    const fs::path& settingsFile() const { return m_settingsFile; }
    const fs::path& startDir() const { return m_startDir; }

private:
    fs::path m_root;
    fs::path m_dataDir;
    fs::path m_settingsFile;
    fs::path m_startDir;
};

// Every record of `desc` in file order, each as its raw record bytes (read into a
// zeroed buffer, so unused bytes compare equal). Empty when the table has no file.
inline std::vector<std::string> tableRecords(core::Database& db, const core::TableDesc& desc) {
    std::vector<std::string> out;
    auto buffer = std::make_unique<std::max_align_t[]>(desc.recordSize / sizeof(std::max_align_t) + 1);
    core::Table table(db, desc, buffer.get());
    if (table.open() != core::ErrorCode::None) return out;
    table.setFileOrder();
    for (;;) {
        std::memset(buffer.get(), 0, desc.recordSize);
        if (table.next() != core::ErrorCode::None) break;
        out.emplace_back(reinterpret_cast<const char*>(buffer.get()), desc.recordSize);
    }
    table.close();
    return out;
}

// The records of every table of the data set in `dir`, table by table.
inline std::vector<std::vector<std::string>> dataSetRecords(const fs::path& dir) {
    core::Database db(dir.string());
    std::vector<std::vector<std::string>> all;
    for (const core::TableDesc* desc : core::fileTables()) all.push_back(tableRecords(db, *desc));
    return all;
}

}  // namespace quay::desk::testing
