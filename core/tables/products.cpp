// The description of Products: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/products.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Products::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Products", "PRD", "products.tps", sizeof(Products));
        QUAY_FIELD(b, Products, PartNum);
        QUAY_FIELD(b, Products, Active);
        QUAY_FIELD(b, Products, Group);
        QUAY_FIELD(b, Products, DESCRIPTION);
        QUAY_FIELD(b, Products, MANUFACTURER);
        QUAY_FIELD(b, Products, COST);
        QUAY_FIELD(b, Products, MSRP);
        QUAY_FIELD(b, Products, PRICECLASS1);
        QUAY_FIELD(b, Products, PRICECLASS2);
        QUAY_FIELD(b, Products, PRICECLASS3);
        QUAY_FIELD(b, Products, PRICECLASS4);
        QUAY_FIELD(b, Products, PRICECLASS5);
        QUAY_FIELD(b, Products, PRICECLASS6);
        QUAY_FIELD(b, Products, OnHand);
        QUAY_FIELD(b, Products, OnOrder);
        QUAY_FIELD(b, Products, ONBKORD);
        QUAY_FIELD(b, Products, MinQty);
        QUAY_FIELD(b, Products, ADJUSTSTOCK);
        QUAY_FIELD(b, Products, TRACKSERIAL);
        QUAY_FIELD(b, Products, LOCATION);
        QUAY_FIELD(b, Products, SIZE);
        QUAY_FIELD(b, Products, WEIGHT);
        QUAY_FIELD(b, Products, SALESTAXABLE1);
        QUAY_FIELD(b, Products, SALESTAXABLE2);
        QUAY_FIELD(b, Products, FLAG1);
        QUAY_FIELD(b, Products, FLAG2);
        QUAY_FIELD(b, Products, FLAG3);
        QUAY_FIELD(b, Products, FLAG4);
        QUAY_FIELD(b, Products, VALUE1);
        QUAY_FIELD(b, Products, VALUE2);
        QUAY_FIELD(b, Products, MARKED);
        QUAY_FIELD(b, Products, Comments);
        QUAY_FIELD(b, Products, Remarks);
        QUAY_KEY(b, Products, byPartNum, {"PartNum"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary,
                 "by &Part#");
        QUAY_KEY(b, Products, byGroup, {"Group"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Products, byDescription, {"DESCRIPTION"}, KeyFlag::Dup | KeyFlag::Optional | KeyFlag::NoCase);
        QUAY_KEY(b, Products, byManufacturer, {"MANUFACTURER"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Products, ByActivePartNum, {"Active", "PartNum"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Products, ByActiveGroup, {"Active", "Group"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Products, ByActiveDesc, {"Active", "DESCRIPTION"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
