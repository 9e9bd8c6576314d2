// The description of Payments: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/payments.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Payments::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Payments", "PAY", "payments.tps", sizeof(Payments));
        QUAY_FIELD(b, Payments, Id);
        QUAY_FIELD(b, Payments, Customer);
        QUAY_FIELD(b, Payments, Applied);
        QUAY_FIELD(b, Payments, Date);
        QUAY_FIELD(b, Payments, Method);
        QUAY_FIELD(b, Payments, CHECKNUM);
        QUAY_FIELD(b, Payments, BANKID);
        QUAY_FIELD(b, Payments, CCNUM);
        QUAY_FIELD(b, Payments, EXPDATE);
        QUAY_FIELD(b, Payments, CCNAME);
        QUAY_FIELD(b, Payments, CCAUTH);
        QUAY_FIELD(b, Payments, COMMENTS);
        QUAY_FIELD(b, Payments, AMOUNT);
        QUAY_FIELD(b, Payments, UNAPPAMT);
        QUAY_FIELD(b, Payments, FLAG1);
        QUAY_FIELD(b, Payments, FLAG2);
        QUAY_FIELD(b, Payments, FLAG3);
        QUAY_FIELD(b, Payments, FLAG4);
        QUAY_FIELD(b, Payments, VALUE1);
        QUAY_FIELD(b, Payments, VALUE2);
        QUAY_FIELD(b, Payments, MARKED);
        QUAY_KEY(b, Payments, byId, {"Id"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary, "by Payment Id");
        QUAY_KEY(b, Payments, byCustomer, {"Customer"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Payments, byCustAppDate, {"Customer", "Applied", "Date"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Payments, byCustCheckNum, {"Customer", "CHECKNUM"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Payments, byApplied, {"Applied"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
