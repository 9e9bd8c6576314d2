// The description of TipOfDay: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/tip_of_day.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& TipOfDay::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("TipOfDay", "TIP", "tipofday.tps", sizeof(TipOfDay));
        QUAY_FIELD(b, TipOfDay, TIPID);
        QUAY_FIELD(b, TipOfDay, Comment);
        QUAY_KEY(b, TipOfDay, ByTipID, {"TIPID"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
