// The description of POItems: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/po_items.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& POItems::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("POItems", "POI", "POItems.tps", sizeof(POItems));
        QUAY_FIELD(b, POItems, POINUM);
        QUAY_FIELD(b, POItems, PoNum);
        QUAY_FIELD(b, POItems, RECEIVED);
        QUAY_FIELD(b, POItems, BODATE);
        QUAY_FIELD(b, POItems, RECDATE);
        QUAY_FIELD(b, POItems, PartNum);
        QUAY_FIELD(b, POItems, VenPartNum);
        QUAY_FIELD(b, POItems, QTY);
        QUAY_FIELD(b, POItems, QTYRECEIVED);
        QUAY_FIELD(b, POItems, COST);
        QUAY_FIELD(b, POItems, LINECOST);
        QUAY_FIELD(b, POItems, FLAG1);
        QUAY_FIELD(b, POItems, FLAG2);
        QUAY_FIELD(b, POItems, FLAG3);
        QUAY_FIELD(b, POItems, VLAG4);
        QUAY_FIELD(b, POItems, VALUE1);
        QUAY_FIELD(b, POItems, VALUE2);
        QUAY_FIELD(b, POItems, MARKED);
        QUAY_FIELD(b, POItems, Comments);
        QUAY_KEY(b, POItems, byPoiNum, {"POINUM"}, KeyFlag::Unique | KeyFlag::Primary);
        QUAY_KEY(b, POItems, byPoNum, {"PoNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, POItems, byPoReceived, {"PoNum", "RECEIVED"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
