// Decimal fields and the decimal rule: exact arithmetic across places, rounding half away
// from zero when a result is stored, refusal of results that do not fit, and reporting of
// division by zero.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "quay/types/decimal.h"

namespace quay::core {
namespace {

using Money = Decimal<13, 2>;
using Price = Decimal<13, 4>;
using Qty = Decimal<9, 2>;

struct TextCase {
    const char* text;      // typed or computed value
    const char* expected;  // what a two-place field holds afterwards
};

TEST(DecimalStore, RoundsHalfAwayFromZeroAtTwoPlaces) {
    const TextCase cases[] = {
        {"2.345", "2.35"},      {"-2.345", "-2.35"},  {"12.3460", "12.35"}, {"2.344999", "2.34"},
        {"-2.344999", "-2.34"}, {"0.005", "0.01"},    {"-0.005", "-0.01"},  {"0.0049", "0.00"},
        {"-0.0049", "0.00"},    {"99.995", "100.00"}, {"7", "7.00"},        {"+3.1", "3.10"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.text);
        // Read with more places than the target, then store: the rounding is the store's.
        Decimal<13, 6> exact;
        ASSERT_EQ(exact.parse(c.text), DecimalStatus::Ok);
        Money m;
        ASSERT_EQ(m.assign(exact), DecimalStatus::Ok);
        EXPECT_EQ(m.toString(), c.expected);
        // Parsing straight into the field follows the same rule.
        Money direct;
        ASSERT_EQ(direct.parse(c.text), DecimalStatus::Ok);
        EXPECT_EQ(direct.toString(), c.expected);
    }
}

TEST(DecimalStore, RefusesValuesBeyondTheDigitsAndKeepsTheField) {
    Money total;
    ASSERT_EQ(total.parse("42.00"), DecimalStatus::Ok);
    // DECIMAL(13,2) holds 11 whole digits: 99,999,999,999.99 is the largest value.
    EXPECT_EQ(Money::max().toString(), "99999999999.99");
    EXPECT_EQ(total.parse("100000000000.00"), DecimalStatus::Overflow);
    EXPECT_EQ(total.toString(), "42.00");
    EXPECT_EQ(total.assign(Money::max() + Money::fromScaled(1)), DecimalStatus::Overflow);
    EXPECT_EQ(total.toString(), "42.00");
    EXPECT_EQ(total.assign(-Money::max() - Money::fromScaled(1)), DecimalStatus::Overflow);
    EXPECT_EQ(total.toString(), "42.00");
    // Rounding up can push a value over the limit: 99999999999.995 does not fit.
    Decimal<15, 3> nearMax;
    ASSERT_EQ(nearMax.parse("99999999999.995"), DecimalStatus::Ok);
    EXPECT_EQ(total.assign(nearMax), DecimalStatus::Overflow);
    EXPECT_EQ(total.toString(), "42.00");
    // The largest value itself is accepted.
    EXPECT_EQ(total.assign(Money::max().exact()), DecimalStatus::Ok);
    EXPECT_EQ(total.toString(), "99999999999.99");
}

TEST(DecimalStore, RefusesTextThatIsNotANumber) {
    Money m;
    ASSERT_EQ(m.parse("5.25"), DecimalStatus::Ok);
    for (const char* bad : {"abc", "", "  ", "1.2.3", "-", ".", "12a", "1,234", "--1", "1 2"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(m.parse(bad), DecimalStatus::InvalidText);
        EXPECT_EQ(m.toString(), "5.25");
    }
    EXPECT_EQ(m.parse("  -0.5 "), DecimalStatus::Ok);
    EXPECT_EQ(m.toString(), "-0.50");
    EXPECT_EQ(m.parse(".75"), DecimalStatus::Ok);
    EXPECT_EQ(m.toString(), "0.75");
}

TEST(DecimalArithmetic, MixedPlacesStayExactUntilStored) {
    Price price;
    Qty qty;
    ASSERT_EQ(price.parse("19.9950"), DecimalStatus::Ok);
    ASSERT_EQ(qty.parse("3.33"), DecimalStatus::Ok);
    // 19.9950 x 3.33 = 66.583350 exactly; stored to cents it is 66.58.
    const auto product = price * qty;
    static_assert(decltype(product)::kPlaces == 6);
    EXPECT_EQ(product.toString(), "66.583350");
    Money line;
    ASSERT_EQ(line.assign(product), DecimalStatus::Ok);
    EXPECT_EQ(line.toString(), "66.58");

    // A sum of unrounded products rounds once: 3 x 0.3350 = 1.0050 -> 1.01, whereas
    // rounding each line first (0.34 x 3) would give 1.02.
    Price unit;
    ASSERT_EQ(unit.parse("0.3350"), DecimalStatus::Ok);
    Money sum;
    ASSERT_EQ(sum.assign(unit * 1 + unit * 1 + unit * 1), DecimalStatus::Ok);
    EXPECT_EQ(sum.toString(), "1.01");

    // Integers take part as whole numbers.
    Money shipped;
    ASSERT_EQ(shipped.assign(line + 10 - Money(1)), DecimalStatus::Ok);
    EXPECT_EQ(shipped.toString(), "75.58");
    ASSERT_EQ(shipped.assign(2 * line), DecimalStatus::Ok);
    EXPECT_EQ(shipped.toString(), "133.16");
}

TEST(DecimalArithmetic, PercentagesOfMoneyRoundOnceWhenStored) {
    Money subtotal;
    Decimal<7, 4> rate;  // percent with 4 places
    ASSERT_EQ(subtotal.parse("1234.57"), DecimalStatus::Ok);
    ASSERT_EQ(rate.parse("8.2500"), DecimalStatus::Ok);
    // 1234.57 x 8.25 / 100 = 101.852025 -> 101.85
    Money tax;
    ASSERT_EQ(tax.assign(subtotal * rate / 100), DecimalStatus::Ok);
    EXPECT_EQ(tax.toString(), "101.85");
    // Negative amounts (credits) round away from zero the same way.
    ASSERT_EQ(subtotal.parse("-1234.57"), DecimalStatus::Ok);
    ASSERT_EQ(tax.assign(subtotal * rate / 100), DecimalStatus::Ok);
    EXPECT_EQ(tax.toString(), "-101.85");
}

TEST(DecimalArithmetic, DivisionRoundsTheTrueQuotient) {
    struct Case {
        const char* numerator;
        const char* denominator;
        const char* expected;  // quotient stored at 2 places
    };
    const Case cases[] = {
        {"10.00", "3.00", "3.33"},
        {"20.00", "3.00", "6.67"},
        {"-20.00", "3.00", "-6.67"},
        {"20.00", "-3.00", "-6.67"},
        {"1.00", "8.00", "0.13"},
        {"-1.00", "8.00", "-0.13"},
        {"0.01", "2.00", "0.01"},
        {"0.01", "3.00", "0.00"},
        {"12.50", "0.25", "50.00"},
        // Just under one half of a cent: must not round up.
        {"0.0499999", "10.00", "0.00"},
        {"99999999999.99", "1.00", "99999999999.99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.numerator) + " / " + c.denominator);
        Decimal<18, 7> n;
        Decimal<18, 7> d;
        ASSERT_EQ(n.parse(c.numerator), DecimalStatus::Ok);
        ASSERT_EQ(d.parse(c.denominator), DecimalStatus::Ok);
        Money q;
        ASSERT_EQ(q.assign(n / d), DecimalStatus::Ok);
        EXPECT_EQ(q.toString(), c.expected);
    }
}

TEST(DecimalArithmetic, StoredQuotientIsTheNearestCentForManyOperands) {
    // For a / b stored as q cents: |a/b - q| is at most half a cent, and a tie goes away
    // from zero. With a and b in cents: 2 * |100 a - q b| <= |b|.
    std::mt19937_64 rng(20261208);
    std::uniform_int_distribution<std::int64_t> amount(-999999999, 999999999);
    for (int i = 0; i < 20000; ++i) {
        const Money a = Money::fromScaled(amount(rng));
        const Money b = Money::fromScaled(i % 7 == 0 ? amount(rng) % 1000 : amount(rng));
        if (b.isZero()) continue;
        Money q;
        ASSERT_EQ(q.assign(a / b), DecimalStatus::Ok) << a << " / " << b;
        const detail::Int128 diff = detail::Int128{a.scaled()} * 100 - detail::Int128{q.scaled()} * b.scaled();
        const detail::Int128 twice = 2 * (diff < 0 ? -diff : diff);
        const detail::Int128 absB = b.scaled() < 0 ? -detail::Int128{b.scaled()} : detail::Int128{b.scaled()};
        ASSERT_LE(twice, absB) << a << " / " << b << " = " << q;
        if (twice == absB) {
            // On a tie the stored quotient lies farther from zero than the true one.
            const detail::Int128 stored = detail::Int128{q.scaled()} * absB;
            const detail::Int128 exact = detail::Int128{a.scaled()} * 100;
            ASSERT_GT(stored < 0 ? -stored : stored, exact < 0 ? -exact : exact) << a << " / " << b;
        }
    }
}

TEST(DecimalArithmetic, DivisionByZeroIsReportedAndStoresNothing) {
    Money cost;
    Money margin;
    ASSERT_EQ(margin.parse("12.00"), DecimalStatus::Ok);
    const auto q = Money(5) / cost;
    EXPECT_EQ(q.status(), DecimalStatus::DivisionByZero);
    // The failure travels through the rest of the expression.
    EXPECT_EQ((q * 100 + 1).status(), DecimalStatus::DivisionByZero);
    EXPECT_EQ(margin.assign(q * 100), DecimalStatus::DivisionByZero);
    EXPECT_EQ(margin.toString(), "12.00");
    EXPECT_FALSE(decimalStatusText(DecimalStatus::DivisionByZero).empty());
}

TEST(DecimalArithmetic, IntermediateOverflowIsReportedNotWrapped) {
    const Money big = Money::max();
    // (10^11)^2 x 10^4 still fits 128 bits; a few more factors do not.
    const auto huge = big * big * big * big;
    EXPECT_EQ(huge.status(), DecimalStatus::Overflow);
    Money m;
    EXPECT_EQ(m.assign(huge), DecimalStatus::Overflow);
    EXPECT_TRUE(m.isZero());
}

TEST(DecimalArithmetic, RunningTotalsFollowTheRule) {
    Decimal<5, 2> small;  // at most 999.99
    ASSERT_EQ(small += Money(990), DecimalStatus::Ok);
    Price fee;
    ASSERT_EQ(fee.parse("9.9950"), DecimalStatus::Ok);
    ASSERT_EQ(small += fee, DecimalStatus::Overflow);  // 999.995 -> 1000.00 does not fit
    EXPECT_EQ(small.toString(), "990.00");
    ASSERT_EQ(fee.parse("9.9949"), DecimalStatus::Ok);
    ASSERT_EQ(small += fee, DecimalStatus::Ok);
    EXPECT_EQ(small.toString(), "999.99");
    ASSERT_EQ(small -= 1000, DecimalStatus::Ok);
    EXPECT_EQ(small.toString(), "-0.01");
}

TEST(DecimalCompare, ComparesValuesAcrossPlaces) {
    Money a;
    Price b;
    ASSERT_EQ(a.parse("12.50"), DecimalStatus::Ok);
    ASSERT_EQ(b.parse("12.5000"), DecimalStatus::Ok);
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == (b * 1));
    ASSERT_EQ(b.parse("12.5001"), DecimalStatus::Ok);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a > 12);
    EXPECT_TRUE(13 > a);
    EXPECT_TRUE(Money() == 0);
    ASSERT_EQ(a.parse("-0.01"), DecimalStatus::Ok);
    EXPECT_TRUE(a < 0);
    EXPECT_TRUE(a.isNegative());
    // Negative values just below a whole number order correctly across places.
    ASSERT_EQ(b.parse("-12.0001"), DecimalStatus::Ok);
    EXPECT_TRUE(b < -12);
    EXPECT_TRUE(b > -13);
    EXPECT_TRUE(Money(-12) > b);
}

TEST(DecimalCompare, OrdersValuesTooLargeToRescale) {
    // 10^30 as a whole number cannot be rescaled to 24 places inside 128 bits; it still
    // orders by its value against numbers held with many places.
    const auto huge = Exact<0>::fromScaled(detail::pow10(30));
    const auto fine = Exact<24>::fromScaled(detail::pow10(38));  // 10^14
    EXPECT_TRUE(huge > fine);
    EXPECT_TRUE(fine < huge);
    EXPECT_TRUE(-huge < -fine);
    EXPECT_TRUE(-huge < fine);
    EXPECT_TRUE(Exact<0>::fromScaled(detail::pow10(14)) == fine);
    EXPECT_TRUE(Exact<0>::fromScaled(detail::pow10(14)) < fine + Exact<24>::fromScaled(1));
    EXPECT_TRUE(Exact<0>::fromScaled(-detail::pow10(14)) > -fine - Exact<24>::fromScaled(1));
}

TEST(DecimalRounding, RoundsToFewerPlacesForPriceClasses) {
    Price p;
    ASSERT_EQ(p.parse("12.6000"), DecimalStatus::Ok);
    // Whole units, then back into the 4-place field: 13.0000.
    ASSERT_EQ(p.assign(p.exact().rounded<0>()), DecimalStatus::Ok);
    EXPECT_EQ(p.toString(), "13.0000");
    ASSERT_EQ(p.parse("12.3460"), DecimalStatus::Ok);
    ASSERT_EQ(p.assign(p.exact().rounded<2>()), DecimalStatus::Ok);
    EXPECT_EQ(p.toString(), "12.3500");
    ASSERT_EQ(p.parse("-12.5000"), DecimalStatus::Ok);
    ASSERT_EQ(p.assign(p.exact().rounded<0>()), DecimalStatus::Ok);
    EXPECT_EQ(p.toString(), "-13.0000");
    // Cutting drops places toward zero.
    ASSERT_EQ(p.parse("-12.9999"), DecimalStatus::Ok);
    EXPECT_EQ(p.exact().cut<0>().toString(), "-12");
}

}  // namespace
}  // namespace quay::core
