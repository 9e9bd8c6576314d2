// quay_demo_data <dir>: writes a ready demo data directory for trying Billquay.
#include <cstdio>

#include "demo/demo_data_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quay_demo_data <data directory>\n"
                             "Writes a demo company with its customers, products and vendors into a new folder.\n");
        return 2;
    }
    quay::desk::DemoSummary s;
    const std::string error = quay::desk::writeDemoData(argv[1], &s);
    if (!error.empty()) {
        std::fprintf(stderr, "quay_demo_data: %s\n", error.c_str());
        return 1;
    }
    std::printf("Demo data written to %s: %d customers, %d products, %d vendors (%d vendor part numbers), "
                "%d salespeople, %d terms, %d shipping methods, %d groups, %d manufacturers, %d tips.\n",
                argv[1], s.customers, s.products, s.vendors, s.vendorParts, s.salespeople, s.terms,
                s.shippingMethods, s.groups, s.manufacturers, s.tips);
    return 0;
}
