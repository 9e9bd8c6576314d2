// CustRef: a second handle on the file of Customer (prefix CSR). Same record layout, same
// keys under the same names, its own buffer and position on the same records; used for
// choosing the bill-to customer in the customer form while the customer itself stays in the
// first buffer.
#pragma once

#include "quay/tables/customer.h"

namespace quay::core {

struct QUAY_EXPORT CustRef : Customer {
    static const TableDesc& desc();
};

}  // namespace quay::core
