// The description of VenProds: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/ven_prods.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& VenProds::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("VenProds", "VPR", "venprods.tps", sizeof(VenProds));
        QUAY_FIELD(b, VenProds, VPRID);
        QUAY_FIELD(b, VenProds, PartNum);
        QUAY_FIELD(b, VenProds, Vendor);
        QUAY_FIELD(b, VenProds, VENPARTNUM);
        QUAY_FIELD(b, VenProds, MARKED);
        QUAY_KEY(b, VenProds, byVPRId, {"VPRID"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary);
        QUAY_KEY(b, VenProds, byVendorVenPartNum, {"Vendor", "VENPARTNUM"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, VenProds, byPartNumVen, {"PartNum", "Vendor"}, KeyFlag::Unique | KeyFlag::NoCase,
                 "by &Part# / Vendor");
        QUAY_KEY(b, VenProds, byVenPartNum, {"VENPARTNUM"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, VenProds, byVendor, {"Vendor"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, VenProds, byPartNum, {"PartNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, VenProds, byVendorPartNum, {"Vendor", "PartNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
