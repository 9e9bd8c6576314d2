// Quotes and invoices: one record per order. An order is a quote while its status is
// "Q" and its invoice number 0, and an invoice once its status is "I" and its invoice
// number is positive; quotes stay out of the invoice-number key, which is unique.
// File "Orders.tps", field prefix ORD.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Orders {
    std::int32_t OrdNum{};        // order number (shown as the quote number); the order's identity
    std::int32_t InvoiceNum{};    // invoice number; 0 while the order is a quote
    FixedString<1> Status;        // "Q" quote, "I" invoice
    std::int32_t ENTRYDATE{};     // date the order was entered
    std::int32_t LASTMODDATE{};   // date of the last change
    std::int32_t OrdDate{};       // date of the quote or invoice
    FixedString<12> PONUM;        // the customer's purchase-order number
    FixedString<35> CustName;     // customer (CUS:Name)
    FixedString<35> BILLTO;       // customer billed (copied from CUS:BILLTO)
    FixedString<5> Salesperson;   // salesperson initials (SP:Initials)
    FixedString<15> TERMS;        // payment terms (TER:TERMS)
    FixedString<30> REFERENCE;    // free reference text
    FixedString<1> PRICECLASS;    // price class of the lines: "1" to "6", "C" or "R"
    FixedString<20> SHIPVIA;      // shipping method (SHM:SHIPVIA)
    FixedString<30> SHIPTRAK;     // shipment tracking number
    Decimal<13, 4> SLSTAXRATE1;   // sales tax 1 rate, percent
    Decimal<13, 4> SLSTAXRATE2;   // sales tax 2 rate, percent
    Decimal<13, 2> SLSTAXABLE1;   // amount subject to tax 1
    Decimal<13, 2> SLSTAXABLE2;   // amount subject to tax 2
    Decimal<13, 2> NONTAXABLE1;   // amount not subject to tax 1
    Decimal<13, 2> NONTAXABLE2;   // amount not subject to tax 2
    Decimal<13, 2> EXEMPT1;       // taxable amount exempted from tax 1 (exempt customer)
    Decimal<13, 2> EXEMPT2;       // taxable amount exempted from tax 2
    Decimal<13, 2> SALESTAX1;     // tax 1 amount
    Decimal<13, 2> SALESTAX2;     // tax 2 amount
    std::uint8_t TAX1EXEMPT{};    // 1 when the customer is exempt from tax 1
    std::uint8_t TAX2EXEMPT{};    // 1 when exempt from tax 2
    FixedString<20> TAXLIC1;      // exemption licence number 1
    FixedString<20> TAXLIC2;      // exemption licence number 2
    Decimal<13, 2> LISTSUB;       // sum of the line totals
    Decimal<13, 2> SUBTOTAL;      // subtotal
    Decimal<13, 2> SHIPPING;      // shipping charge
    Decimal<13, 2> HANDLING;      // handling charge
    Decimal<13, 2> COD;           // cash-on-delivery charge
    Decimal<13, 2> DISCOUNTPCT;   // discount percent
    Decimal<13, 2> DISCOUNT;      // discount amount
    Decimal<13, 2> SURCHARGEPCT;  // surcharge percent
    Decimal<13, 2> SURCHARGE;     // surcharge amount
    Decimal<13, 2> TOTAL;         // order total
    Decimal<13, 2> PROFIT;        // profit on the order
    Decimal<13, 2> DOWNPAYMENT;   // payment taken at invoice time
    FixedString<35> ST_NAME;      // ship-to name (blank: the customer's own address)
    FixedString<35> ST_ADD1;      // ship-to address line 1
    FixedString<35> ST_ADD2;      // ship-to address line 2
    FixedString<20> ST_CITY;      // ship-to city
    FixedString<3> ST_STATE;      // ship-to state or country
    FixedString<10> ST_ZIP;       // ship-to postal code
    FixedString<35> ST_ATTN;      // ship-to attention line
    FixedString<13> ST_PHONE;     // ship-to phone
    std::int32_t FLAG1{};         // spare, kept zero
    std::int32_t FLAG2{};         // spare, kept zero
    std::int32_t FLAG3{};         // spare, kept zero
    std::int32_t FLAG4{};         // spare, kept zero
    Decimal<13, 2> VALUE1;        // spare, kept zero
    Decimal<13, 2> VALUE2;        // spare, kept zero
    std::uint8_t MARKED{};        // spare, kept zero
    Memo<2400> Notes;             // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byOrdNum{0};           // OrdNum; unique, case-insensitive, primary
    static constexpr KeyId byInvoiceNum{1};       // InvoiceNum; unique, optional, case-insensitive
    static constexpr KeyId byStatus{2};           // Status; duplicates, case-insensitive
    static constexpr KeyId byCustName{3};         // CustName; duplicates, case-insensitive
    static constexpr KeyId byOrdDate{4};          // OrdDate; duplicates, case-insensitive
    static constexpr KeyId byCustNameOrdDate{5};  // CustName, OrdDate; duplicates, case-insensitive
    static constexpr KeyId byStatCustName{6};     // Status, CustName; duplicates, case-insensitive
    static constexpr KeyId byStatOrdNum{7};       // Status, OrdNum; duplicates, case-insensitive
    static constexpr KeyId byStatInvNum{8};       // Status, InvoiceNum; duplicates, case-insensitive
    static constexpr KeyId byStatOrdDate{9};      // Status, OrdDate; duplicates, case-insensitive
};

}  // namespace quay::core
