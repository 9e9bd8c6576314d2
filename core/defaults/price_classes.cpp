// The price-class rule. Each formula is evaluated exactly, with one division at the end
// (markup: cost x (100 + p) / 100, margin: cost x 100 / (100 - p), discount:
// MSRP x (100 - p) / 100), the same value as the percentage factor applied to the
// price, without rounding the factor first; the quotient is then held to 4 places half away from zero and rounded once
// more by the company's choice. All six results are computed before any is stored.
#include "quay/defaults/price_classes.h"

#include <string_view>

namespace quay::core {

namespace {

enum class Method { Markup, Margin, Discount, None };

Method methodOf(const FixedString<8>& text) {
    const std::string_view m = text.view();
    if (m == "MARKUP") return Method::Markup;
    if (m == "MARGIN") return Method::Margin;
    if (m == "DISCOUNT") return Method::Discount;
    return Method::None;
}

}  // namespace

PriceClassRules PriceClassRules::fromDefaults(const Defaults& d) {
    PriceClassRules rules;
    rules.classes = {{
        {d.PRICECLASS1, d.PC1METHOD},
        {d.PRICECLASS2, d.PC2METHOD},
        {d.PRICECLASS3, d.PC3METHOD},
        {d.PRICECLASS4, d.PC4METHOD},
        {d.PRICECLASS5, d.PC5METHOD},
        {d.PRICECLASS6, d.PC6METHOD},
    }};
    rules.rounding = d.ROUNDPC;
    return rules;
}

DecimalStatus derivePriceClasses(const PriceClassRules& rules, const ClassPrice& cost, const ClassPrice& msrp,
                                 ClassPrices& prices) {
    const std::string_view rounding = rules.rounding.view();
    ClassPrices result = prices;
    for (std::size_t n = 0; n < result.size(); ++n) {
        const auto& percent = rules.classes[n].percent;
        Exact<4> held;
        switch (methodOf(rules.classes[n].method)) {
        case Method::Markup: held = (cost * (percent + 100) / 100).rounded<4>(); break;
        case Method::Margin:
            // No price keeps a margin of 100 % or more: the class stays as it was.
            if (percent >= 100) continue;
            held = (cost * 100 / (100 - percent)).rounded<4>();
            break;
        case Method::Discount: held = (msrp * (100 - percent) / 100).rounded<4>(); break;
        case Method::None: continue;
        }
        if (!held.isOk()) return held.status();
        DecimalStatus stored = DecimalStatus::Ok;
        if (rounding == "D") {
            stored = result[n].assign(held.rounded<0>());
        } else if (rounding == "C") {
            stored = result[n].assign(held.rounded<2>());
        } else {
            stored = result[n].assign(held);
        }
        if (stored != DecimalStatus::Ok) return stored;
    }
    prices = result;
    return DecimalStatus::Ok;
}

DecimalStatus applyPriceClasses(const Defaults& defaults, Products& product) {
    ClassPrices prices = {product.PRICECLASS1, product.PRICECLASS2, product.PRICECLASS3,
                          product.PRICECLASS4, product.PRICECLASS5, product.PRICECLASS6};
    const DecimalStatus status =
        derivePriceClasses(PriceClassRules::fromDefaults(defaults), product.COST, product.MSRP, prices);
    if (status != DecimalStatus::Ok) return status;
    product.PRICECLASS1 = prices[0];
    product.PRICECLASS2 = prices[1];
    product.PRICECLASS3 = prices[2];
    product.PRICECLASS4 = prices[3];
    product.PRICECLASS5 = prices[4];
    product.PRICECLASS6 = prices[5];
    return DecimalStatus::Ok;
}

}  // namespace quay::core
