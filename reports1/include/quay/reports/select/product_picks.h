// The four pick lists a product report filters by: vendors, manufacturers, product groups
// and products. A product passes when every list in use lets it through, tested in that
// order so the cheap tests on the product's own fields are reached only by the products a
// vendor list keeps. A product passes the vendor list when one of its vendor part numbers
// (VenProds, by VPR:byPartNum) names a marked vendor.
#pragma once

#include "quay/export.h"
#include "quay/reports/run/pick_filter.h"
#include "quay/store/table.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"

namespace quay::reports {

class QUAY_EXPORT ProductPicks {
public:
    ProductPicks() = default;
    // Copies of the four lists as they stand now (see PickFilter).
    static ProductPicks fromLists();

    // REQUIRES: venProds is open. A vendor part number that cannot be read counts as no
    // vendor; readFailed() then stays true and the report says so.
    bool accepts(const core::Products& product, core::Handle<core::VenProds>& venProds);
    bool readFailed() const { return m_readFailed; }

    PickFilter vendors, makers, groups, parts;

private:
    bool soldByPickedVendor(const core::Products& product, core::Handle<core::VenProds>& venProds);
    bool m_readFailed = false;
};

}  // namespace quay::reports
