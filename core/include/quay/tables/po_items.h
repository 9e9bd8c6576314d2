// Purchase-order lines: the products ordered on a purchase order and how much of
// each has been received.
// File "POItems.tps", field prefix POI.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT POItems {
    std::int32_t POINUM{};       // line number; the identity
    std::int32_t PoNum{};        // purchase order (POH:PoNum)
    std::uint8_t RECEIVED{};     // 1 when the line is fully received
    std::int32_t BODATE{};       // backorder date
    std::int32_t RECDATE{};      // date received
    FixedString<20> PartNum;     // product (PRD:PartNum)
    FixedString<20> VenPartNum;  // the vendor's part number
    Decimal<13, 2> QTY;          // quantity ordered
    Decimal<13, 2> QTYRECEIVED;  // quantity received so far
    Decimal<13, 2> COST;         // unit cost
    Decimal<13, 2> LINECOST;     // line cost
    std::int32_t FLAG1{};        // spare, kept zero
    std::int32_t FLAG2{};        // spare, kept zero
    std::int32_t FLAG3{};        // spare, kept zero
    std::int32_t VLAG4{};        // spare, kept zero
    Decimal<13, 2> VALUE1;       // spare, kept zero
    Decimal<13, 2> VALUE2;       // spare, kept zero
    std::uint8_t MARKED{};       // spare, kept zero
    Memo<2400> Comments;         // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byPoiNum{0};      // POINUM; unique, primary
    static constexpr KeyId byPoNum{1};       // PoNum; duplicates, case-insensitive
    static constexpr KeyId byPoReceived{2};  // PoNum, RECEIVED; duplicates, case-insensitive
};

}  // namespace quay::core
