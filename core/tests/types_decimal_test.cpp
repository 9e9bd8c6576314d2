// Decimal fields and the decimal rule: exact arithmetic across places, rounding half away
// from zero when a result is stored, refusal of results that do not fit.
#include <gtest/gtest.h>

#include "quay/types/decimal.h"

namespace quay::core {
namespace {

TEST(DecimalStore, RoundsHalfAwayFromZero) {
    Decimal<9, 2> d;
    ASSERT_EQ(d.parse("2.345"), DecimalStatus::Ok);
    EXPECT_EQ(d.toString(), "2.35");
}

}  // namespace
}  // namespace quay::core
