// The description of PO: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/po.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& PO::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("PO", "POH", "po.tps", sizeof(PO));
        QUAY_FIELD(b, PO, PoNum);
        QUAY_FIELD(b, PO, Status);
        QUAY_FIELD(b, PO, Vendor);
        QUAY_FIELD(b, PO, PODATE);
        QUAY_FIELD(b, PO, SHIPDATE);
        QUAY_FIELD(b, PO, RECDATE);
        QUAY_FIELD(b, PO, SHIPAMT);
        QUAY_FIELD(b, PO, OTHER);
        QUAY_FIELD(b, PO, ORDERTOTAL);
        QUAY_FIELD(b, PO, SHIPTO);
        QUAY_FIELD(b, PO, ADDRESS);
        QUAY_FIELD(b, PO, CITYSTZIP);
        QUAY_FIELD(b, PO, FLAG1);
        QUAY_FIELD(b, PO, FLAG2);
        QUAY_FIELD(b, PO, FLAG3);
        QUAY_FIELD(b, PO, FLAG4);
        QUAY_FIELD(b, PO, VALUE1);
        QUAY_FIELD(b, PO, VALUE2);
        QUAY_FIELD(b, PO, MARKED);
        QUAY_FIELD(b, PO, Comments);
        QUAY_KEY(b, PO, byPoNum, {"PoNum"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary);
        QUAY_KEY(b, PO, byVendor, {"Vendor"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, PO, byStatVendor, {"Status", "Vendor"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, PO, byStatusDate, {"Status", "PODATE"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
