// The product reports' pick lists.
#include "quay/reports/select/product_picks.h"

#include "quay/tools/pick_queues.h"

namespace quay::reports {

using core::ErrorCode;

ProductPicks ProductPicks::fromLists() {
    ProductPicks p;
    p.vendors = PickFilter(core::pick::Ven::Queue);
    p.makers = PickFilter(core::pick::Mfr::Queue);
    p.groups = PickFilter(core::pick::Groups::Queue);
    p.parts = PickFilter(core::pick::Prd::Queue);
    return p;
}

bool ProductPicks::accepts(const core::Products& p, core::Handle<core::VenProds>& venProds) {
    if (vendors.inUse() && !soldByPickedVendor(p, venProds)) return false;
    return makers.accepts(p.MANUFACTURER.view()) && groups.accepts(p.Group.view()) && parts.accepts(p.PartNum.view());
}

bool ProductPicks::soldByPickedVendor(const core::Products& product, core::Handle<core::VenProds>& venProds) {
    const std::string part = product.PartNum.str();
    venProds.clear();
    venProds.rec.PartNum = part;
    ErrorCode e = venProds.setAtKey(core::VenProds::byPartNum);
    while (e == ErrorCode::None) {
        e = venProds.next();
        if (e != ErrorCode::None || venProds.rec.PartNum != part) break;
        if (vendors.accepts(venProds.rec.Vendor.view())) return true;
    }
    if (e != ErrorCode::None && e != ErrorCode::RecordNotAvailable) m_readFailed = true;
    return false;
}

}  // namespace quay::reports
