// The demo purchase orders. Each order is numbered and each line added as the PO and
// line forms add them, then stored with its on-order change through the ledger, and
// receiving goes through the ledger too, so stock on hand and on order agree with the
// orders exactly as a user's work would leave them.
#include "demo/demo_purchasing.h"

#include <map>
#include <vector>

#include "quay/app/scripted_ui.h"
#include "quay/app/table_access.h"
#include "quay/defaults/company_defaults.h"
#include "quay/masters/numbered_insert.h"
#include "quay/tables/defaults.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"
#include "quay/types/date.h"
#include "quay/util/po_ledger.h"

namespace quay::desk {

namespace {

struct Order {
    std::string vendor;
    std::vector<core::VenProds> parts;
    int daysAgo;
    enum class Receipt { None, FirstLine, Whole } receipt;
};

}  // namespace

std::string addDemoPurchasing(core::Database& db, DemoPurchasingSummary* summary) {
    core::ScriptedUi ui;
    core::HeldTable<core::Defaults> def(db, ui);
    core::HeldTable<core::PO> po(db, ui);
    core::HeldTable<core::POItems> lines(db, ui);
    core::HeldTable<core::VenProds> vpr(db, ui);
    core::HeldTable<core::Products> prd(db, ui);
    util::PoLedger ledger(db, ui);
    if (!def.isOpen() || !po.isOpen() || !lines.isOpen() || !vpr.isOpen() || !prd.isOpen() || !ledger.isOpen())
        return "The purchasing tables could not be opened.";
    if (core::GETCOMPANYDEFAULTS(def.handle, 1) != 0) return "The demo has no company record.";

    // What each vendor sells, in vendor order.
    std::map<std::string, std::vector<core::VenProds>> sells;
    std::vector<std::string> vendors;
    vpr.handle.set(core::VenProds::byVendor);
    while (vpr.handle.next() == core::ErrorCode::None) {
        const std::string v = vpr.rec().Vendor.str();
        if (!sells.count(v)) vendors.push_back(v);
        sells[v].push_back(vpr.rec());
    }
    if (vendors.empty()) return "The demo has no vendor part numbers to order.";

    std::vector<Order> orders;
    const int ages[] = {45, 30, 21, 9, 3};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::string& v = vendors[i % vendors.size()];
        Order o{v,
                {},
                ages[i],
                i < 2    ? Order::Receipt::Whole
                : i == 2 ? Order::Receipt::FirstLine
                         : Order::Receipt::None};
        const auto& parts = sells[v];
        for (std::size_t k = 0; k < parts.size() && k < 3; ++k) o.parts.push_back(parts[(k + i) % parts.size()]);
        orders.push_back(o);
    }

    DemoPurchasingSummary s;
    const core::Defaults& d = def.rec();
    const char* quantities[] = {"12", "24", "6"};
    for (const Order& o : orders) {
        po.handle.clear();
        core::PO& p = po.rec();
        p.Status = "Open";
        p.Vendor = o.vendor;
        p.PODATE = core::today() - o.daysAgo;
        p.SHIPDATE = p.PODATE + 7;
        p.SHIPTO = d.COMPANYNAME.view();
        p.ADDRESS = d.ADD1.view();
        p.CITYSTZIP = d.CITY.str() + ", " + d.STATE.str() + " " + d.ZIPCODE.str();
        (void)p.SHIPAMT.parse("12.50");
        if (core::addNumbered(db, ui, po.handle, core::PO::byPoNum, core::fieldOf(&core::PO::PoNum)) !=
            core::NumberedInsert::Added)
            return "A demo purchase order could not be numbered.";
        const std::int32_t poNum = p.PoNum;
        std::vector<std::int32_t> numbers;
        core::Decimal<13, 2> total = p.SHIPAMT;
        for (std::size_t k = 0; k < o.parts.size(); ++k) {
            lines.handle.clear();
            core::POItems& l = lines.rec();
            l.PoNum = poNum;
            l.PartNum = o.parts[k].PartNum.view();
            l.VenPartNum = o.parts[k].VENPARTNUM.view();
            (void)l.QTY.parse(quantities[k % 3]);
            prd.handle.clear();
            prd.rec().PartNum = l.PartNum.view();
            if (prd.handle.get(core::Products::byPartNum) == core::ErrorCode::None) (void)l.COST.assign(prd.rec().COST);
            (void)l.LINECOST.assign(l.QTY * l.COST);
            if (core::addNumbered(db, ui, lines.handle, core::POItems::byPoiNum,
                                  core::fieldOf(&core::POItems::POINUM)) != core::NumberedInsert::Added)
                return "A demo purchase-order line could not be numbered.";
            if (ledger.saveLine(lines.rec(), true) != util::LedgerOutcome::Done)
                return "A demo purchase-order line could not be stored.";
            (void)total.assign(total + l.LINECOST);
            numbers.push_back(l.POINUM);
            ++s.lines;
        }
        po.handle.clear();
        po.rec().PoNum = poNum;
        if (po.handle.get(core::PO::byPoNum) != core::ErrorCode::None) return "A demo purchase order went missing.";
        po.rec().ORDERTOTAL = total;
        if (po.handle.put() != core::ErrorCode::None) return "A demo purchase order could not be written.";

        if (o.receipt == Order::Receipt::Whole) {
            if (ledger.receiveOrder(poNum) != util::LedgerOutcome::Done)
                return "A demo purchase order was not received.";
            ++s.closedOrders;
        } else {
            if (o.receipt == Order::Receipt::FirstLine && !numbers.empty() &&
                ledger.markLine(numbers.front(), true) != util::LedgerOutcome::Done)
                return "A demo purchase-order line was not received.";
            ++s.openOrders;
        }
    }
    if (summary) *summary = s;
    return {};
}

}  // namespace quay::desk
