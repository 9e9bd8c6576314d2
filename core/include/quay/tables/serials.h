// Serial numbers sold: one record per unit sold on an order line that tracks serials.
// File "serials.tps", field prefix SER.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Serials {
    std::int32_t ITENUM{};         // order line (ITE:IteNum)
    FixedString<20> SERIALNUMBER;  // serial number of one unit sold on that line

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byIteNum{0};     // ITENUM; duplicates, case-insensitive
    static constexpr KeyId bySerialIte{1};  // SERIALNUMBER, ITENUM; duplicates, case-insensitive
};

}  // namespace quay::core
