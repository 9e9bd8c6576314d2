// Customers: the people and companies the business sells to on account. A customer
// is identified by its name; orders, charges, payments, notes and schedule entries refer
// to it by that text.
// File "customer.tps", field prefix CUS.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Customer {
    std::uint8_t Active{};       // 1 active, 0 inactive
    FixedString<35> Name;        // customer or company name; the customer's identity, referred to
                                 // by name from other tables
    std::uint8_t COMPANY{};      // 1 a company, 0 a person
    FixedString<15> FNAME;       // first name
    FixedString<20> LNAME;       // last name
    FixedString<35> ADDRESS1;    // address line 1
    FixedString<35> ADDRESS2;    // address line 2
    FixedString<20> CITY;        // city
    FixedString<3> STATE;        // state or country code
    FixedString<10> ZipCode;     // ZIP or postal code
    FixedString<13> PHONE1;      // main phone
    FixedString<5> EXTENSION;    // phone extension
    FixedString<13> PHONE2;      // second phone
    FixedString<13> FAX;         // fax number
    FixedString<50> EMAIL;       // e-mail address
    std::uint8_t TAX1EXEMPT{};   // 1 exempt from sales tax 1
    FixedString<20> TAXLIC1;     // sales-tax exemption licence number 1
    Decimal<13, 4> SALESTAX1;    // sales tax 1 rate, percent
    std::uint8_t TAX2EXEMPT{};   // 1 exempt from sales tax 2
    FixedString<20> TAXLIC2;     // exemption licence number 2
    Decimal<13, 4> SALESTAX2;    // sales tax 2 rate, percent
    FixedString<1> PRICECLASS;   // default price class: "1" to "6", "C" (cost) or "R" (retail)
    FixedString<35> BILLTO;      // name of the customer that is sent this customer's invoices;
                                 // blank for itself
    Decimal<13, 2> CREDITLIMIT;  // credit limit in money
    Decimal<13, 2> BALANCEDUE;   // account balance as last computed
    std::int32_t FLAG1{};        // spare, kept zero
    std::int32_t FLAG2{};        // spare, kept zero
    std::int32_t FLAG3{};        // spare, kept zero
    std::int32_t FLAG4{};        // spare, kept zero
    Decimal<13, 2> VALUE1;       // spare, kept zero
    Decimal<13, 2> VALUE2;       // spare, kept zero
    std::uint8_t MARKED{};       // spare, kept zero
    Memo<2400> Comments;         // free text kept with the record

    // ZIPGROUP: the postal code in three parts, over ZipCode's own characters.
    FixedSpan<10> ZIPGROUP() { return ZipCode.sub<0, 10>(); }
    FixedSpan<10, const char> ZIPGROUP() const { return ZipCode.sub<0, 10>(); }
    FixedSpan<5> ZIP() { return ZipCode.sub<0, 5>(); }
    FixedSpan<5, const char> ZIP() const { return ZipCode.sub<0, 5>(); }
    FixedSpan<1> DASH() { return ZipCode.sub<5, 1>(); }
    FixedSpan<1, const char> DASH() const { return ZipCode.sub<5, 1>(); }
    FixedSpan<4> ZIP4() { return ZipCode.sub<6, 4>(); }
    FixedSpan<4, const char> ZIP4() const { return ZipCode.sub<6, 4>(); }

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byName{0};         // Name; unique, case-insensitive, primary
    static constexpr KeyId byFirstName{1};    // FNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byLastName{2};     // LNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byZip{3};          // ZipCode; duplicates, optional, case-insensitive
    static constexpr KeyId byActiveName{4};   // Active, Name; duplicates, optional, case-insensitive
    static constexpr KeyId byActiveFName{5};  // Active, FNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byActiveLName{6};  // Active, LNAME; duplicates, optional, case-insensitive
    static constexpr KeyId byBillTo{7};       // BILLTO; duplicates, optional, case-insensitive
};

}  // namespace quay::core
