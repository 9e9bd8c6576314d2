// Line sums and order totals: tax buckets by the lines' tax flags and the order's
// exemptions, every result stored to two places before the next step adds it, and
// sums too large for their fields refused without touching the order.
#include <gtest/gtest.h>

#include "orders/order_work.h"
#include "orders_test_support.h"

namespace quay::desk {
namespace {

using testing::money;
using testing::price;

LineEntry line(std::int32_t position, const char* qty, const char* each, std::uint8_t tax1, std::uint8_t tax2 = 0) {
    LineEntry l;
    l.POSITION = position;
    l.QTY = money(qty);
    l.PRICE = price(each);
    l.COST = price("6.0000");
    l.SALESTAXABLE1 = tax1;
    l.SALESTAXABLE2 = tax2;
    EXPECT_EQ(computeLineTotal(l), core::DecimalStatus::Ok);
    return l;
}

TEST(OrderTotals, TaxDiscountAndShippingOnOneTaxableLine) {
    core::Orders o;
    o.SLSTAXRATE1 = price("8.2500");
    o.DISCOUNTPCT = money("10.00");
    o.SHIPPING = money("5.00");
    LineSums sums;
    ASSERT_EQ(computeLineSums(o, {line(1, "1.00", "100.0000", 1)}, sums), core::DecimalStatus::Ok);
    ASSERT_EQ(computeOrderTotals(o, sums), core::DecimalStatus::Ok);
    EXPECT_EQ(o.SUBTOTAL, money("100.00"));
    EXPECT_EQ(o.SALESTAX1, money("8.25"));
    EXPECT_EQ(o.DISCOUNT, money("10.00"));
    EXPECT_EQ(o.TOTAL, money("103.25"));
    EXPECT_EQ(o.PROFIT, money("84.00"));  // 100 - 10 - cost 6
}

TEST(OrderTotals, ExemptOrderMovesTaxableLinesToExemptBucket) {
    core::Orders o;
    o.SLSTAXRATE1 = price("8.2500");
    o.TAX1EXEMPT = 1;
    LineSums sums;
    ASSERT_EQ(computeLineSums(o, {line(1, "2.00", "10.0000", 1, 1), line(2, "1.00", "5.0000", 0)}, sums),
              core::DecimalStatus::Ok);
    ASSERT_EQ(computeOrderTotals(o, sums), core::DecimalStatus::Ok);
    EXPECT_EQ(o.EXEMPT1, money("20.00"));
    EXPECT_EQ(o.SLSTAXABLE1, money("0.00"));
    EXPECT_EQ(o.NONTAXABLE1, money("5.00"));
    EXPECT_EQ(o.SLSTAXABLE2, money("20.00"));
    EXPECT_EQ(o.NONTAXABLE2, money("5.00"));
    EXPECT_EQ(o.SALESTAX1, money("0.00"));
    EXPECT_EQ(o.LISTSUB, money("25.00"));
    EXPECT_EQ(sums.cost, money("18.00"));
}

TEST(OrderTotals, EachStepRoundsHalfAwayFromZeroBeforeTheNextAddsIt) {
    // Tax 1.0050075 rounds to 1.01, discount 0.3375 to 0.34: the total adds the rounded values.
    core::Orders o;
    o.SLSTAXRATE1 = price("7.4445");
    o.DISCOUNTPCT = money("2.50");
    LineSums sums;
    ASSERT_EQ(computeLineSums(o, {line(1, "1.00", "13.5000", 1)}, sums), core::DecimalStatus::Ok);
    ASSERT_EQ(computeOrderTotals(o, sums), core::DecimalStatus::Ok);
    EXPECT_EQ(o.SALESTAX1, money("1.01"));
    EXPECT_EQ(o.DISCOUNT, money("0.34"));
    EXPECT_EQ(o.TOTAL, money("14.17"));
}

TEST(OrderTotals, LineTotalRoundsQuantityTimesFourPlacePrice) {
    LineEntry l = line(1, "3.00", "0.3350", 0);
    EXPECT_EQ(l.TOTAL, money("1.01"));  // 1.005 rounds away from zero
    LineEntry credit = line(2, "-3.00", "0.3350", 0);
    EXPECT_EQ(credit.TOTAL, money("-1.01"));
}

TEST(OrderTotals, SumTooLargeForItsFieldLeavesTheOrderUnchanged) {
    core::Orders o;
    o.LISTSUB = money("1.00");
    LineEntry big;
    big.POSITION = 1;
    big.TOTAL = core::Decimal<13, 2>::max();
    LineSums sums;
    EXPECT_EQ(computeLineSums(o, {big, big}, sums), core::DecimalStatus::Overflow);
    EXPECT_EQ(o.LISTSUB, money("1.00"));
}

TEST(OrderWorkLists, RemovingALineTakesItsSerialNumbersAndPositionsStay) {
    OrderWork w;
    w.lines = {line(1, "1.00", "1.0000", 0), line(2, "1.00", "1.0000", 0), line(4, "1.00", "1.0000", 0)};
    w.serials = {{0, core::FixedString<20>("A1"), 2}, {0, core::FixedString<20>("B7"), 4}};
    w.removeLine(2);
    EXPECT_EQ(w.lines.size(), 2u);
    EXPECT_EQ(w.serialCount(2), 0);
    EXPECT_EQ(w.serialCount(4), 1);
    EXPECT_EQ(w.nextPosition(), 5);
}

}  // namespace
}  // namespace quay::desk
