// Customer charges: what a customer owes, one charge per invoice plus charges and
// credits entered by hand. The unpaid balance is the amount less the applications.
// File "charges.tps", field prefix CHG.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Charges {
    std::int32_t Id{};          // charge number; the identity
    FixedString<35> Customer;   // customer (CUS:Name)
    std::int32_t INVOICENUM{};  // invoice charged; 0 for a charge entered by hand
    std::uint8_t Paid{};        // 1 when nothing is left unpaid
    std::int32_t Date{};        // charge date
    FixedString<40> REASON;     // text of the charge
    Decimal<13, 2> AMOUNT;      // amount charged (negative for a credit)
    Decimal<13, 2> UNPAIDBAL;   // amount still unpaid
    std::int32_t FLAG1{};       // spare, kept zero
    std::int32_t FLAG2{};       // spare, kept zero
    std::int32_t FLAG3{};       // spare, kept zero
    std::int32_t FLAG4{};       // spare, kept zero
    Decimal<13, 2> VALUE1;      // spare, kept zero
    Decimal<13, 2> VALUE2;      // spare, kept zero
    std::uint8_t MARKED{};      // spare, kept zero

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byId{0};            // Id; unique, case-insensitive, primary
    static constexpr KeyId byCustomer{1};      // Customer; duplicates, case-insensitive
    static constexpr KeyId byInvoiceNum{2};    // INVOICENUM; unique, optional, case-insensitive
    static constexpr KeyId byCustPaidDate{3};  // Customer, Paid, Date; duplicates, case-insensitive
    static constexpr KeyId byInvoiceDate{4};   // INVOICENUM, Date; duplicates, case-insensitive
    static constexpr KeyId byPaid{5};          // Paid; duplicates, case-insensitive
};

}  // namespace quay::core
