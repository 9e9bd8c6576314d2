// AlarmQueue: the list of the user's pending schedule alarms (SCHQ) that the frame
// watches. Entries are kept sorted by SCHQ:EVENTID between operations; choosing the
// next alarm sorts by date, time and id and takes the first entry not yet shown.
//
// Thread-safe: the loader fills it on its own thread while the frame's timer reads
// it, so every operation holds the list's mutex. Lock order: the list, then the
// globals' alarm lock, never the other way.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "quay/app/globals.h"
#include "quay/export.h"

namespace quay::core {

// One entry (SCHQ:...).
struct AlarmEntry {
    std::int32_t EVENTDATE = 0;
    std::int32_t EVENTTIME = 0;
    std::int32_t EVENTID = 0;
    std::int32_t EVENTDONE = 0;  // 1 once its alarm window has been shown

    bool operator==(const AlarmEntry&) const = default;
};

class QUAY_EXPORT AlarmQueue {
public:
    AlarmQueue() = default;
    AlarmQueue(const AlarmQueue&) = delete;
    AlarmQueue& operator=(const AlarmQueue&) = delete;

    // The one list of the process.
    static AlarmQueue& instance();

    void clear();
    // Adds an entry (or replaces the one with the same id), keeping id order.
    void put(const AlarmEntry& entry);
    bool remove(std::int32_t eventId);
    std::optional<AlarmEntry> find(std::int32_t eventId) const;
    // Sets SCHQ:EVENTDONE of the entry; false when there is none.
    bool markDone(std::int32_t eventId);
    std::size_t count() const;
    std::vector<AlarmEntry> entries() const;  // in id order

    // The first entry by date, time and id whose EVENTDONE is 0; all zero when none.
    NextAlarm nextPending() const;

    // Chooses the next alarm: sets glo's next-alarm triple from nextPending() while
    // the list is locked, so a change made at the same time on another thread cannot
    // leave the globals naming an alarm the list no longer holds. Returns the triple.
    NextAlarm chooseNext();
    // Replaces every entry with `entries` (any order) and chooses the next alarm, in
    // one locked step: the loader's result.
    NextAlarm replace(std::vector<AlarmEntry> entries);
    // Brackets a load: changes made between beginLoad() and replace() (entries saved,
    // deleted or fired meanwhile) are kept and applied over the loaded entries, so a
    // load never undoes them. Every beginLoad() is matched by one endLoad().
    void beginLoad();
    void endLoad();

private:
    NextAlarm pendingLocked() const;

    mutable std::mutex m_mutex;
    std::vector<AlarmEntry> m_entries;                            // sorted on EVENTID
    int m_loads = 0;                                              // loads running
    std::map<std::int32_t, std::optional<AlarmEntry>> m_journal;  // changes while loading; nullopt = removed
};

}  // namespace quay::core
