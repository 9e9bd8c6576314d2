// Today's date and the current time from the workstation's local clock, or from the
// fixed moment a test has set. The override is one atomic word (date in the high half,
// time in the low half, 0 for none), so readers on any thread never see half of it.
#include <atomic>
#include <cassert>
#include <chrono>
#include <ctime>

#include "quay/types/clock.h"
#include "quay/types/date.h"

namespace quay::core {

namespace {

std::atomic<std::int64_t> g_override{0};

std::int64_t pack(DateTime m) { return (static_cast<std::int64_t>(m.date) << 32) | static_cast<std::uint32_t>(m.time); }

DateTime unpack(std::int64_t v) {
    return DateTime{static_cast<std::int32_t>(v >> 32), static_cast<std::int32_t>(v & 0xFFFFFFFF)};
}

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
    if (const std::int64_t o = g_override.load(std::memory_order_acquire); o != 0) return unpack(o).date;
    const LocalReading r = readLocalClock();
    return dateFromCivil(r.tm.tm_year + 1900, r.tm.tm_mon + 1, r.tm.tm_mday).value_or(kNoDate);
}

std::int32_t now() {
    if (const std::int64_t o = g_override.load(std::memory_order_acquire); o != 0) return unpack(o).time;
    const LocalReading r = readLocalClock();
    // A leap second (tm_sec 60) is held at the last second of its minute.
    const int sec = r.tm.tm_sec > 59 ? 59 : r.tm.tm_sec;
    return timeFromClock(r.tm.tm_hour, r.tm.tm_min, sec, r.hundredths).value_or(kMidnight);
}

void setClockOverride(DateTime moment) {
    assert(isValidDate(moment.date) && isValidTime(moment.time));
    g_override.store(pack(moment), std::memory_order_release);
}

void clearClockOverride() { g_override.store(0, std::memory_order_release); }

ScopedClockOverride::ScopedClockOverride(DateTime moment) : m_previous(g_override.load(std::memory_order_acquire)) {
    setClockOverride(moment);
}

ScopedClockOverride::~ScopedClockOverride() { g_override.store(m_previous, std::memory_order_release); }

}  // namespace quay::core
