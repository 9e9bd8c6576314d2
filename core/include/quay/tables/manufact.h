// Manufacturers: the makers of the products, identified by name.
// File "manufact.tps", field prefix MFC.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Manufact {
    std::uint8_t ACTIVE{};     // 1 active, 0 inactive
    FixedString<35> NAME;      // manufacturer name; the identity
    FixedString<35> CONTACT;   // contact person
    FixedString<35> ADDRESS1;  // address line 1
    FixedString<35> ADDRESS2;  // address line 2
    FixedString<20> CITY;      // city
    FixedString<3> STATE;      // state or country code
    FixedString<10> ZIPCODE;   // ZIP or postal code
    FixedString<13> PHONE1;    // main phone
    FixedString<13> PHONE2;    // second phone
    FixedString<13> FAX;       // fax number
    FixedString<50> EMAIL;     // e-mail address
    FixedString<50> WEBADR;    // web address
    std::int32_t FLAG1{};      // spare, kept zero
    std::int32_t FLAG2{};      // spare, kept zero
    std::int32_t FLAG3{};      // spare, kept zero
    std::int32_t FLAG4{};      // spare, kept zero
    Decimal<13, 2> VALUE1;     // spare, kept zero
    Decimal<13, 2> VALUE2;     // spare, kept zero
    std::uint8_t MARKED{};     // spare, kept zero

    // ZIPGROUP: the postal code in three parts, over ZIPCODE's own characters.
    FixedSpan<10> ZIPGROUP() { return ZIPCODE.sub<0, 10>(); }
    FixedSpan<10, const char> ZIPGROUP() const { return ZIPCODE.sub<0, 10>(); }
    FixedSpan<5> ZIP() { return ZIPCODE.sub<0, 5>(); }
    FixedSpan<5, const char> ZIP() const { return ZIPCODE.sub<0, 5>(); }
    FixedSpan<1> DASH() { return ZIPCODE.sub<5, 1>(); }
    FixedSpan<1, const char> DASH() const { return ZIPCODE.sub<5, 1>(); }
    FixedSpan<4> ZIP4() { return ZIPCODE.sub<6, 4>(); }
    FixedSpan<4, const char> ZIP4() const { return ZIPCODE.sub<6, 4>(); }

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byName{0};        // NAME; unique, case-insensitive, primary
    static constexpr KeyId ByActiveName{1};  // ACTIVE, NAME; duplicates, case-insensitive
};

}  // namespace quay::core
