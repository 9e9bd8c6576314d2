// Loading a large schedule while the frame keeps ticking. A data set with N open
// entries with alarms (default 100,000) for one user is written once; then the
// alarm-list loader runs on its worker thread, as at start-up, while this thread
// plays the frame: a tick every 10 ms that reads the next alarm and looks it up in
// the list, as the alarm check does. Printed: the load time, the entries loaded and
// the longest gap between two ticks (the frame's responsiveness while loading).
//
//   schedule_load_bench [entries]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "quay/app/alarm_queue.h"
#include "quay/app/globals.h"
#include "quay/schedule/alarm_loader.h"
#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"
#include "quay/tables/schedule.h"

using namespace quay::core;
using Clock = std::chrono::steady_clock;

namespace {

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

bool writeSchedule(const std::string& dir, int entries) {
    Database db(dir);
    Handle<Schedule> h(db);
    if (h.create() != ErrorCode::None || h.open() != ErrorCode::None) return false;
    Transaction t(db, {&h});
    if (t.begin() != ErrorCode::None) return false;
    for (int i = 1; i <= entries; ++i) {
        h.clear();
        h.rec.SCHID = i;
        h.rec.UserID = "PAT";
        h.rec.ACTION = "Follow up on quote " + std::to_string(i);
        h.rec.ALARMDATE = 82000 + i % 400;
        h.rec.ALARMTIME = 1 + (i * 7919) % 8639999;
        if (h.add() != ErrorCode::None) return false;
    }
    return t.commit() == ErrorCode::None;
}

}  // namespace

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string pattern = (std::filesystem::temp_directory_path() / "schedule-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const std::string dir = pattern;
    const auto w0 = Clock::now();
    if (!writeSchedule(dir, entries)) {
        std::fprintf(stderr, "could not write the schedule\n");
        return 1;
    }
    std::printf("schedule written: %d entries in %.0f ms\n", entries, ms(Clock::now() - w0));

    AlarmQueue& queue = AlarmQueue::instance();
    WorkerThread loader(std::make_unique<AlarmLoadJob>("PAT", queue), dir);
    const auto start = Clock::now();
    loader.start();
    Clock::duration longest{};
    auto last = Clock::now();
    long ticks = 0;
    while (loader.state().outcome == WorkerOutcome::Running) {
        std::this_thread::sleep_until(last + std::chrono::milliseconds(10));
        const auto t = Clock::now();
        longest = std::max(longest, t - last);
        last = t;
        ++ticks;
        // What the frame's alarm check reads.
        const NextAlarm next = glo.nextAlarm();
        if (next.AlarmActive != 0) (void)queue.find(next.AlarmActive);
        (void)queue.count();
    }
    loader.wait();
    const auto loadTime = Clock::now() - start;
    std::printf("load: %.0f ms, %zu alarms queued, %ld ticks of 10 ms, longest gap between ticks %.1f ms\n",
                ms(loadTime), queue.count(), ticks, ms(longest));
    std::filesystem::remove_all(dir);
    return queue.count() == static_cast<std::size_t>(entries) ? 0 : 1;
}
