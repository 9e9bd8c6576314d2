// The description of ShipMthd: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/ship_mthd.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& ShipMthd::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("ShipMthd", "SHM", "shipmthd.tps", sizeof(ShipMthd));
        QUAY_FIELD(b, ShipMthd, SHIPVIA);
        QUAY_KEY(b, ShipMthd, byShipVia, {"SHIPVIA"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary,
                 "SHM:byShipVia");
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
