// Customer payments: money received, and how much of it is not yet applied to charges.
// File "payments.tps", field prefix PAY.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Payments {
    std::int32_t Id{};         // payment number; the identity
    FixedString<35> Customer;  // customer (CUS:Name)
    std::uint8_t Applied{};    // 1 when the whole amount is applied to charges
    std::int32_t Date{};       // date received
    FixedString<15> Method;    // "Cash", "Check", "Credit", "Accounting" or "Other"
    FixedString<6> CHECKNUM;   // cheque number
    FixedString<10> BANKID;    // bank identification
    FixedString<20> CCNUM;     // card number
    std::int32_t EXPDATE{};    // card expiry date
    FixedString<35> CCNAME;    // name on the card
    FixedString<12> CCAUTH;    // card authorisation code
    FixedString<40> COMMENTS;  // comment
    Decimal<13, 2> AMOUNT;     // amount received
    Decimal<13, 2> UNAPPAMT;   // part of the amount not yet applied
    std::int32_t FLAG1{};      // spare, kept zero
    std::int32_t FLAG2{};      // spare, kept zero
    std::int32_t FLAG3{};      // spare, kept zero
    std::int32_t FLAG4{};      // spare, kept zero
    Decimal<13, 2> VALUE1;     // spare, kept zero
    Decimal<13, 2> VALUE2;     // spare, kept zero
    std::uint8_t MARKED{};     // spare, kept zero

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byId{0};            // Id; unique, case-insensitive, primary
    static constexpr KeyId byCustomer{1};      // Customer; duplicates, case-insensitive
    static constexpr KeyId byCustAppDate{2};   // Customer, Applied, Date; duplicates, case-insensitive
    static constexpr KeyId byCustCheckNum{3};  // Customer, CHECKNUM; duplicates, case-insensitive
    static constexpr KeyId byApplied{4};       // Applied; duplicates, case-insensitive
};

}  // namespace quay::core
