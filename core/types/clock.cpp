// Today's date and the current time from the workstation's local clock.
#include <chrono>
#include <ctime>

#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::core {

namespace {

struct LocalReading {
    std::tm tm{};
    int hundredths = 0;
};

LocalReading readLocalClock() {
    const auto t = std::chrono::system_clock::now();
    const std::time_t secs = std::chrono::system_clock::to_time_t(t);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count() % 1000;
    LocalReading r;
    localtime_r(&secs, &r.tm);
    r.hundredths = static_cast<int>((ms < 0 ? ms + 1000 : ms) / 10);
    return r;
}

}  // namespace

std::int32_t today() {
    const LocalReading r = readLocalClock();
    return dateFromCivil(r.tm.tm_year + 1900, r.tm.tm_mon + 1, r.tm.tm_mday).value_or(kNoDate);
}

std::int32_t now() {
    const LocalReading r = readLocalClock();
    // A leap second (tm_sec 60) is held at the last second of its minute.
    const int sec = r.tm.tm_sec > 59 ? 59 : r.tm.tm_sec;
    return timeFromClock(r.tm.tm_hour, r.tm.tm_min, sec, r.hundredths).value_or(kMidnight);
}

}  // namespace quay::core
