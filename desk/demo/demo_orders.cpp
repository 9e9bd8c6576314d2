// The demo orders rotate over the first forty customers and products: every third order
// stays a quote, the others become invoices, every second invoice paid in full at
// once. Products that track serial numbers get one number per unit sold.
#include "demo/demo_orders.h"

#include <vector>

#include "orders/order_save.h"
#include "orders/order_tables.h"
#include "orders/order_work.h"
#include "quay/app/scripted_ui.h"
#include "quay/defaults/company_defaults.h"
#include "quay/types/date.h"

namespace quay::desk {

using core::ErrorCode;

std::string addDemoOrders(core::Database& db, DemoOrdersSummary* summary) {
    core::ScriptedUi ui;
    bool payNow = false;
    ui.onWindow("SaveInvoiceForm", [&](const core::WindowRequest& r) {
        auto& o = *static_cast<core::Orders*>(r.table->buffer());
        if (payNow)
            o.DOWNPAYMENT = o.TOTAL;
        else
            o.DOWNPAYMENT.clear();
        core::WindowResponse w;
        w.response = core::Response::Completed;
        return w;
    });
    ui.onWindow("PostInvoicePayment", [](const core::WindowRequest& r) {
        auto& p = *static_cast<core::Payments*>(r.table->buffer());
        p.Method = "Check";
        p.CHECKNUM = "1042";
        core::WindowResponse w;
        w.response = core::Response::Completed;
        return w;
    });
    OrderTables t(db, ui);
    if (!t.isOpen()) return "The order tables could not be opened.";
    if (core::GETCOMPANYDEFAULTS(t.def.handle, 1) != 0) return "The data set has no company record.";
    t.def.handle.rec.CREDITLIMIT = "I";  // demo orders are not held back by credit limits

    std::vector<core::Customer> customers;
    t.cus.handle.set(core::Customer::byName);
    while (customers.size() < 40 && t.cus.handle.next() == ErrorCode::None)
        if (t.cus.handle.rec.Active == 1) customers.push_back(t.cus.handle.rec);
    std::vector<core::Products> products;
    t.prd.handle.set(core::Products::byPartNum);
    while (products.size() < 40 && t.prd.handle.next() == ErrorCode::None)
        if (t.prd.handle.rec.Active == 1) products.push_back(t.prd.handle.rec);
    if (customers.empty() || products.empty()) return "The data set has no active customers or products.";
    std::vector<std::string> salespeople;
    {
        core::Handle<core::Salesmen> sal(db);
        if (sal.open() == ErrorCode::None) {
            sal.set(core::Salesmen::byInitials);
            while (sal.next() == ErrorCode::None) salespeople.push_back(sal.rec.Initials.str());
            sal.close();
        }
    }

    DemoOrdersSummary s;
    // A year of trade: enough orders for the sales and quote reports to run to several
    // pages with every customer and salesperson in them.
    constexpr int kOrders = 150;
    for (int n = 0; n < kOrders; ++n) {
        const core::Customer& c = customers[static_cast<std::size_t>(n) % customers.size()];
        t.ord.handle.clear();
        core::Orders& o = t.ord.handle.rec;
        o.Status = "Q";
        o.CustName = c.Name.view();
        o.BILLTO = c.BILLTO.view();
        o.PRICECLASS = c.PRICECLASS.isBlank() ? std::string("1") : std::string(c.PRICECLASS.view());
        o.TAX1EXEMPT = c.TAX1EXEMPT;
        o.TAX2EXEMPT = c.TAX2EXEMPT;
        o.SLSTAXRATE1 = c.SALESTAX1;
        o.SLSTAXRATE2 = c.SALESTAX2;
        o.ENTRYDATE = o.OrdDate = core::today() - (kOrders - n) * 2;
        if (!salespeople.empty()) o.Salesperson = salespeople[static_cast<std::size_t>(n * 7 / 3) % salespeople.size()];
        o.REFERENCE = n % 3 == 0 ? "Estimate for the season" : "Standing order";
        if (n % 4 == 1) (void)o.SHIPPING.parse("12.50");
        OrderWork work;
        for (int k = 0; k < 2 + n % 3; ++k) {
            const core::Products& p = products[static_cast<std::size_t>(n * 3 + k) % products.size()];
            LineEntry l;
            l.PARTNUM = p.PartNum.view();
            l.DESCRIPTION = p.DESCRIPTION.view();
            l.GROUP = p.Group.view();
            l.COST = p.COST;
            l.SALESTAXABLE1 = p.SALESTAXABLE1;
            l.SALESTAXABLE2 = p.SALESTAXABLE2;
            l.TRACKSERIAL = p.TRACKSERIAL.view();
            (void)l.QTY.assign(1 + (n + k) % 3);
            const std::string_view cls = o.PRICECLASS.view();
            const core::Decimal<13, 4>* prices[] = {&p.PRICECLASS1, &p.PRICECLASS2, &p.PRICECLASS3,
                                                    &p.PRICECLASS4, &p.PRICECLASS5, &p.PRICECLASS6};
            l.PRICE = (cls.size() == 1 && cls[0] >= '1' && cls[0] <= '6') ? *prices[cls[0] - '1']
                      : cls == "C"                                        ? p.COST
                                                                          : p.MSRP;
            l.POSITION = work.nextPosition();
            if (computeLineTotal(l) != core::DecimalStatus::Ok) return "A demo line total does not fit.";
            work.lines.push_back(l);
            if (l.TRACKSERIAL.view() == "YES") {
                for (int u = 0; u < 1 + (n + k) % 3; ++u) {
                    work.serials.push_back(
                        {0, core::FixedString<20>("SN" + std::to_string(10000 + n * 100 + k * 10 + u)), l.POSITION});
                    ++s.serials;
                }
            }
        }
        LineSums sums;
        if (computeLineSums(o, work.lines, sums) != core::DecimalStatus::Ok ||
            computeOrderTotals(o, sums) != core::DecimalStatus::Ok)
            return "A demo order total does not fit.";
        core::Orders snapshot = o;
        const bool invoicing = n % 3 != 0;
        payNow = invoicing && n % 2 == 0;
        OrderSave save(ui, t, work, snapshot);
        if (save.run(invoicing, true) != core::Response::Completed)
            return ui.messages().empty() ? "A demo order could not be saved." : ui.messages().back().text;
        if (invoicing) {
            ++s.invoices;
            if (payNow) ++s.payments;
        } else {
            ++s.quotes;
        }
    }
    if (summary) *summary = s;
    return {};
}

}  // namespace quay::desk
