// The description of Schedule: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/schedule.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Schedule::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Schedule", "SCH", "schedule.tps", sizeof(Schedule));
        QUAY_FIELD(b, Schedule, SCHID);
        QUAY_FIELD(b, Schedule, UserID);
        QUAY_FIELD(b, Schedule, Customer);
        QUAY_FIELD(b, Schedule, VENDOR);
        QUAY_FIELD(b, Schedule, PRODUCT);
        QUAY_FIELD(b, Schedule, QUOTENUM);
        QUAY_FIELD(b, Schedule, INVOICENUM);
        QUAY_FIELD(b, Schedule, PONUM);
        QUAY_FIELD(b, Schedule, ACTION);
        QUAY_FIELD(b, Schedule, ENTEREDDATE);
        QUAY_FIELD(b, Schedule, ENTEREDTIME);
        QUAY_FIELD(b, Schedule, ALARM);
        QUAY_FIELD(b, Schedule, ALARMDATE);
        QUAY_FIELD(b, Schedule, ALARMTIME);
        QUAY_FIELD(b, Schedule, COMPLETEDDATE);
        QUAY_FIELD(b, Schedule, COMPLETEDTIME);
        QUAY_FIELD(b, Schedule, Completed);
        QUAY_FIELD(b, Schedule, FLAG1);
        QUAY_FIELD(b, Schedule, FLAG2);
        QUAY_FIELD(b, Schedule, FLAG3);
        QUAY_FIELD(b, Schedule, FLAG4);
        QUAY_FIELD(b, Schedule, Comments);
        QUAY_KEY(b, Schedule, bySchID, {"SCHID"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary);
        QUAY_KEY(b, Schedule, ByUsrCompAlarmDtTm, {"UserID", "Completed", "ALARMDATE", "ALARMTIME"},
                 KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Schedule, ByUsrAlarmDtTm, {"UserID", "ALARMDATE", "ALARMTIME"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Schedule, ByCustomerComp, {"Customer", "Completed"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Schedule, ByVendorComp, {"VENDOR", "Completed"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Schedule, ByProductComp, {"PRODUCT", "Completed"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Schedule, ByQuoteComp, {"QUOTENUM", "Completed"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Schedule, ByInvoiceComp, {"INVOICENUM", "Completed"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Schedule, ByPoComp, {"PONUM", "Completed"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
