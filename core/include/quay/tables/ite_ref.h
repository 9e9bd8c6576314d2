// IteRef: a second handle on the file of ItemsOrd (prefix ITR). Same record layout, same
// keys under the same names, its own buffer and position on the same records; used for
// reading a source order's lines while the copy's lines are added.
#pragma once

#include "quay/tables/items_ord.h"

namespace quay::core {

struct QUAY_EXPORT IteRef : ItemsOrd {
    static const TableDesc& desc();
};

}  // namespace quay::core
