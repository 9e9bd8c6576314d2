// The description of Vendors: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/vendors.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Vendors::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Vendors", "VEN", "vendors.tps", sizeof(Vendors));
        QUAY_FIELD(b, Vendors, Active);
        QUAY_FIELD(b, Vendors, COMPANY);
        QUAY_FIELD(b, Vendors, NAME);
        QUAY_FIELD(b, Vendors, FIRSTNAME);
        QUAY_FIELD(b, Vendors, LASTNAME);
        QUAY_FIELD(b, Vendors, ADD1);
        QUAY_FIELD(b, Vendors, ADD2);
        QUAY_FIELD(b, Vendors, CITY);
        QUAY_FIELD(b, Vendors, STATE);
        QUAY_FIELD(b, Vendors, ZIPCODE);
        QUAY_FIELD(b, Vendors, PHONE1);
        QUAY_FIELD(b, Vendors, EXTENSION);
        QUAY_FIELD(b, Vendors, PHONE2);
        QUAY_FIELD(b, Vendors, FAX);
        QUAY_FIELD(b, Vendors, MOBILE);
        QUAY_FIELD(b, Vendors, PAGER);
        QUAY_FIELD(b, Vendors, EMAIL);
        QUAY_FIELD(b, Vendors, WEBADR);
        QUAY_FIELD(b, Vendors, TERMS);
        QUAY_FIELD(b, Vendors, FLAG1);
        QUAY_FIELD(b, Vendors, FLAG2);
        QUAY_FIELD(b, Vendors, FLAG3);
        QUAY_FIELD(b, Vendors, FLAG4);
        QUAY_FIELD(b, Vendors, VALUE1);
        QUAY_FIELD(b, Vendors, VALUE2);
        QUAY_FIELD(b, Vendors, MARKED);
        QUAY_FIELD(b, Vendors, Comments);
        QUAY_KEY(b, Vendors, byName, {"NAME"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary, "by Vendor &Name");
        QUAY_KEY(b, Vendors, byFirstName, {"FIRSTNAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Vendors, byLastName, {"LASTNAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Vendors, byActiveName, {"Active", "NAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Vendors, byActiveFirstName, {"Active", "FIRSTNAME"},
                 KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Vendors, byActiveLastName, {"Active", "LASTNAME"},
                 KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Vendors, byZipCode, {"ZIPCODE"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
