// The description of Applied: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/applied.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Applied::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Applied", "APP", "applied.tps", sizeof(Applied));
        QUAY_FIELD(b, Applied, PayId);
        QUAY_FIELD(b, Applied, ChgId);
        QUAY_FIELD(b, Applied, DATEAPPLIED);
        QUAY_FIELD(b, Applied, TIMEAPPLIED);
        QUAY_FIELD(b, Applied, AMOUNT);
        QUAY_FIELD(b, Applied, FLAG1);
        QUAY_FIELD(b, Applied, FLAG2);
        QUAY_FIELD(b, Applied, FLAG3);
        QUAY_FIELD(b, Applied, FLAG4);
        QUAY_FIELD(b, Applied, VALUE1);
        QUAY_FIELD(b, Applied, VALUE2);
        QUAY_FIELD(b, Applied, MARKED);
        QUAY_KEY(b, Applied, byPayId, {"PayId"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Applied, byChgId, {"ChgId"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Applied, byChgPayId, {"ChgId", "PayId"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Applied, byDateTime, {"DATEAPPLIED", "TIMEAPPLIED"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
