// Contact log: dated notes about a customer, a vendor or a manufacturer, listed
// newest first for each.
// File "comments.tps", field prefix CMT.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Comments {
    std::int32_t CMTID{};          // comment number, 1 more than the highest in use
    FixedString<35> Customer;      // customer name when the note is about a customer, else blank
    FixedString<35> VENDOR;        // vendor name when about a vendor, else blank
    FixedString<35> MANUFACTURER;  // manufacturer name when about a manufacturer, else blank
    std::int32_t CMTDATE{};        // date of the note
    std::int32_t CMTTIME{};        // time of the note
    FixedString<65> SUBJECT;       // subject line
    Memo<2400> Notes;              // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId ByCmtID{0};     // CMTID; unique, case-insensitive, primary
    static constexpr KeyId ByCustomer{1};  // Customer, CMTDATE descending, CMTTIME descending; duplicates,
                                           // case-insensitive
    static constexpr KeyId ByVendor{2};    // VENDOR, CMTDATE descending, CMTTIME descending; duplicates,
                                           // case-insensitive
    static constexpr KeyId ByMfr{3};       // MANUFACTURER, CMTDATE descending, CMTTIME descending; duplicates,
                                           // case-insensitive
};

}  // namespace quay::core
