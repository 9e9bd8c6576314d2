// The description of Salesmen: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/salesmen.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Salesmen::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Salesmen", "SP", "salesmen.tps", sizeof(Salesmen));
        QUAY_FIELD(b, Salesmen, ACTIVE);
        QUAY_FIELD(b, Salesmen, Initials);
        QUAY_FIELD(b, Salesmen, NAME);
        QUAY_FIELD(b, Salesmen, FIRSTNAME);
        QUAY_FIELD(b, Salesmen, LASTNAME);
        QUAY_KEY(b, Salesmen, byInitials, {"Initials"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary,
                 "by Salesperson Initials");
        QUAY_KEY(b, Salesmen, byName, {"NAME"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Salesmen, byFirstName, {"FIRSTNAME"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Salesmen, ByActiveInitials, {"ACTIVE", "Initials"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Salesmen, ByActiveName, {"ACTIVE", "NAME"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Salesmen, ByActiveFirst, {"ACTIVE", "FIRSTNAME"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
