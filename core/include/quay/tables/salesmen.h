// Salespeople: identified by their initials, which orders carry.
// File "salesmen.tps", field prefix SP.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Salesmen {
    std::uint8_t ACTIVE{};      // 1 active, 0 inactive
    FixedString<5> Initials;    // initials or code; the salesperson's identity, stored in
                                // ORD:Salesperson
    FixedString<35> NAME;       // full name
    FixedString<15> FIRSTNAME;  // first name
    FixedString<20> LASTNAME;   // last name

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byInitials{0};        // Initials; unique, case-insensitive, primary
    static constexpr KeyId byName{1};            // NAME; duplicates, case-insensitive
    static constexpr KeyId byFirstName{2};       // FIRSTNAME; duplicates, optional, case-insensitive
    static constexpr KeyId ByActiveInitials{3};  // ACTIVE, Initials; duplicates, case-insensitive
    static constexpr KeyId ByActiveName{4};      // ACTIVE, NAME; duplicates, case-insensitive
    static constexpr KeyId ByActiveFirst{5};     // ACTIVE, FIRSTNAME; duplicates, case-insensitive
};

}  // namespace quay::core
