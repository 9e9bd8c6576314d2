// The age rule at its edges and the allocation of unapplied payments oldest first, on
// figures worked out by hand.
#include "accounts/age_buckets.h"

#include <gtest/gtest.h>

#include "order_data_support.h"

namespace quay::reports::detail {
namespace {

using testing::day;
using testing::money;

std::string text(const AgeFigure& f) { return f.toString(); }

TEST(AgeRule, BucketEdgesCountFromTheRunDay) {
    const std::int32_t today = day(2026, 4, 30);
    // days old, bucket
    const std::pair<int, Age> cases[] = {{0, Age::Current}, {30, Age::Current}, {31, Age::Over30},
                                         {60, Age::Over30}, {61, Age::Over60},  {90, Age::Over60},
                                         {91, Age::Over90}, {400, Age::Over90}, {-5, Age::Current}};
    for (auto [old, age] : cases) {
        SCOPED_TRACE(old);
        EXPECT_EQ(ageOf(today - old, today), age);
    }
}

TEST(Allocation, PaymentClearsTheOldestBucketFirst) {
    AgeFigures f;
    ASSERT_TRUE(f.addCharge(Age::Over90, money("100.00")));
    ASSERT_TRUE(f.addCharge(Age::Over30, money("80.00")));
    ASSERT_TRUE(f.applyPayment(money("150.00")));
    EXPECT_EQ(text(f[Age::Over90]), "0.00");
    EXPECT_EQ(text(f[Age::Over60]), "0.00");
    EXPECT_EQ(text(f[Age::Over30]), "30.00");
    EXPECT_EQ(text(f[Age::Current]), "0.00");
    EXPECT_EQ(text(f.totalDue), "30.00");
}

TEST(Allocation, PaymentsBeyondTheChargesLeaveACreditAndNoBucketBelowZero) {
    AgeFigures f;
    ASSERT_TRUE(f.addCharge(Age::Current, money("25.00")));
    ASSERT_TRUE(f.addCharge(Age::Over60, money("10.00")));
    ASSERT_TRUE(f.applyPayment(money("40.00")));
    ASSERT_TRUE(f.applyPayment(money("12.50")));
    for (const AgeFigure& b : f.buckets) EXPECT_EQ(text(b), "0.00");
    EXPECT_EQ(text(f.totalDue), "-17.50");
}

TEST(Allocation, GrandTotalsAreTheSumOfTheCustomers) {
    // Two customers with only +90 balances of 100.00 and 50.00; the second has 70.00
    // unapplied, of which 20.00 stays unallocated.
    AgeFigures first, second, grand;
    ASSERT_TRUE(first.addCharge(Age::Over90, money("100.00")));
    ASSERT_TRUE(second.addCharge(Age::Over90, money("50.00")));
    ASSERT_TRUE(second.applyPayment(money("70.00")));
    EXPECT_EQ(text(second[Age::Over90]), "0.00");
    EXPECT_EQ(text(second.totalDue), "-20.00");
    ASSERT_TRUE(grand.add(first));
    ASSERT_TRUE(grand.add(second));
    EXPECT_EQ(text(grand[Age::Over90]), "100.00");
    EXPECT_EQ(text(grand.totalDue), "80.00");
}

TEST(Allocation, AFigureThatWouldNotFitIsRefusedAndNothingChanges) {
    AgeFigures f;
    ASSERT_TRUE(f.addCharge(Age::Current, money("9999999.00")));
    EXPECT_FALSE(f.addCharge(Age::Current, money("1.00")));
    EXPECT_EQ(text(f[Age::Current]), "9999999.00");
    EXPECT_EQ(text(f.totalDue), "9999999.00");
    EXPECT_TRUE(f.applyPayment(money("0.99")));
    EXPECT_FALSE(f.applyPayment(money("-20000000.00")));
    EXPECT_EQ(text(f.totalDue), "9999998.01");
}

TEST(CustomerNames, CompareAsTheCaseInsensitiveKeyOrdersThem) {
    EXPECT_TRUE(sameName("Marsh & Daughters", "MARSH & daughters  "));
    EXPECT_LT(compareNames("Lee, Ann", "lee, anna"), 0);
    EXPECT_GT(compareNames("Oakes", "MARSH"), 0);
    EXPECT_LT(compareNames("_x", "a"), 0);  // '_' sorts before the folded letters
}

}  // namespace
}  // namespace quay::reports::detail
