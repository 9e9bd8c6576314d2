// OrderRef: a second handle on the file of Orders (prefix ODR). Same record layout, same
// keys under the same names, its own buffer and position on the same records; used for
// fetching an order by number inside the quote print while another order is held.
#pragma once

#include "quay/tables/orders.h"

namespace quay::core {

struct QUAY_EXPORT OrderRef : Orders {
    static const TableDesc& desc();
};

}  // namespace quay::core
