// ProdRef: a second handle on the file of Products (prefix PRR). Same record layout, same
// keys under the same names, its own buffer and position on the same records; used for
// looking up a second product while one product is held in the first buffer.
#pragma once

#include "quay/tables/products.h"

namespace quay::core {

struct QUAY_EXPORT ProdRef : Products {
    static const TableDesc& desc();
};

}  // namespace quay::core
