// Company defaults: the one record that configures the company (name and address
// on documents, default tax rates, price-class derivation, invoicing policies and the
// comments printed on documents). Only the first record in file order is used.
// File "defaults.tps", field prefix DEF.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Defaults {
    std::int32_t COMPANYNUM{};         // record number, 1 for the first record
    FixedString<35> COMPANYNAME;       // company name printed on documents
    FixedString<35> ADD1;              // address line 1
    FixedString<35> ADD2;              // address line 2
    FixedString<20> CITY;              // city
    FixedString<2> STATE;              // state
    FixedString<10> ZIPCODE;           // postal code, five digits, a dash and four digits
    FixedString<13> PHONE1;            // main phone, as the phone formatter leaves it
    FixedString<13> PHONE2;            // second phone
    FixedString<13> FAX;               // fax number
    FixedString<13> MODEM;             // modem number (not on the form)
    FixedString<35> EMAIL;             // e-mail address
    FixedString<50> WEBADR;            // web address
    std::uint8_t PRINTNAME{};          // 1: print the company name on quotes and invoices
    std::uint8_t PRINTADDRESS{};       // 1: print the address
    std::uint8_t PRINTPHONE{};         // 1: print the non-blank phone numbers
    std::uint8_t PRINTEMAIL{};         // 1: print the e-mail address
    std::uint8_t PRINTWWW{};           // 1: print the web address
    FixedString<1> CREDITLIMIT;        // credit-limit policy at invoicing: "I" ignore, "W" warn, "E"
                                       // enforce
    FixedString<1> LOWINVENTORY;       // low-stock policy: "I" ignore, "W" warn
    Decimal<9, 4> SALESTAX1;           // default sales tax 1 rate for new customers, percent
    Decimal<9, 4> SALESTAX2;           // default sales tax 2 rate, percent
    Decimal<9, 4> PRICECLASS1;         // percentage of price class 1
    FixedString<8> PC1METHOD;          // method of price class 1: "MARKUP", "MARGIN" or "DISCOUNT"
    Decimal<9, 4> PRICECLASS2;         // percentage of price class 2
    FixedString<8> PC2METHOD;          // method of price class 2: "MARKUP", "MARGIN" or "DISCOUNT"
    Decimal<9, 4> PRICECLASS3;         // percentage of price class 3
    FixedString<8> PC3METHOD;          // method of price class 3: "MARKUP", "MARGIN" or "DISCOUNT"
    Decimal<9, 4> PRICECLASS4;         // percentage of price class 4
    FixedString<8> PC4METHOD;          // method of price class 4: "MARKUP", "MARGIN" or "DISCOUNT"
    Decimal<9, 4> PRICECLASS5;         // percentage of price class 5
    FixedString<8> PC5METHOD;          // method of price class 5: "MARKUP", "MARGIN" or "DISCOUNT"
    Decimal<9, 4> PRICECLASS6;         // percentage of price class 6
    FixedString<8> PC6METHOD;          // method of price class 6: "MARKUP", "MARGIN" or "DISCOUNT"
    FixedString<1> ROUNDPC;            // rounding of derived class prices: "D" whole units, "C"
                                       // cents, "H" none
    std::int32_t DEFAULTTOAR{};        // 1: a new invoice goes to the customer's account (payment
                                       // starts at 0)
    std::uint8_t UPDATECOSTSATINV{};   // 1: on invoicing, line costs take the product's current cost
    FixedString<3> DEFAREACODE;        // area code put in front of seven-digit phone numbers
    std::uint8_t INVOICEAD{};          // 1: the quote and invoice print adds the program notice to
                                       // the footer
    std::int32_t FLAG1{};              // 1: print a packing list with each invoice by default
    std::int32_t SIGONQUOTES{};        // 1: print a signature line on quotes
    std::int32_t SIGONINV{};           // 1: print a signature line on invoices
    FixedString<20> LOGOFILE;          // logo image file in the program's directory; blank for none
    std::int32_t LOGINS{};             // spare, kept zero
    std::int32_t REQSALESMAN{};        // spare, kept zero
    std::int32_t REQTERMS{};           // spare, kept zero
    std::int32_t REQDELIVERYMETHOD{};  // spare, kept zero
    std::int32_t NOPRTDIALOGBOX{};     // spare, kept zero
    std::int32_t FLAG2{};              // spare, kept zero
    std::int32_t FLAG3{};              // spare, kept zero
    std::int32_t FLAG4{};              // spare, kept zero
    std::int32_t FLAG5{};              // spare, kept zero
    std::int32_t FLAG6{};              // spare, kept zero
    std::int32_t FLAG7{};              // spare, kept zero
    Decimal<13, 2> VALUE1;             // spare, kept zero
    Decimal<13, 2> VALUE2;             // spare, kept zero
    Decimal<13, 2> VALUE3;             // spare, kept zero
    Decimal<13, 2> VALUE4;             // spare, kept zero
    FixedString<20> USERID;            // spare, kept blank
    FixedString<20> USERID2;           // spare, kept blank
    FixedString<20> USERID3;           // spare, kept blank
    std::uint8_t MARKED{};             // spare, kept zero
    Memo<2400> InvComments;            // printed on all quotes and invoices
    Memo<2400> BillingComments;        // printed on current statements
    Memo<2400> Bill30Comments;         // printed on statements 30 days past due
    Memo<2400> Bill60Comments;         // printed on statements 60 days past due
    Memo<2400> Bill90Comments;         // printed on statements 90 or more days past due
    Memo<2400> POComment;              // printed on purchase orders

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byCompanyNum{0};  // COMPANYNUM; unique, primary
};

}  // namespace quay::core
