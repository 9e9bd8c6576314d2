// Order lines: the lines of quotes and invoices, found by their order number.
// File "itemsord.tps", field prefix ITE.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT ItemsOrd {
    std::int32_t IteNum{};         // line number, 1 more than the highest in the table; the line's
                                   // identity
    std::int32_t OrdNum{};         // order (ORD:OrdNum)
    FixedString<20> PartNum;       // product (PRD:PartNum)
    FixedString<10> GROUP;         // the product's group, first 10 characters
    FixedString<35> DESCRIPTION;   // description
    Decimal<13, 4> COST;           // unit cost
    Decimal<13, 2> QTY;            // quantity ordered
    Decimal<13, 2> QTYDELIVERED;   // quantity delivered
    Decimal<13, 4> PRICE;          // unit price
    Decimal<13, 2> TOTAL;          // line total
    std::uint8_t SALESTAXABLE1{};  // 1 when subject to tax 1
    std::uint8_t SALESTAXABLE2{};  // 1 when subject to tax 2
    std::int32_t BACKORDDATE{};    // backorder date
    std::int32_t DUEDATE{};        // due date
    std::int32_t DELIVERYDATE{};   // delivery date
    FixedString<3> TRACKSERIAL;    // "YES", "NO" or "OPT", copied from the product
    std::int32_t FLAG1{};          // spare, kept zero
    std::int32_t FLAG2{};          // spare, kept zero
    std::int32_t FLAG3{};          // spare, kept zero
    std::int32_t FLAG4{};          // spare, kept zero
    Decimal<13, 2> VALUE1;         // spare, kept zero
    Decimal<13, 2> VALUE2;         // spare, kept zero
    std::uint8_t MARKED{};         // spare, kept zero
    Memo<2400> Comments;           // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byIteNum{0};   // IteNum; unique, case-insensitive, primary
    static constexpr KeyId byOrdNum{1};   // OrdNum; duplicates, case-insensitive
    static constexpr KeyId byPartNum{2};  // PartNum; duplicates, case-insensitive
    static constexpr KeyId byGroup{3};    // GROUP; duplicates, case-insensitive
};

}  // namespace quay::core
