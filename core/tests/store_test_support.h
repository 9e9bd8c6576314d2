// Shared fixtures of the record store tests: a fresh temporary data directory per test,
// and a small parts table whose record struct has the documented in-memory layout
// (LONG, STRING, DECIMAL, BYTE and MEMO members at their offsets) with keys of every
// attribute: unique primary, case-insensitive with duplicates, mixed ascending and
// descending components, and optional unique.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/store/table_desc.h"
#include "quay/store/transaction.h"

namespace quay::core::testing {

struct TestMemo {
    std::uint32_t length;
    char text[100];
};

struct Part {
    std::int32_t Id;     // LONG
    char Name[20];       // STRING(20)
    char Code[6];        // STRING(6)
    std::int64_t Price;  // DECIMAL(9,2), scaled by 100
    std::uint8_t Flag;   // BYTE
    TestMemo Notes;      // MEMO(100)

    static const TableDesc& desc();
    static const TableDesc& refDesc();  // a second handle on the same file
};

// Keys of Part, in order.
inline constexpr KeyId kById{0};         // Id; unique, primary
inline constexpr KeyId kByName{1};       // Name; case-insensitive, duplicates
inline constexpr KeyId kByCodePrice{2};  // Code ascending, Price descending; duplicates
inline constexpr KeyId kByCode{3};       // Code; optional, unique

inline TableDesc makePartDesc(const std::string& name, const std::string& fileName) {
    TableDesc d;
    d.name = name;
    d.prefix = "PAR";
    d.fileName = fileName;
    d.recordSize = sizeof(Part);
    d.fields = {
        {"Id", FieldType::Long, offsetof(Part, Id), 0, 0},
        {"Name", FieldType::String, offsetof(Part, Name), 20, 0},
        {"Code", FieldType::String, offsetof(Part, Code), 6, 0},
        {"Price", FieldType::Decimal, offsetof(Part, Price), 9, 2},
        {"Flag", FieldType::Byte, offsetof(Part, Flag), 0, 0},
        {"Notes", FieldType::Memo, offsetof(Part, Notes), 100, 0},
    };
    KeyDesc byId{"byId", "by Id", {{0, false}}, true, false, false, true};
    KeyDesc byName{"byName", "by Name", {{1, false}}, false, false, true, false};
    KeyDesc byCodePrice{"byCodePrice", "by Code and Price", {{2, false}, {3, true}}, false, false, false, false};
    KeyDesc byCode{"byCode", "by Code", {{2, false}}, true, true, false, false};
    d.keys = {byId, byName, byCodePrice, byCode};
    return d;
}

inline const TableDesc& Part::desc() {
    static const TableDesc d = makePartDesc("Parts", "parts.tps");
    return d;
}

inline const TableDesc& Part::refDesc() {
    static const TableDesc d = makePartDesc("PartRef", "parts.tps");
    return d;
}

// Blank-padded copy into a STRING field.
template <std::size_t N>
void setText(char (&field)[N], std::string_view text) {
    std::memset(field, ' ', N);
    std::memcpy(field, text.data(), std::min(N, text.size()));
}

// A STRING field without its trailing blanks.
template <std::size_t N>
std::string text(const char (&field)[N]) {
    std::size_t n = N;
    while (n > 0 && field[n - 1] == ' ') --n;
    return std::string(field, n);
}

inline void setMemo(TestMemo& memo, std::string_view t) {
    std::memset(memo.text, 0, sizeof memo.text);
    memo.length = static_cast<std::uint32_t>(std::min(sizeof memo.text, t.size()));
    std::memcpy(memo.text, t.data(), memo.length);
}

inline std::string memo(const TestMemo& m) { return std::string(m.text, std::min<std::size_t>(m.length, 100)); }

// A data directory of its own for one test, removed afterwards.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quaystore-XXXXXX").string();
        char* made = ::mkdtemp(pattern.data());
        if (made != nullptr) m_path = made;
    }
    ~TempDir() {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Fixture: a data directory with the parts table created and one handle open.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_dir.path().empty());
        m_db = std::make_unique<Database>(m_dir.path());
        ASSERT_TRUE(m_db->isOpen()) << m_db->driverErrorText();
        m_parts = std::make_unique<Handle<Part>>(*m_db);
        ASSERT_EQ(m_parts->create(), ErrorCode::None) << m_parts->driverErrorText();
        ASSERT_EQ(m_parts->open(), ErrorCode::None) << m_parts->driverErrorText();
    }
    void TearDown() override {
        m_parts.reset();
        m_db.reset();
    }

    // Adds a part through the fixture's handle; returns the add's code.
    ErrorCode addPart(std::int32_t id, std::string_view name, std::string_view code = "", std::int64_t price = 0) {
        Part& p = m_parts->rec;
        m_parts->clear();
        p.Id = id;
        setText(p.Name, name);
        setText(p.Code, code);
        p.Price = price;
        return m_parts->add();
    }

    const std::string& dir() const { return m_dir.path(); }

    TempDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Handle<Part>> m_parts;
};

}  // namespace quay::core::testing
