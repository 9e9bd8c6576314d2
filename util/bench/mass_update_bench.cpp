// The two mass updates on a large data set: "Mass Update Price Classes" over 200,000
// products and "Updating Customers" (the default sales taxes) over 1,000,000 customers.
//
// Each job runs as the program runs it: on a worker thread with a connection of its
// own, its reports handed to the window thread. Meanwhile the calling thread plays the
// window: it wakes every 10 ms, takes the job's state as the progress bar would and
// notes the longest gap between two wake-ups (the window stays responsive) and how
// many reports arrived and how many different positions the bar showed (the bar moves).
//
// The data sets are built once under <dir> (products-<n>, customers-<n>) and reused;
// the updates write the same values again on every run, so a run leaves them fit for
// the next.
//
//   mass_update_bench <dir> [scale] [prices|taxes]   scale 1: 200,000 products and
//                                                    1,000,000 customers
//
// Prints one RATIO line per figure: the figure, its target and figure / target.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>

#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/defaults/company_defaults.h"
#include "quay/store/transaction.h"
#include "quay/tables/customer.h"
#include "quay/tables/defaults.h"
#include "quay/tables/products.h"
#include "quay/ui/worker.h"
#include "quay/util/mass_update.h"

using namespace quay;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr double kTargetSeconds = 30.0;
constexpr auto kTick = std::chrono::milliseconds(10);

double ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

void ratio(const char* what, double value, double target, const char* unit) {
    std::printf("RATIO %-40s %10.2f %s  target %8.1f %s  ratio %.3f\n", what, value, unit, target, unit,
                value / target);
}

// The company record with all six price-class methods in use and both tax rates set.
bool company(core::Database& db) {
    core::ScriptedUi quiet;
    core::Handle<core::Defaults> d(db);
    if (core::openTable(quiet, d) != core::OpenOutcome::Opened) return false;
    if (core::GETCOMPANYDEFAULTS(d, 1) != 0 &&
        core::createCompanyRecord(db, d, core::CompanyCreation::FromDefaultsForm) != core::ErrorCode::None)
        return false;
    using Rate = core::Decimal<9, 4>;
    d.rec.PRICECLASS1 = Rate::fromScaled(250000);
    d.rec.PC1METHOD = "MARKUP";
    d.rec.PRICECLASS2 = Rate::fromScaled(200000);
    d.rec.PC2METHOD = "MARGIN";
    d.rec.PRICECLASS3 = Rate::fromScaled(100000);
    d.rec.PC3METHOD = "DISCOUNT";
    d.rec.PRICECLASS4 = Rate::fromScaled(400000);
    d.rec.PC4METHOD = "MARKUP";
    d.rec.PRICECLASS5 = Rate::fromScaled(300000);
    d.rec.PC5METHOD = "MARGIN";
    d.rec.PRICECLASS6 = Rate::fromScaled(150000);
    d.rec.PC6METHOD = "DISCOUNT";
    d.rec.ROUNDPC = "C";
    d.rec.SALESTAX1 = Rate::fromScaled(62500);
    d.rec.SALESTAX2 = Rate::fromScaled(15000);
    return d.put() == core::ErrorCode::None;
}

// Adds `count` records in transactions of 50,000, `one` filling record i.
template <class R>
bool fill(core::Database& db, long count, const std::function<void(R&, long)>& one) {
    core::ScriptedUi quiet;
    core::Handle<R> h(db);
    if (core::openTable(quiet, h) != core::OpenOutcome::Opened) return false;
    for (long start = 0; start < count; start += 50000) {
        core::Transaction tx(db, {&h});
        if (tx.begin() != core::ErrorCode::None) return false;
        for (long i = start; i < std::min(count, start + 50000); ++i) {
            h.clear();
            one(h.rec, i);
            if (h.add() != core::ErrorCode::None) return false;
        }
        if (tx.commit() != core::ErrorCode::None) return false;
    }
    return true;
}

void product(core::Products& p, long i) {
    char b[32];
    std::snprintf(b, sizeof b, "PN-%07ld", i);
    p.PartNum = b;
    std::snprintf(b, sizeof b, "Deck fitting %ld", (i * 7919) % 50000);
    p.DESCRIPTION = b;
    p.Active = 1;
    p.COST = core::Decimal<13, 4>::fromScaled(10000 + (i % 5000) * 137);
    p.MSRP = core::Decimal<13, 4>::fromScaled(20000 + (i % 5000) * 291);
    p.OnHand = core::Decimal<13, 2>::fromScaled((i % 400) * 100);
}

void customer(core::Customer& c, long i) {
    char b[32];
    std::snprintf(b, sizeof b, "Customer %07ld", i);
    c.Name = b;
    c.Active = 1;
    c.PRICECLASS = "1";
    c.TAX1EXEMPT = i % 10 == 0 ? 1 : 0;  // one in ten exempt from tax 1, one in seven from tax 2
    c.TAX2EXEMPT = i % 7 == 0 ? 1 : 0;
    c.SALESTAX1 = core::Decimal<13, 4>::fromScaled(50000);
    c.SALESTAX2 = core::Decimal<13, 4>::fromScaled(10000);
}

// The data set `name` under root, built by `make` the first time.
fs::path dataSet(const fs::path& root, const std::string& name, const std::function<bool(core::Database&)>& make) {
    const fs::path dir = root / name;
    if (fs::exists(dir / "built")) return dir;
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::printf("building %s ...\n", dir.c_str());
    std::fflush(stdout);
    const auto t0 = Clock::now();
    {
        core::Database db(dir.string());
        if (!company(db) || !make(db)) {
            std::fprintf(stderr, "mass_update_bench: building %s failed\n", dir.c_str());
            std::exit(1);
        }
    }
    std::FILE* f = std::fopen((dir / "built").c_str(), "w");
    if (f) std::fclose(f);
    std::printf("built in %.1f s\n", ms(t0, Clock::now()) / 1000);
    return dir;
}

// Runs `job` on a worker thread while this thread ticks as the window would.
bool runAsTheWindow(const char* title, std::unique_ptr<core::WorkerJob> job, const fs::path& dir, long records) {
    std::atomic<long> reports{0};
    core::WorkerThread worker(std::move(job), dir.string());
    worker.setListener([&reports](const core::WorkerState&) { reports.fetch_add(1, std::memory_order_relaxed); });
    std::set<long> barPositions;  // the percentages the bar showed
    double longestGap = 0;
    long ticks = 0;
    const auto t0 = Clock::now();
    worker.start();
    auto last = Clock::now();
    core::WorkerState state = worker.state();
    while (state.outcome == core::WorkerOutcome::Running) {
        std::this_thread::sleep_for(kTick);
        const auto now = Clock::now();
        longestGap = std::max(longestGap, ms(last, now));
        last = now;
        ++ticks;
        state = worker.state();
        if (state.total > 0) barPositions.insert(state.done * 100 / state.total);
    }
    worker.wait();
    const double seconds = ms(t0, Clock::now()) / 1000;

    std::printf("\n%s over %ld records: %s", title, records,
                state.outcome == core::WorkerOutcome::Finished ? "finished" : "did not finish");
    if (state.outcome == core::WorkerOutcome::Failed) std::printf(" (%s)", worker.job().failureText().c_str());
    std::printf(", %ld of %ld done, last text \"%s\"\n", state.done, state.total, state.text.c_str());
    std::string what = std::string(title) + " (s)";
    ratio(what.c_str(), seconds, kTargetSeconds, "s");
    std::printf(
        "  window ticks %ld, longest gap between ticks %.1f ms (tick 10 ms); %ld progress reports, "
        "bar showed %zu different percentages\n",
        ticks, longestGap, reports.load(), barPositions.size());
    return state.outcome == core::WorkerOutcome::Finished && seconds < kTargetSeconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mass_update_bench <dir> [scale] [prices|taxes]\n");
        return 2;
    }
    const fs::path root = argv[1];
    const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
    const std::string only = argc > 3 ? argv[3] : "";
    const long products = static_cast<long>(200000 * scale);
    const long customers = static_cast<long>(1000000 * scale);
    std::printf("scale %g: %ld products, %ld customers\n", scale, products, customers);
    bool all = true;
    if (only.empty() || only == "prices") {
        const fs::path dir = dataSet(root, "products-" + std::to_string(products), [products](core::Database& db) {
            return fill<core::Products>(db, products, product);
        });
        all = runAsTheWindow("MASSUPDATEPRICECLASSES", std::make_unique<util::PriceClassUpdateJob>(), dir, products) &&
              all;
    }
    if (only.empty() || only == "taxes") {
        const fs::path dir = dataSet(root, "customers-" + std::to_string(customers), [customers](core::Database& db) {
            return fill<core::Customer>(db, customers, customer);
        });
        all = runAsTheWindow("UPDATECUSTSALESTAXES", std::make_unique<util::CustomerTaxUpdateJob>(), dir, customers) &&
              all;
    }
    std::printf("%s\n", all ? "every figure within its target" : "some figures missed their target");
    return all ? 0 : 1;
}
