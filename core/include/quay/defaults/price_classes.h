// Deriving a product's six price classes from its cost and list price (MSRP) with the
// company's percentages, methods and rounding choice. The product form, "Set Price
// Classes to &Default" and the mass price update all price through this one rule:
//
//   "MARKUP"   price = (p / 100 + 1) x cost
//   "MARGIN"   price = cost / ((100 - p) / 100)      p of 100 or more: class unchanged
//   "DISCOUNT" price = MSRP x ((100 - p) / 100)
//   any other method (blank): the class keeps the price it had
//
// Each derived price is held to 4 places (half away from zero); then rounding "D" takes
// every derived price to whole units and "C" to cents, anything else keeps 4 places.
// Methods and the rounding choice are compared with trailing blanks removed.
#pragma once

#include <array>

#include "quay/export.h"
#include "quay/tables/defaults.h"
#include "quay/tables/products.h"
#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

using ClassPrice = Decimal<13, 4>;              // PRD:PRICECLASS1 .. PRD:PRICECLASS6
using ClassPrices = std::array<ClassPrice, 6>;  // element 0 is class 1

struct PriceClassRule {
    Decimal<9, 4> percent;  // DEF:PRICECLASSn
    FixedString<8> method;  // DEF:PCnMETHOD
};

struct PriceClassRules {
    std::array<PriceClassRule, 6> classes;  // element 0 is class 1
    FixedString<1> rounding;                // DEF:ROUNDPC

    // The six pairs and the rounding choice of a company record.
    QUAY_EXPORT static PriceClassRules fromDefaults(const Defaults& defaults);
};

// Derives the class prices of a product with `cost` and `msrp` into `prices`, which on
// entry holds the product's current classes (kept where no price is derived).
// Ok; Overflow when a derived price does not fit DECIMAL(13,4): then `prices` is left
// exactly as it was, so a product is never stored with some classes derived and others
// not.
QUAY_EXPORT DecimalStatus derivePriceClasses(const PriceClassRules& rules, const ClassPrice& cost,
                                             const ClassPrice& msrp, ClassPrices& prices);

// The same rule applied to a product record: PRD:COST and PRD:MSRP give
// PRD:PRICECLASS1 .. PRD:PRICECLASS6. Ok or Overflow (the record is then unchanged).
QUAY_EXPORT DecimalStatus applyPriceClasses(const Defaults& defaults, Products& product);

}  // namespace quay::core
