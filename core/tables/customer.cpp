// The description of Customer: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/customer.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Customer::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Customer", "CUS", "customer.tps", sizeof(Customer));
        QUAY_FIELD(b, Customer, Active);
        QUAY_FIELD(b, Customer, Name);
        QUAY_FIELD(b, Customer, COMPANY);
        QUAY_FIELD(b, Customer, FNAME);
        QUAY_FIELD(b, Customer, LNAME);
        QUAY_FIELD(b, Customer, ADDRESS1);
        QUAY_FIELD(b, Customer, ADDRESS2);
        QUAY_FIELD(b, Customer, CITY);
        QUAY_FIELD(b, Customer, STATE);
        QUAY_FIELD(b, Customer, ZipCode);
        QUAY_FIELD(b, Customer, PHONE1);
        QUAY_FIELD(b, Customer, EXTENSION);
        QUAY_FIELD(b, Customer, PHONE2);
        QUAY_FIELD(b, Customer, FAX);
        QUAY_FIELD(b, Customer, EMAIL);
        QUAY_FIELD(b, Customer, TAX1EXEMPT);
        QUAY_FIELD(b, Customer, TAXLIC1);
        QUAY_FIELD(b, Customer, SALESTAX1);
        QUAY_FIELD(b, Customer, TAX2EXEMPT);
        QUAY_FIELD(b, Customer, TAXLIC2);
        QUAY_FIELD(b, Customer, SALESTAX2);
        QUAY_FIELD(b, Customer, PRICECLASS);
        QUAY_FIELD(b, Customer, BILLTO);
        QUAY_FIELD(b, Customer, CREDITLIMIT);
        QUAY_FIELD(b, Customer, BALANCEDUE);
        QUAY_FIELD(b, Customer, FLAG1);
        QUAY_FIELD(b, Customer, FLAG2);
        QUAY_FIELD(b, Customer, FLAG3);
        QUAY_FIELD(b, Customer, FLAG4);
        QUAY_FIELD(b, Customer, VALUE1);
        QUAY_FIELD(b, Customer, VALUE2);
        QUAY_FIELD(b, Customer, MARKED);
        QUAY_FIELD(b, Customer, Comments);
        QUAY_KEY(b, Customer, byName, {"Name"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary,
                 "by Company / &Name");
        QUAY_KEY(b, Customer, byFirstName, {"FNAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Customer, byLastName, {"LNAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Customer, byZip, {"ZipCode"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Customer, byActiveName, {"Active", "Name"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Customer, byActiveFName, {"Active", "FNAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Customer, byActiveLName, {"Active", "LNAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Customer, byBillTo, {"BILLTO"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
