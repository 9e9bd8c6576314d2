// Products: what the business sells and buys, with stock on hand, on order and on
// backorder and the six price classes. A product is identified by its part number.
// File "products.tps", field prefix PRD.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Products {
    FixedString<20> PartNum;       // part number; the product's identity
    std::uint8_t Active{};         // 1 active, 0 inactive
    FixedString<15> Group;         // product group (GRP:GROUP)
    FixedString<35> DESCRIPTION;   // description
    FixedString<35> MANUFACTURER;  // manufacturer name (MFC:NAME)
    Decimal<13, 4> COST;           // unit cost
    Decimal<13, 4> MSRP;           // suggested retail price
    Decimal<13, 4> PRICECLASS1;    // selling price in price class 1
    Decimal<13, 4> PRICECLASS2;    // price class 2
    Decimal<13, 4> PRICECLASS3;    // price class 3
    Decimal<13, 4> PRICECLASS4;    // price class 4
    Decimal<13, 4> PRICECLASS5;    // price class 5
    Decimal<13, 4> PRICECLASS6;    // price class 6
    Decimal<13, 2> OnHand;         // quantity on hand
    Decimal<13, 2> OnOrder;        // quantity on order from vendors
    Decimal<13, 2> ONBKORD;        // quantity on backorder
    Decimal<13, 2> MinQty;         // minimum quantity to keep on hand
    std::uint8_t ADJUSTSTOCK{};    // 1 when selling and receiving change the stock
    FixedString<3> TRACKSERIAL;    // "YES", "NO" or "OPT": whether serial numbers are recorded
                                   // when sold
    FixedString<10> LOCATION;      // storage location
    FixedString<10> SIZE;          // size
    Decimal<13, 4> WEIGHT;         // weight
    std::uint8_t SALESTAXABLE1{};  // 1 when subject to sales tax 1
    std::uint8_t SALESTAXABLE2{};  // 1 when subject to sales tax 2
    std::int32_t FLAG1{};          // spare, kept zero
    std::int32_t FLAG2{};          // spare, kept zero
    std::int32_t FLAG3{};          // spare, kept zero
    std::int32_t FLAG4{};          // spare, kept zero
    Decimal<13, 2> VALUE1;         // spare, kept zero
    Decimal<13, 2> VALUE2;         // spare, kept zero
    std::uint8_t MARKED{};         // spare, kept zero
    Memo<2400> Comments;           // free text kept with the record
    Memo<2400> Remarks;            // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byPartNum{0};        // PartNum; unique, case-insensitive, primary
    static constexpr KeyId byGroup{1};          // Group; duplicates, case-insensitive
    static constexpr KeyId byDescription{2};    // DESCRIPTION; duplicates, optional, case-insensitive
    static constexpr KeyId byManufacturer{3};   // MANUFACTURER; duplicates, case-insensitive
    static constexpr KeyId ByActivePartNum{4};  // Active, PartNum; duplicates, case-insensitive
    static constexpr KeyId ByActiveGroup{5};    // Active, Group; duplicates, case-insensitive
    static constexpr KeyId ByActiveDesc{6};     // Active, DESCRIPTION; duplicates, case-insensitive
};

}  // namespace quay::core
