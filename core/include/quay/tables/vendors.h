// Vendors: the suppliers purchase orders go to, identified by name.
// File "vendors.tps", field prefix VEN.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Vendors {
    std::uint8_t Active{};      // 1 active, 0 inactive
    std::uint8_t COMPANY{};     // 1 a company, 0 a person
    FixedString<35> NAME;       // vendor name; the vendor's identity
    FixedString<15> FIRSTNAME;  // contact first name
    FixedString<20> LASTNAME;   // contact last name
    FixedString<35> ADD1;       // address line 1
    FixedString<35> ADD2;       // address line 2
    FixedString<20> CITY;       // city
    FixedString<3> STATE;       // state or country code
    FixedString<10> ZIPCODE;    // ZIP or postal code
    FixedString<13> PHONE1;     // main phone
    FixedString<5> EXTENSION;   // phone extension
    FixedString<13> PHONE2;     // second phone
    FixedString<13> FAX;        // fax number
    FixedString<13> MOBILE;     // mobile number
    FixedString<13> PAGER;      // pager number
    FixedString<50> EMAIL;      // e-mail address
    FixedString<50> WEBADR;     // web address
    FixedString<20> TERMS;      // payment terms text
    std::int32_t FLAG1{};       // spare, kept zero
    std::int32_t FLAG2{};       // spare, kept zero
    std::int32_t FLAG3{};       // spare, kept zero
    std::int32_t FLAG4{};       // spare, kept zero
    Decimal<13, 2> VALUE1;      // spare, kept zero
    Decimal<13, 2> VALUE2;      // spare, kept zero
    std::uint8_t MARKED{};      // spare, kept zero
    Memo<2400> Comments;        // free text kept with the record

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
    static constexpr KeyId byName{0};             // NAME; unique, case-insensitive, primary
    static constexpr KeyId byFirstName{1};        // FIRSTNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byLastName{2};         // LASTNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byActiveName{3};       // Active, NAME; duplicates, optional, case-insensitive
    static constexpr KeyId byActiveFirstName{4};  // Active, FIRSTNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byActiveLastName{5};   // Active, LASTNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byZipCode{6};          // ZIP, the first five characters of ZIPCODE (kept as the whole
                                                  // ZIPCODE, which orders alike); duplicates, optional,
                                                  // case-insensitive
};

}  // namespace quay::core
