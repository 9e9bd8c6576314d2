// The description of Manufact: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/manufact.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Manufact::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Manufact", "MFC", "manufact.tps", sizeof(Manufact));
        QUAY_FIELD(b, Manufact, ACTIVE);
        QUAY_FIELD(b, Manufact, NAME);
        QUAY_FIELD(b, Manufact, CONTACT);
        QUAY_FIELD(b, Manufact, ADDRESS1);
        QUAY_FIELD(b, Manufact, ADDRESS2);
        QUAY_FIELD(b, Manufact, CITY);
        QUAY_FIELD(b, Manufact, STATE);
        QUAY_FIELD(b, Manufact, ZIPCODE);
        QUAY_FIELD(b, Manufact, PHONE1);
        QUAY_FIELD(b, Manufact, PHONE2);
        QUAY_FIELD(b, Manufact, FAX);
        QUAY_FIELD(b, Manufact, EMAIL);
        QUAY_FIELD(b, Manufact, WEBADR);
        QUAY_FIELD(b, Manufact, FLAG1);
        QUAY_FIELD(b, Manufact, FLAG2);
        QUAY_FIELD(b, Manufact, FLAG3);
        QUAY_FIELD(b, Manufact, FLAG4);
        QUAY_FIELD(b, Manufact, VALUE1);
        QUAY_FIELD(b, Manufact, VALUE2);
        QUAY_FIELD(b, Manufact, MARKED);
        QUAY_KEY(b, Manufact, byName, {"NAME"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary, "by &Name");
        QUAY_KEY(b, Manufact, ByActiveName, {"ACTIVE", "NAME"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
