// The description of Comments: its fields in record order and its keys with their
// components, attributes and the labels "Duplicate Key Error" shows.
#include "quay/tables/comments.h"

#include "desc_builder.h"

namespace quay::core {

const TableDesc& Comments::desc() {
    static const TableDesc kDesc = [] {
        using detail::KeyFlag;
        detail::DescBuilder b("Comments", "CMT", "comments.tps", sizeof(Comments));
        QUAY_FIELD(b, Comments, CMTID);
        QUAY_FIELD(b, Comments, Customer);
        QUAY_FIELD(b, Comments, VENDOR);
        QUAY_FIELD(b, Comments, MANUFACTURER);
        QUAY_FIELD(b, Comments, CMTDATE);
        QUAY_FIELD(b, Comments, CMTTIME);
        QUAY_FIELD(b, Comments, SUBJECT);
        QUAY_FIELD(b, Comments, Notes);
        QUAY_KEY(b, Comments, ByCmtID, {"CMTID"}, KeyFlag::Unique | KeyFlag::NoCase | KeyFlag::Primary, "CMT:ByCmtID");
        QUAY_KEY(b, Comments, ByCustomer, {"Customer", "-CMTDATE", "-CMTTIME"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Comments, ByVendor, {"VENDOR", "-CMTDATE", "-CMTTIME"}, KeyFlag::Dup | KeyFlag::NoCase);
        QUAY_KEY(b, Comments, ByMfr, {"MANUFACTURER", "-CMTDATE", "-CMTTIME"}, KeyFlag::Dup | KeyFlag::NoCase);
        return b.build();
    }();
    return kDesc;
}

}  // namespace quay::core
