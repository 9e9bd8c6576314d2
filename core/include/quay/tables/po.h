// Purchase orders: orders to vendors, open until received and closed.
// File "po.tps", field prefix POH.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT PO {
    std::int32_t PoNum{};       // purchase-order number; the identity
    FixedString<6> Status;      // "Open" or "Closed"
    FixedString<35> Vendor;     // vendor (VEN:NAME)
    std::int32_t PODATE{};      // order date
    std::int32_t SHIPDATE{};    // expected ship date
    std::int32_t RECDATE{};     // date received
    Decimal<13, 2> SHIPAMT;     // shipping amount
    Decimal<13, 2> OTHER;       // other charges
    Decimal<13, 2> ORDERTOTAL;  // order total
    FixedString<35> SHIPTO;     // ship-to name
    FixedString<35> ADDRESS;    // ship-to address
    FixedString<35> CITYSTZIP;  // ship-to city, state and postal code in one line
    std::int32_t FLAG1{};       // spare, kept zero
    std::int32_t FLAG2{};       // spare, kept zero
    std::int32_t FLAG3{};       // spare, kept zero
    std::int32_t FLAG4{};       // spare, kept zero
    Decimal<13, 2> VALUE1;      // spare, kept zero
    Decimal<13, 2> VALUE2;      // spare, kept zero
    std::uint8_t MARKED{};      // spare, kept zero
    Memo<2400> Comments;        // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byPoNum{0};       // PoNum; unique, case-insensitive, primary
    static constexpr KeyId byVendor{1};      // Vendor; duplicates, case-insensitive
    static constexpr KeyId byStatVendor{2};  // Status, Vendor; duplicates, case-insensitive
    static constexpr KeyId byStatusDate{3};  // Status, PODATE; duplicates, case-insensitive
};

}  // namespace quay::core
