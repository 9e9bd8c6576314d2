// The description of Serials: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/serials.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Serials::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Serials", "SER", "serials.tps", sizeof(Serials));
        QUAY_FIELD(b, Serials, ITENUM);
        QUAY_FIELD(b, Serials, SERIALNUMBER);
        QUAY_KEY(b, Serials, byIteNum, {"ITENUM"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Serials, bySerialIte, {"SERIALNUMBER", "ITENUM"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
