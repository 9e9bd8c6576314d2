// What the purchasing tests share: a data set with products, purchase orders and
// their lines written as another station would, and read back by number.
#pragma once

#include <string>

#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/tables/products.h"
#include "quay/tables/schedule.h"
#include "quay/tables/ven_prods.h"
#include "quay/tables/vendors.h"
#include "quay/testing/data_set_test.h"

namespace quay::util::testing {

using quay::testing::money;

class PoDataTest : public quay::testing::DataSetTest {
protected:
    PoDataTest() : DataSetTest("quay-po") {}

    void product(const std::string& part, const char* onHand, const char* onOrder, const char* cost = "10.0000") {
        core::Products p;
        p.PartNum = part;
        p.Active = 1;
        p.DESCRIPTION = "Description of " + part;
        p.COST = quay::testing::price(cost);
        p.OnHand = money(onHand);
        p.OnOrder = money(onOrder);
        store(p);
    }
    void order(std::int32_t poNum, const char* status = "Open", const std::string& vendor = "Northwind Parts") {
        core::PO p;
        p.PoNum = poNum;
        p.Status = status;
        p.Vendor = vendor;
        p.PODATE = 80000;
        store(p);
    }
    void line(std::int32_t poiNum, std::int32_t poNum, const std::string& part, const char* qty, bool received = false,
              const char* cost = "10.00") {
        core::POItems l;
        l.POINUM = poiNum;
        l.PoNum = poNum;
        l.PartNum = part;
        l.VenPartNum = "V-" + part;
        l.QTY = money(qty);
        l.COST = money(cost);
        (void)l.LINECOST.assign(l.QTY * l.COST);
        l.RECEIVED = received ? 1 : 0;
        store(l);
    }
    void vendor(const std::string& name) {
        core::Vendors v;
        v.NAME = name;
        store(v);
    }
    void vendorPart(std::int32_t id, const std::string& vendorName, const std::string& part,
                    const std::string& venPart) {
        core::VenProds v;
        v.VPRID = id;
        v.Vendor = vendorName;
        v.PartNum = part;
        v.VENPARTNUM = venPart;
        store(v);
    }

    core::Products productNamed(const std::string& part) {
        for (const auto& p : all<core::Products>())
            if (p.PartNum.view() == part) return p;
        ADD_FAILURE() << "no product " << part;
        return {};
    }
    core::POItems lineNumbered(std::int32_t poiNum) {
        for (const auto& l : all<core::POItems>())
            if (l.POINUM == poiNum) return l;
        ADD_FAILURE() << "no line " << poiNum;
        return {};
    }
    core::PO orderNumbered(std::int32_t poNum) {
        for (const auto& p : all<core::PO>())
            if (p.PoNum == poNum) return p;
        ADD_FAILURE() << "no PO " << poNum;
        return {};
    }
    // "on hand / on order" of a product, for compact assertions.
    std::string stock(const std::string& part) {
        const core::Products p = productNamed(part);
        return p.OnHand.toString() + " / " + p.OnOrder.toString();
    }
};

}  // namespace quay::util::testing
