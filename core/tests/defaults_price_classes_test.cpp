// The price-class rule: each method's formula, the company's rounding choice, classes
// without a method keeping their price, margins of 100 % or more leaving the class
// alone, and a result too large for the price field changing nothing.
#include <gtest/gtest.h>

#include <string>

#include "quay/defaults/price_classes.h"

namespace quay::core {
namespace {

ClassPrice price(const char* text) {
    ClassPrice p;
    EXPECT_EQ(p.parse(text), DecimalStatus::Ok) << text;
    return p;
}

Decimal<9, 4> percent(const char* text) {
    Decimal<9, 4> p;
    EXPECT_EQ(p.parse(text), DecimalStatus::Ok) << text;
    return p;
}

// Rules with `method` and `pct` on class 1 and no method on the other five.
PriceClassRules oneClass(const char* method, const char* pct, const char* rounding) {
    PriceClassRules rules;
    rules.classes[0] = {percent(pct), method};
    rules.rounding = rounding;
    return rules;
}

TEST(PriceClassDerivation, EachMethodAndRoundingChoice) {
    struct Case {
        const char* cost;      // PRD:COST
        const char* msrp;      // PRD:MSRP
        const char* method;    // DEF:PC1METHOD
        const char* pct;       // DEF:PRICECLASS1
        const char* rounding;  // DEF:ROUNDPC
        const char* before;    // class 1 before
        const char* after;     // class 1 after
    };
    const Case cases[] = {
        {"10.00", "0", "MARKUP", "25", "H", "0", "12.5000"},
        {"10.00", "0", "MARKUP", "25", "D", "0", "13.0000"},
        {"10.00", "0", "MARKUP", "25", "C", "0", "12.5000"},
        {"10.00", "0", "MARGIN", "20", "H", "0", "12.5000"},
        {"10.00", "0", "MARGIN", "20", "D", "0", "13.0000"},
        {"0", "20.00", "DISCOUNT", "10", "H", "0", "18.0000"},
        // zero percent gives the cost, or the list price for a discount
        {"10.00", "20.00", "MARGIN", "0", "H", "0", "10.0000"},
        {"10.00", "20.00", "MARKUP", "0", "H", "0", "10.0000"},
        {"10.00", "20.00", "DISCOUNT", "0", "H", "0", "20.0000"},
        // rounding to cents, to whole units, and none
        {"12.3460", "0", "MARKUP", "0", "C", "0", "12.3500"},
        {"12.6", "0", "MARKUP", "0", "D", "0", "13.0000"},
        {"12.3456", "0", "MARKUP", "0", "H", "0", "12.3456"},
        {"12.3456", "0", "MARKUP", "0", "", "0", "12.3456"},
        {"0.125", "0", "MARKUP", "0", "C", "0", "0.1300"},    // half away from zero
        {"-0.125", "0", "MARKUP", "0", "C", "0", "-0.1300"},  // also below zero
        // held to 4 places first: 12.49995 becomes 12.5000, which "D" takes to 13
        {"10.0000", "0", "MARKUP", "24.9995", "D", "0", "13.0000"},
        {"1.0000", "0", "MARGIN", "33.3333", "H", "0", "1.5000"},
        {"0.3333", "0", "MARKUP", "33.3333", "H", "0", "0.4444"},
        // no method, or an unknown one: the class keeps its price, unrounded
        {"10.00", "20.00", "", "25", "C", "7.7777", "7.7777"},
        {"10.00", "20.00", "markup", "25", "D", "7.7777", "7.7777"},
        // a margin of 100 % or more has no price: the class is left alone
        {"10.00", "20.00", "MARGIN", "100", "C", "9.9900", "9.9900"},
        {"10.00", "20.00", "MARGIN", "150", "C", "9.9900", "9.9900"},
        {"10.00", "20.00", "MARGIN", "99.99", "H", "0", "100000.0000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.pct + " on cost " + c.cost + " msrp " + c.msrp + " round " +
                     c.rounding);
        ClassPrices prices{};
        prices[0] = price(c.before);
        prices[1] = price("3.3333");
        ASSERT_EQ(derivePriceClasses(oneClass(c.method, c.pct, c.rounding), price(c.cost), price(c.msrp), prices),
                  DecimalStatus::Ok);
        EXPECT_EQ(prices[0].toString(), c.after);
        EXPECT_EQ(prices[1].toString(), "3.3333");  // no method on class 2
    }
}

TEST(PriceClassDerivation, AppliesTheCompanySixPairsToAProduct) {
    Defaults def;
    def.PRICECLASS1 = percent("25");
    def.PC1METHOD = "MARKUP";
    def.PRICECLASS2 = percent("20");
    def.PC2METHOD = "MARGIN";
    def.PRICECLASS3 = percent("10");
    def.PC3METHOD = "DISCOUNT";
    def.PRICECLASS4 = percent("50");
    def.PC4METHOD = "";
    def.PRICECLASS5 = percent("100");
    def.PC5METHOD = "MARGIN";
    def.PRICECLASS6 = percent("33");
    def.PC6METHOD = "DISCOUNT";
    def.ROUNDPC = "C";
    Products prd;
    prd.COST = price("10.00");
    prd.MSRP = price("19.99");
    prd.PRICECLASS4 = price("14.4444");
    prd.PRICECLASS5 = price("15.5555");
    ASSERT_EQ(applyPriceClasses(def, prd), DecimalStatus::Ok);
    EXPECT_EQ(prd.PRICECLASS1.toString(), "12.5000");
    EXPECT_EQ(prd.PRICECLASS2.toString(), "12.5000");
    EXPECT_EQ(prd.PRICECLASS3.toString(), "17.9900");  // 17.991
    EXPECT_EQ(prd.PRICECLASS4.toString(), "14.4444");
    EXPECT_EQ(prd.PRICECLASS5.toString(), "15.5555");
    EXPECT_EQ(prd.PRICECLASS6.toString(), "13.3900");  // 13.3933
}

TEST(PriceClassDerivation, PriceTooLargeForTheFieldChangesNoClass) {
    PriceClassRules rules = oneClass("MARKUP", "10", "C");
    rules.classes[1] = {percent("100"), "MARKUP"};  // doubles the cost: too large
    ClassPrices prices{};
    prices[0] = price("1.0000");
    prices[1] = price("2.0000");
    EXPECT_EQ(derivePriceClasses(rules, price("999999999.0000"), price("0"), prices), DecimalStatus::Overflow);
    EXPECT_EQ(prices[0].toString(), "1.0000");  // class 1 alone would have fitted
    EXPECT_EQ(prices[1].toString(), "2.0000");

    Defaults def;
    def.PRICECLASS1 = percent("100");
    def.PC1METHOD = "MARKUP";
    Products prd;
    prd.COST = price("999999999.0000");
    prd.PRICECLASS1 = price("5.0000");
    EXPECT_EQ(applyPriceClasses(def, prd), DecimalStatus::Overflow);
    EXPECT_EQ(prd.PRICECLASS1.toString(), "5.0000");
}

}  // namespace
}  // namespace quay::core
