// quay_demo_data <dir>: writes a ready demo data directory for trying Billquay.
#include <cstdio>

#include "demo/demo_data_set.h"
#include "demo/demo_accounts.h"
#include "demo/demo_orders.h"
#include "demo/demo_purchasing.h"
#include "quay/store/database.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: quay_demo_data <data directory>\n"
                     "Writes a demo company with its customers, products and vendors into a new folder.\n");
        return 2;
    }
    quay::desk::DemoSummary s;
    const std::string error = quay::desk::writeDemoData(argv[1], &s);
    if (!error.empty()) {
        std::fprintf(stderr, "quay_demo_data: %s\n", error.c_str());
        return 1;
    }
    std::printf(
        "Demo data written to %s: %d customers, %d products, %d vendors (%d vendor part numbers), "
        "%d salespeople, %d terms, %d shipping methods, %d groups, %d manufacturers, %d tips, "
        "%d schedule entries.\n",
        argv[1], s.customers, s.products, s.vendors, s.vendorParts, s.salespeople, s.terms, s.shippingMethods, s.groups,
        s.manufacturers, s.tips, s.scheduleEntries);

    // Orders go through the order save itself, so stock, charges, payments and balances
    // of the demo agree exactly as a user's work would leave them.
    quay::core::Database db(argv[1]);
    if (!db.isOpen()) {
        std::fprintf(stderr, "quay_demo_data: the demo data set could not be opened for its orders: %s\n",
                     db.driverErrorText().c_str());
        return 1;
    }
    quay::desk::DemoOrdersSummary o;
    const std::string orderError = quay::desk::addDemoOrders(db, &o);
    if (!orderError.empty()) {
        std::fprintf(stderr, "quay_demo_data: %s\n", orderError.c_str());
        return 1;
    }
    std::printf("Demo orders: %d quotes, %d invoices, %d payments, %d serial numbers.\n", o.quotes, o.invoices,
                o.payments, o.serials);
    quay::desk::DemoAccountsSummary a;
    const std::string accountError = quay::desk::addDemoAccounts(db, &a);
    if (!accountError.empty()) {
        std::fprintf(stderr, "quay_demo_data: %s\n", accountError.c_str());
        return 1;
    }
    std::printf("Demo accounts: %d charges, %d credits, %d payments.\n", a.charges, a.credits, a.payments);
    quay::desk::DemoPurchasingSummary p;
    const std::string purchasingError = quay::desk::addDemoPurchasing(db, &p);
    if (!purchasingError.empty()) {
        std::fprintf(stderr, "quay_demo_data: %s\n", purchasingError.c_str());
        return 1;
    }
    std::printf("Demo purchasing: %d open and %d closed purchase orders, %d lines.\n", p.openOrders, p.closedOrders,
                p.lines);
    return 0;
}
