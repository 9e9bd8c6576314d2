// How fast "Purchase Orders" (BrowsePOs) opens and pages at 100,000 purchase orders:
// builds a data set of that many POs (one in five open, the vendors and dates
// scattered; kept between runs in the temporary directory), then times opening the
// list on each of its six tabs, paging forward and back, jumping to the end and
// locating a vendor, and prints each figure beside its target (100 ms).
// Run: po_list_bench [orders]  (default 100000).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "quay/app/scripted_ui.h"
#include "quay/store/database.h"
#include "quay/store/transaction.h"
#include "quay/tables/po.h"
#include "quay/util/po_lists.h"

using namespace quay;
using namespace quay::core;

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTargetMs = 100.0;

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

std::string vendorName(long i) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "Vendor %04ld Marine Supply", i);
    return buf;
}

bool build(const std::string& dir, long orders) {
    std::filesystem::create_directories(dir);
    Database db(dir);
    Handle<PO> po(db);
    if (po.open() == ErrorCode::None && po.records() == orders) return true;
    po.close();
    po.remove();
    if (po.create() != ErrorCode::None || po.open() != ErrorCode::None) return false;
    std::printf("building %ld purchase orders in %s ...\n", orders, dir.c_str());
    const auto t = Clock::now();
    const long batch = 20000;
    for (long start = 0; start < orders; start += batch) {
        Transaction tx(db, {&po});
        if (tx.begin() != ErrorCode::None) return false;
        for (long i = start; i < std::min(orders, start + batch); ++i) {
            po.clear();
            po.rec.PoNum = static_cast<std::int32_t>(i + 1);
            po.rec.Status = (i % 5 == 0) ? "Open" : "Closed";
            po.rec.Vendor = vendorName((i * 7919) % 2000);
            po.rec.PODATE = static_cast<std::int32_t>(80000 + (i * 104729) % 3000);
            po.rec.SHIPDATE = po.rec.PODATE + 7;
            (void)po.rec.ORDERTOTAL.assign(po.rec.ORDERTOTAL + Decimal<13, 2>(static_cast<std::int64_t>(i % 900)));
            if (po.add() != ErrorCode::None) return false;
        }
        if (tx.commit() != ErrorCode::None) return false;
    }
    std::printf("built in %.0f ms\n", msSince(t));
    return true;
}

double timeIt(int times, const std::function<void()>& what) {
    const auto t = Clock::now();
    for (int i = 0; i < times; ++i) what();
    return msSince(t) / times;
}

bool report(const char* what, double ms) {
    const bool ok = ms < kTargetMs;
    std::printf("  %-44s %9.3f ms   (target < %.0f ms) %s\n", what, ms, kTargetMs, ok ? "ok" : "MISSED");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const long orders = argc > 1 ? std::atol(argv[1]) : 100000;
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("quay_po_list_bench_" + std::to_string(orders))).string();
    if (!build(dir, orders)) {
        std::printf("could not build the purchase orders\n");
        return 1;
    }
    Database db(dir);
    ScriptedUi ui;
    util::BrowsePOs browse(db, ui);
    if (!browse.isOpen()) {
        std::printf("cannot open the purchase orders in %s\n", dir.c_str());
        return 1;
    }
    std::printf("\nBrowsePOs over %ld purchase orders\n", orders);
    bool all = true;
    // From nothing: a connection of its own, the window's tables opened through the open
    // routine, the first page read, as the menu's choice does it.
    all = report("open from a new connection", timeIt(10,
                                                      [&] {
                                                          Database fresh(dir);
                                                          util::BrowsePOs window(fresh, ui);
                                                          ListWindow w(ui, window.table(), window.spec(), {});
                                                          w.open();
                                                      })) &&
          all;
    const ListSpec spec = browse.spec();
    for (std::size_t tab = 0; tab < spec.tabs.size(); ++tab) {
        const double open = timeIt(10, [&] {
            ListWindow w(ui, browse.table(), browse.spec(), {});
            w.open();
            w.selectTab(static_cast<int>(tab));
        });
        all = report(("open on \"" + spec.tabs[tab].caption + "\"").c_str(), open) && all;
    }
    ListWindow w(ui, browse.table(), browse.spec(), {});
    w.open();
    all = report("page forward (100 rows)", timeIt(50,
                                                   [&] {
                                                       if (w.fetchAfter() == 0) w.toStart();
                                                   })) &&
          all;
    all = report("jump to the end", timeIt(10, [&] { w.toEnd(); })) && all;
    all = report("page backward (100 rows)", timeIt(50,
                                                    [&] {
                                                        if (w.fetchBefore() == 0) w.toEnd();
                                                    })) &&
          all;
    long n = 0;
    all =
        report("locate a vendor", timeIt(20, [&] { w.setLocatorText(vendorName((n++ * 31) % 2000).substr(0, 11)); })) &&
        all;
    w.selectTab(5);
    all = report("locate a PO number (by PO#)",
                 timeIt(20, [&] { w.setLocatorText(std::to_string((n++ * 7717) % orders)); })) &&
          all;
    std::printf("%s\n", all ? "every figure within its target" : "some figures missed their target");
    return all ? 0 : 1;
}
