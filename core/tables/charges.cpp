// The description of Charges: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/charges.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Charges::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Charges", "CHG", "charges.tps", sizeof(Charges));
        QUAY_FIELD(b, Charges, Id);
        QUAY_FIELD(b, Charges, Customer);
        QUAY_FIELD(b, Charges, INVOICENUM);
        QUAY_FIELD(b, Charges, Paid);
        QUAY_FIELD(b, Charges, Date);
        QUAY_FIELD(b, Charges, REASON);
        QUAY_FIELD(b, Charges, AMOUNT);
        QUAY_FIELD(b, Charges, UNPAIDBAL);
        QUAY_FIELD(b, Charges, FLAG1);
        QUAY_FIELD(b, Charges, FLAG2);
        QUAY_FIELD(b, Charges, FLAG3);
        QUAY_FIELD(b, Charges, FLAG4);
        QUAY_FIELD(b, Charges, VALUE1);
        QUAY_FIELD(b, Charges, VALUE2);
        QUAY_FIELD(b, Charges, MARKED);
        QUAY_KEY(b, Charges, byId, {"Id"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary);
        QUAY_KEY(b, Charges, byCustomer, {"Customer"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Charges, byInvoiceNum, {"INVOICENUM"}, KeyFlag::Unique | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Charges, byCustPaidDate, {"Customer", "Paid", "Date"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Charges, byInvoiceDate, {"INVOICENUM", "Date"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Charges, byPaid, {"Paid"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
