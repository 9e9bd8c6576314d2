// The rule table. Beyond the carries every master form has always made, a customer
// rename also reaches the customer's charges and payments, a vendor rename its
// purchase orders, and a part-number rename the order lines and purchase-order
// lines: each of those records names its master by text, and one left behind is
// orphaned (the A/R verification would delete a renamed customer's account).
// For the same reason a customer who still has charges or payments on the account
// cannot be deleted, just as one who still has orders cannot: deleting the customer
// would orphan the account records and lose them at the next verification.
#include "master_rules.h"

#include <cassert>
#include <string>

#include "quay/tables/all_tables.h"

namespace quay::core::detail {
namespace {

int field(const TableDesc& t, const char* name) {
    const int i = t.fieldIndex(name);
    assert(i >= 0 && "rule names a field the table lacks");
    return i;
}

Dependant dep(const TableDesc& t, std::optional<KeyId> key, const char* fieldName) {
    return Dependant{&t, key, field(t, fieldName)};
}

std::vector<MasterRule> buildRules() {
    const TableDesc& cus = Customer::desc();
    const TableDesc& prd = Products::desc();
    const TableDesc& ven = Vendors::desc();
    const TableDesc& mfc = Manufact::desc();
    const TableDesc& grp = Groups::desc();
    const TableDesc& cmt = Comments::desc();
    const TableDesc& ord = Orders::desc();
    const TableDesc& sch = Schedule::desc();
    const TableDesc& vpr = VenProds::desc();
    const TableDesc& chg = Charges::desc();
    const TableDesc& pay = Payments::desc();
    const TableDesc& app = Applied::desc();
    const TableDesc& po = PO::desc();
    const TableDesc& ite = ItemsOrd::desc();
    const TableDesc& poi = POItems::desc();

    std::vector<MasterRule> rules;

    rules.push_back(MasterRule{
        &cus,
        Customer::byName,
        field(cus, "Name"),
        {&app, &chg, &cmt, &ord, &sch, &pay},
        {&cmt, &ord, &sch, &chg, &pay},
        {dep(cmt, Comments::ByCustomer, "Customer"), dep(ord, Orders::byCustName, "CustName"),
         dep(sch, Schedule::ByCustomerComp, "Customer"), dep(chg, Charges::byCustomer, "Customer"),
         dep(pay, Payments::byCustomer, "Customer")},
        {{dep(cmt, Comments::ByCustomer, "Customer"), DeleteRule::Cascade},
         {dep(ord, Orders::byCustName, "CustName"), DeleteRule::Restrict},
         {dep(chg, Charges::byCustomer, "Customer"), DeleteRule::Restrict},
         {dep(pay, Payments::byCustomer, "Customer"), DeleteRule::Restrict},
         {dep(sch, Schedule::ByCustomerComp, "Customer"), DeleteRule::Cascade}},
    });

    rules.push_back(MasterRule{
        &ven,
        Vendors::byName,
        field(ven, "NAME"),
        {&cmt, &sch, &vpr, &po},
        {&cmt, &sch, &vpr},
        {dep(cmt, Comments::ByVendor, "VENDOR"), dep(sch, Schedule::ByVendorComp, "VENDOR"),
         dep(vpr, VenProds::byVendor, "Vendor"), dep(po, PO::byVendor, "Vendor")},
        {{dep(cmt, Comments::ByVendor, "VENDOR"), DeleteRule::Cascade},
         {dep(sch, Schedule::ByVendorComp, "VENDOR"), DeleteRule::Cascade},
         {dep(vpr, VenProds::byVendor, "Vendor"), DeleteRule::Cascade}},
    });

    rules.push_back(MasterRule{
        &prd,
        Products::byPartNum,
        field(prd, "PartNum"),
        {&sch, &vpr, &ite, &poi},
        {&sch, &vpr},
        {dep(sch, Schedule::ByProductComp, "PRODUCT"), dep(vpr, VenProds::byPartNum, "PartNum"),
         dep(ite, ItemsOrd::byPartNum, "PartNum"), dep(poi, std::nullopt, "PartNum")},
        {{dep(sch, Schedule::ByProductComp, "PRODUCT"), DeleteRule::Cascade},
         {dep(vpr, VenProds::byPartNum, "PartNum"), DeleteRule::Cascade}},
    });

    rules.push_back(MasterRule{
        &mfc,
        Manufact::byName,
        field(mfc, "NAME"),
        {&cmt, &prd, &sch, &vpr},
        {&cmt, &prd},
        {dep(cmt, Comments::ByMfr, "MANUFACTURER"), dep(prd, Products::byManufacturer, "MANUFACTURER")},
        {{dep(cmt, Comments::ByMfr, "MANUFACTURER"), DeleteRule::Cascade},
         {dep(prd, Products::byManufacturer, "MANUFACTURER"), DeleteRule::Restrict}},
    });

    rules.push_back(MasterRule{
        &grp,
        Groups::byGroup,
        field(grp, "GROUP"),
        {&prd, &sch, &vpr},
        {&prd},
        {dep(prd, Products::byGroup, "Group")},
        {{dep(prd, Products::byGroup, "Group"), DeleteRule::Restrict}},
    });

    rules.push_back(MasterRule{&Salesmen::desc(), Salesmen::byInitials, -1, {}, {}, {}, {}});
    rules.push_back(MasterRule{&Terms::desc(), Terms::byTerms, -1, {}, {}, {}, {}});
    rules.push_back(MasterRule{&ShipMthd::desc(), ShipMthd::byShipVia, -1, {}, {}, {}, {}});
    rules.push_back(MasterRule{&vpr, VenProds::byVPRId, -1, {}, {}, {}, {}});
    rules.push_back(MasterRule{&cmt, Comments::ByCmtID, -1, {}, {}, {}, {}});
    return rules;
}

}  // namespace

const MasterRule* masterRuleFor(const TableDesc& table) {
    static const std::vector<MasterRule> kRules = buildRules();
    // By file, so that a second handle on a master's file (CustRef, ProdRef) follows
    // the master's rules.
    for (const MasterRule& r : kRules) {
        if (r.master->fileName == table.fileName) return &r;
    }
    return nullptr;
}

MasterRule plainRuleFor(const TableDesc& table) {
    KeyId primary{0};
    for (std::size_t k = 0; k < table.keys.size(); ++k) {
        if (table.keys[k].primary) {
            primary = KeyId{static_cast<int>(k)};
            break;
        }
    }
    return MasterRule{&table, primary, -1, {}, {}, {}, {}};
}

}  // namespace quay::core::detail
