// The description of Groups: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/groups.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Groups::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Groups", "GRP", "groups.tps", sizeof(Groups));
        QUAY_FIELD(b, Groups, ACTIVE);
        QUAY_FIELD(b, Groups, GROUP);
        QUAY_KEY(b, Groups, byGroup, {"GROUP"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary, "by &Group");
        QUAY_KEY(b, Groups, ByActiveGroup, {"ACTIVE", "GROUP"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
