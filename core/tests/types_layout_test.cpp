// The record store copies fields at their offsets inside record structs; these checks
// hold the field types to exactly the layout it reads and writes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include <gtest/gtest.h>

#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"
#include "quay/types/memo.h"

namespace quay::core {
namespace {

struct SampleRecord {
    std::int32_t Number;
    Decimal<11, 2> Balance;
    FixedString<35> Name;
    std::uint8_t Flag;
    Memo<100> Notes;
};

static_assert(sizeof(Decimal<11, 2>) == 8);
static_assert(std::is_standard_layout_v<Decimal<11, 2>> && std::is_trivially_copyable_v<Decimal<11, 2>>);
static_assert(sizeof(FixedString<35>) == 35 && alignof(FixedString<35>) == 1);
static_assert(std::is_standard_layout_v<FixedString<35>> && std::is_trivially_copyable_v<FixedString<35>>);
static_assert(sizeof(Memo<100>) == 104);
static_assert(std::is_standard_layout_v<Memo<100>> && std::is_trivially_copyable_v<Memo<100>>);
static_assert(std::is_standard_layout_v<SampleRecord> && std::is_trivially_copyable_v<SampleRecord>);

TEST(FieldLayout, DecimalIsItsScaledIntegerInMemory) {
    SampleRecord r;
    ASSERT_EQ(r.Balance.parse("-1234.56"), DecimalStatus::Ok);
    std::int64_t raw = 0;
    std::memcpy(&raw, reinterpret_cast<const char*>(&r) + offsetof(SampleRecord, Balance), sizeof raw);
    EXPECT_EQ(raw, -123456);

    const std::int64_t stored = 4200;
    std::memcpy(reinterpret_cast<char*>(&r) + offsetof(SampleRecord, Balance), &stored, sizeof stored);
    EXPECT_EQ(r.Balance.toString(), "42.00");
}

TEST(FieldLayout, StringIsBlankPaddedWithoutTerminator) {
    SampleRecord r;
    r.Name = "Acme";
    const char* p = reinterpret_cast<const char*>(&r) + offsetof(SampleRecord, Name);
    EXPECT_EQ(std::string(p, 35), "Acme" + std::string(31, ' '));
}

TEST(FieldLayout, MemoIsLengthThenText) {
    SampleRecord r;
    r.Notes = "call back";
    const char* p = reinterpret_cast<const char*>(&r) + offsetof(SampleRecord, Notes);
    std::uint32_t len = 0;
    std::memcpy(&len, p, sizeof len);
    EXPECT_EQ(len, 9u);
    EXPECT_EQ(std::string(p + 4, 9), "call back");
}

}  // namespace
}  // namespace quay::core
