// The product list "Product List" (PRODUCTBROWSE): part number, group, description,
// stock on hand and on order, and the price of the price class in Glo:PriceClass,
// in the orders of the active keys, limited by the "Active" box.
#pragma once

#include <string_view>

#include "quay/export.h"
#include "quay/tables/products.h"
#include "quay/ui/list_window.h"

namespace quay::core {

// The Price column shows `pricePlaces` places: 4, as prices are kept, or 2 for a
// company that rounds its prices to cents (DEF:ROUNDPC "C"), as the product form does.
QUAY_EXPORT ListSpec productBrowseSpec(int pricePlaces = 4);

// The price a price class code selects: "1" to "6" the class prices, "C" the cost,
// any other code (such as "R") the MSRP. Trailing blanks and case are ignored.
QUAY_EXPORT Decimal<13, 4> classPrice(const Products& product, std::string_view code);

}  // namespace quay::core
