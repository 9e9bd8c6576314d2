// The description of ItemsOrd: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/items_ord.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& ItemsOrd::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("ItemsOrd", "ITE", "itemsord.tps", sizeof(ItemsOrd));
        QUAY_FIELD(b, ItemsOrd, IteNum);
        QUAY_FIELD(b, ItemsOrd, OrdNum);
        QUAY_FIELD(b, ItemsOrd, PartNum);
        QUAY_FIELD(b, ItemsOrd, GROUP);
        QUAY_FIELD(b, ItemsOrd, DESCRIPTION);
        QUAY_FIELD(b, ItemsOrd, COST);
        QUAY_FIELD(b, ItemsOrd, QTY);
        QUAY_FIELD(b, ItemsOrd, QTYDELIVERED);
        QUAY_FIELD(b, ItemsOrd, PRICE);
        QUAY_FIELD(b, ItemsOrd, TOTAL);
        QUAY_FIELD(b, ItemsOrd, SALESTAXABLE1);
        QUAY_FIELD(b, ItemsOrd, SALESTAXABLE2);
        QUAY_FIELD(b, ItemsOrd, BACKORDDATE);
        QUAY_FIELD(b, ItemsOrd, DUEDATE);
        QUAY_FIELD(b, ItemsOrd, DELIVERYDATE);
        QUAY_FIELD(b, ItemsOrd, TRACKSERIAL);
        QUAY_FIELD(b, ItemsOrd, FLAG1);
        QUAY_FIELD(b, ItemsOrd, FLAG2);
        QUAY_FIELD(b, ItemsOrd, FLAG3);
        QUAY_FIELD(b, ItemsOrd, FLAG4);
        QUAY_FIELD(b, ItemsOrd, VALUE1);
        QUAY_FIELD(b, ItemsOrd, VALUE2);
        QUAY_FIELD(b, ItemsOrd, MARKED);
        QUAY_FIELD(b, ItemsOrd, Comments);
        QUAY_KEY(b, ItemsOrd, byIteNum, {"IteNum"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary);
        QUAY_KEY(b, ItemsOrd, byOrdNum, {"OrdNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, ItemsOrd, byPartNum, {"PartNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, ItemsOrd, byGroup, {"GROUP"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
