// How fast "Product Counts" (BrowseProdCounts) opens and pages at 200,000 products:
// opening from a new connection, opening on each tab, paging down and back, jumping
// to the end, and locating a part number and a description, each beside its target.
//
// The products' descriptions repeat (one in four is shared with other products), so
// the description order has runs of equal keys to page through, as a real catalogue has.
//
//   prod_counts_bench <dir> [scale]   builds <dir>/scale-<s> once and reuses it;
//                                     scale 1: 200,000 products
//
// Prints one RATIO line per figure: the figure, its target and figure / target.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "counts/prod_counts.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/store/transaction.h"
#include "quay/tables/products.h"

using namespace quay;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr double kTargetMs = 100.0;

double ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

std::string partNum(long i) {
    char b[32];
    std::snprintf(b, sizeof b, "PN-%07ld", i);
    return b;
}

std::string description(long i) {
    static const char* const kinds[] = {"Deck fitting", "Hose clamp", "Shackle", "Bilge pump", "Cleat", "Winch handle"};
    char b[40];
    std::snprintf(b, sizeof b, "%s %ld", kinds[i % 6], (i * 7919) % 150000);
    return b;
}

bool build(const fs::path& dir, long products) {
    core::Database db(dir.string());
    core::ScriptedUi quiet;
    core::Handle<core::Products> prd(db);
    if (core::openTable(quiet, prd) != core::OpenOutcome::Opened) return false;
    for (long start = 0; start < products; start += 50000) {
        core::Transaction tx(db, {&prd});
        if (tx.begin() != core::ErrorCode::None) return false;
        for (long i = start; i < std::min(products, start + 50000); ++i) {
            prd.clear();
            prd.rec.PartNum = partNum(i);
            prd.rec.DESCRIPTION = description(i);
            prd.rec.Active = i % 9 == 0 ? 0 : 1;
            prd.rec.COST = core::Decimal<13, 4>::fromScaled(10000 + (i % 5000) * 137);
            prd.rec.OnHand = core::Decimal<13, 2>::fromScaled((i % 400) * 100);
            prd.rec.OnOrder = core::Decimal<13, 2>::fromScaled((i % 13) * 100);
            prd.rec.MinQty = core::Decimal<13, 2>::fromScaled((i % 20) * 100);
            if (prd.add() != core::ErrorCode::None) return false;
        }
        if (tx.commit() != core::ErrorCode::None) return false;
    }
    return true;
}

fs::path dataSet(const fs::path& root, double scale) {
    char b[32];
    std::snprintf(b, sizeof b, "scale-%g", scale);
    const fs::path dir = root / b;
    if (fs::exists(dir / "built")) return dir;
    fs::remove_all(dir);
    fs::create_directories(dir);
    const long products = static_cast<long>(200000 * scale);
    std::printf("building %s: %ld products ...\n", dir.c_str(), products);
    std::fflush(stdout);
    const auto t0 = Clock::now();
    if (!build(dir, products)) {
        std::fprintf(stderr, "prod_counts_bench: building the data set failed\n");
        std::exit(1);
    }
    std::FILE* f = std::fopen((dir / "built").c_str(), "w");
    if (f) std::fclose(f);
    std::printf("built in %.1f s\n", ms(t0, Clock::now()) / 1000);
    return dir;
}

// The mean time of `times` runs of `what`, in ms.
double timeIt(int times, const std::function<void()>& what) {
    const auto t0 = Clock::now();
    for (int i = 0; i < times; ++i) what();
    return ms(t0, Clock::now()) / times;
}

bool ratio(const char* what, double value) {
    std::printf("RATIO %-40s %10.3f ms  target %8.1f ms  ratio %.3f\n", what, value, kTargetMs, value / kTargetMs);
    return value < kTargetMs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: prod_counts_bench <dir> [scale]\n");
        return 2;
    }
    const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
    const fs::path dir = dataSet(argv[1], scale);
    const long products = static_cast<long>(200000 * scale);
    std::printf("data set %s (scale %g): BrowseProdCounts over %ld products\n", dir.c_str(), scale, products);

    core::ScriptedUi ui;
    const core::WindowRequest none{};
    bool all = true;
    // From nothing, as the menu's choice does it: a connection, the products opened
    // through the open routine, the first page read.
    all = ratio("open from a new connection", timeIt(10,
                                                     [&] {
                                                         core::Database fresh(dir.string());
                                                         core::Handle<core::Products> prd(fresh);
                                                         if (core::openTable(ui, prd) != core::OpenOutcome::Opened)
                                                             std::exit(1);
                                                         core::ListWindow w(ui, prd, desk::prodCountsSpec(), none);
                                                         w.open();
                                                     })) &&
          all;

    core::Database db(dir.string());
    core::Handle<core::Products> prd(db);
    if (core::openTable(ui, prd) != core::OpenOutcome::Opened) {
        std::fprintf(stderr, "prod_counts_bench: cannot open the products in %s\n", dir.c_str());
        return 1;
    }
    const core::ListSpec spec = desk::prodCountsSpec();
    for (std::size_t tab = 0; tab < spec.tabs.size(); ++tab) {
        const std::string what = "open on \"" + spec.tabs[tab].caption + "\"";
        all = ratio(what.c_str(), timeIt(10,
                                         [&] {
                                             core::ListWindow w(ui, prd, spec, none);
                                             w.open();
                                             w.selectTab(static_cast<int>(tab));
                                         })) &&
              all;
    }
    for (std::size_t tab = 0; tab < spec.tabs.size(); ++tab) {
        core::ListWindow w(ui, prd, spec, none);
        w.open();
        w.selectTab(static_cast<int>(tab));
        const std::string by = " (" + spec.tabs[tab].caption + ")";
        all = ratio(("page down" + by).c_str(), timeIt(50,
                                                       [&] {
                                                           if (w.fetchAfter() == 0) w.toStart();
                                                       })) &&
              all;
        all = ratio(("page back" + by).c_str(), timeIt(50,
                                                       [&] {
                                                           if (w.fetchBefore() == 0) w.toEnd();
                                                       })) &&
              all;
        all = ratio(("jump to the end" + by).c_str(), timeIt(10, [&] { w.toEnd(); })) && all;
        long n = 0;
        if (tab == 0) {
            all = ratio(("locate a part number" + by).c_str(),
                        timeIt(20, [&] { w.setLocatorText(partNum((n++ * 7717) % products).substr(0, 8)); })) &&
                  all;
        } else {
            all = ratio(("locate a description" + by).c_str(),
                        timeIt(20, [&] { w.setLocatorText(description(n++ * 31).substr(0, 14)); })) &&
                  all;
        }
        std::printf("  %zu rows held after paging\n", w.rowCount());
    }
    std::printf("%s\n", all ? "every figure within its target" : "some figures missed their target");
    return all ? 0 : 1;
}
