// The description of Terms: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/terms.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Terms::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Terms", "TER", "Terms.tps", sizeof(Terms));
        QUAY_FIELD(b, Terms, TERMS);
        QUAY_KEY(b, Terms, byTerms, {"TERMS"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary, "TER:byTerms");
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
