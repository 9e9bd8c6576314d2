// Applications of payments to charges: which payment paid how much of which charge.
// File "applied.tps", field prefix APP.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Applied {
    std::int32_t PayId{};        // payment (PAY:Id)
    std::int32_t ChgId{};        // charge (CHG:Id)
    std::int32_t DATEAPPLIED{};  // date of the application
    std::int32_t TIMEAPPLIED{};  // time of the application
    Decimal<13, 2> AMOUNT;       // amount of the payment applied to the charge
    std::int32_t FLAG1{};        // spare, kept zero
    std::int32_t FLAG2{};        // spare, kept zero
    std::int32_t FLAG3{};        // spare, kept zero
    std::int32_t FLAG4{};        // spare, kept zero
    Decimal<13, 2> VALUE1;       // spare, kept zero
    Decimal<13, 2> VALUE2;       // spare, kept zero
    std::uint8_t MARKED{};       // spare, kept zero

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byPayId{0};     // PayId; duplicates, case-insensitive
    static constexpr KeyId byChgId{1};     // ChgId; duplicates, case-insensitive
    static constexpr KeyId byChgPayId{2};  // ChgId, PayId; duplicates, case-insensitive
    static constexpr KeyId byDateTime{3};  // DATEAPPLIED, TIMEAPPLIED; duplicates, case-insensitive
};

}  // namespace quay::core
