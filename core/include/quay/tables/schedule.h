// Schedule entries: follow-up actions of one user, optionally about a customer,
// vendor, product, quote, invoice or purchase order, with an optional alarm.
// File "schedule.tps", field prefix SCH.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Schedule {
    std::int32_t SCHID{};          // entry number; the identity
    FixedString<20> UserID;        // user the entry belongs to (GLO:UserID)
    FixedString<35> Customer;      // customer concerned, or blank
    FixedString<35> VENDOR;        // vendor concerned, or blank
    FixedString<20> PRODUCT;       // product concerned, or blank
    std::int32_t QUOTENUM{};       // quote concerned, or 0
    std::int32_t INVOICENUM{};     // invoice concerned, or 0
    std::int32_t PONUM{};          // purchase order concerned, or 0
    FixedString<50> ACTION;        // the action to take
    std::int32_t ENTEREDDATE{};    // date entered
    std::int32_t ENTEREDTIME{};    // time entered
    std::int32_t ALARM{};          // spare, kept zero (an alarm is set when SCH:ALARMDATE is not 0)
    std::int32_t ALARMDATE{};      // alarm date
    std::int32_t ALARMTIME{};      // alarm time
    std::int32_t COMPLETEDDATE{};  // date completed
    std::int32_t COMPLETEDTIME{};  // time completed
    std::int32_t Completed{};      // 1 when done, 0 while open
    std::int32_t FLAG1{};          // spare, kept zero
    std::int32_t FLAG2{};          // spare, kept zero
    std::int32_t FLAG3{};          // spare, kept zero
    std::int32_t FLAG4{};          // spare, kept zero
    Memo<4000> Comments;           // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId bySchID{0};             // SCHID; unique, case-insensitive, primary
    static constexpr KeyId ByUsrCompAlarmDtTm{1};  // UserID, Completed, ALARMDATE, ALARMTIME; duplicates,
                                                   // case-insensitive
    static constexpr KeyId ByUsrAlarmDtTm{2};      // UserID, ALARMDATE, ALARMTIME; duplicates, case-insensitive
    static constexpr KeyId ByCustomerComp{3};      // Customer, Completed; duplicates, case-insensitive
    static constexpr KeyId ByVendorComp{4};        // VENDOR, Completed; duplicates, case-insensitive
    static constexpr KeyId ByProductComp{5};       // PRODUCT, Completed; duplicates, case-insensitive
    static constexpr KeyId ByQuoteComp{6};         // QUOTENUM, Completed; duplicates, case-insensitive
    static constexpr KeyId ByInvoiceComp{7};       // INVOICENUM, Completed; duplicates, case-insensitive
    static constexpr KeyId ByPoComp{8};            // PONUM, Completed; duplicates, case-insensitive
};

}  // namespace quay::core
