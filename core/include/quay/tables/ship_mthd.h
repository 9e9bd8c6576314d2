// Shipping methods: the texts offered for an order's "ship via".
// File "shipmthd.tps", field prefix SHM.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT ShipMthd {
    FixedString<20> SHIPVIA;  // shipping method name; the entry's identity

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byShipVia{0};  // SHIPVIA; unique, case-insensitive, primary
};

}  // namespace quay::core
