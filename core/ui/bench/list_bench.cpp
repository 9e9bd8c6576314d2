// How fast a list window opens and pages over a large table compared with a tiny
// one: builds a groups table of 1,000,000 records (kept between runs in the
// temporary directory) and one of 10, then times opening the list, paging forward
// and back, jumping to the end and locating a record in the middle, and prints the
// figures. Run: list_bench [records]  (default 1000000).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "quay/app/scripted_ui.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"
#include "quay/tables/groups.h"
#include "quay/ui/list_window.h"

using namespace quay::core;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

std::string groupName(long i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "G%09ld", i);
    return buf;
}

bool build(const std::string& dir, long records) {
    std::filesystem::create_directories(dir);
    Database db(dir);
    Handle<Groups> g(db);
    if (g.open() == ErrorCode::None && g.records() == records) return true;
    g.close();
    g.remove();
    if (g.create() != ErrorCode::None || g.open() != ErrorCode::None) return false;
    std::printf("building %ld records in %s ...\n", records, dir.c_str());
    const auto t = Clock::now();
    const long batch = 50000;
    for (long start = 0; start < records; start += batch) {
        Transaction tx(db, {&g});
        if (tx.begin() != ErrorCode::None) return false;
        for (long i = start; i < std::min(records, start + batch); ++i) {
            g.clear();
            // Written in a scattered order so the key order is not the file order.
            const long n = (i * 7919) % records;
            g.rec.GROUP = groupName(n);
            g.rec.ACTIVE = (n % 10 == 0) ? 0 : 1;
            if (g.add() != ErrorCode::None) return false;
        }
        if (tx.commit() != ErrorCode::None) return false;
    }
    std::printf("built in %.0f ms\n", msSince(t));
    return true;
}

ListSpec groupSpec() {
    ListSpec s;
    s.procedure = "GroupsBrowse";
    s.title = "Group List";
    s.formProcedure = "GroupForm";
    s.columns = {{"Group", 15}};
    s.format = rowCells<Groups>([](const Groups& g) { return std::vector<std::string>{g.GROUP.str()}; });
    s.tabs = {{"by &Group", Groups::ByActiveGroup, fieldOf(&Groups::GROUP)}};
    s.activeField = fieldOf(&Groups::ACTIVE);
    return s;
}

// Runs `what` `times` times and returns the mean milliseconds.
double timeIt(int times, const std::function<void()>& what) {
    const auto t = Clock::now();
    for (int i = 0; i < times; ++i) what();
    return msSince(t) / times;
}

void measure(const std::string& dir, long records) {
    Database db(dir);
    Handle<Groups> g(db);
    if (g.open() != ErrorCode::None) {
        std::printf("cannot open %s\n", dir.c_str());
        return;
    }
    ScriptedUi ui;
    std::printf("\n%ld records\n", records);
    double open = timeIt(20, [&] {
        ListWindow w(ui, g, groupSpec(), {});
        w.open();
    });
    std::printf("  open list (first page of %zu)         %8.3f ms\n", ListPager::kPageSize, open);

    ListWindow w(ui, g, groupSpec(), {});
    w.open();
    double forward = timeIt(50, [&] {
        if (w.fetchAfter() == 0) w.toStart();
        if (w.rowCount() > ListPager::kMaxRows) w.pager().dropFront(w.rowCount() - ListPager::kMaxRows);
    });
    std::printf("  page forward (100 rows)                %8.3f ms\n", forward);
    double end = timeIt(20, [&] { w.toEnd(); });
    std::printf("  jump to the end                        %8.3f ms\n", end);
    double back = timeIt(50, [&] {
        if (w.fetchBefore() == 0) w.toEnd();
        if (w.rowCount() > ListPager::kMaxRows) w.pager().dropBack(w.rowCount() - ListPager::kMaxRows);
    });
    std::printf("  page backward (100 rows)               %8.3f ms\n", back);
    long n = 0;
    double locate = timeIt(50, [&] { w.locate(groupName((n++ * 104729) % (records ? records : 1))); });
    std::printf("  locate a record (page around it)       %8.3f ms\n", locate);
    std::printf("  rows held after all of it              %8zu\n", w.rowCount());
    double all = timeIt(20, [&] { w.setActiveOnly(!w.activeOnly()); });
    std::printf("  toggle the Active box                  %8.3f ms\n", all);
}

}  // namespace

int main(int argc, char** argv) {
    const long big = argc > 1 ? std::atol(argv[1]) : 1000000;
    const std::string base = (std::filesystem::temp_directory_path() / "quay_list_bench").string();
    const std::string bigDir = base + "_" + std::to_string(big);
    const std::string smallDir = base + "_10";
    if (!build(bigDir, big) || !build(smallDir, 10)) {
        std::printf("could not build the tables\n");
        return 1;
    }
    measure(smallDir, 10);
    measure(bigDir, big);
    return 0;
}
