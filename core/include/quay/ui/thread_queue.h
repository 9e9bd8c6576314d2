// ThreadQueue: the process-wide list of the open single-instance list windows
// ("QuoteList", "CustomerList", ...). Choosing a single list's menu command looks
// its name up here: when an entry exists the open window is brought to the front,
// otherwise the window is opened and its entry added; the window removes its entry
// when it closes.
//
// TQ:THREADID names the window that holds the entry; the desktop hands out these
// numbers (one per open window) and finds the window again by it.
//
// Thread-safe: every operation holds the list's mutex, and claim() looks up and
// adds in one step, so two threads choosing the same command open one window.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quay/export.h"

namespace quay::core {

// One entry of the list (TQ:...).
struct ThreadQueueEntry {
    std::string PROC;            // TQ:PROC, the list name
    std::int32_t MULTIPLE = 0;   // TQ:MULTIPLE, 0: one instance only
    std::int32_t INSTANCES = 1;  // TQ:INSTANCES
    std::int64_t THREADID = 0;   // TQ:THREADID, the window holding the entry

    bool operator==(const ThreadQueueEntry&) const = default;
};

class QUAY_EXPORT ThreadQueue {
public:
    ThreadQueue() = default;
    ThreadQueue(const ThreadQueue&) = delete;
    ThreadQueue& operator=(const ThreadQueue&) = delete;

    // The one list of the process.
    static ThreadQueue& instance();

    // The entry named `proc` (names compare exactly), or nullopt.
    std::optional<ThreadQueueEntry> find(std::string_view proc) const;

    // Adds `entry` unless an entry of the same name exists; the list stays sorted on
    // TQ:PROC. Returns true when added, false when the name was already taken (the
    // existing entry is unchanged).
    bool add(const ThreadQueueEntry& entry);

    // Looks `proc` up and, when absent, adds {proc, 0, 1, threadId} in the same step.
    // Returns nullopt when the entry was added (the caller's window now holds it) or
    // the existing entry (the caller brings that window to the front instead).
    std::optional<ThreadQueueEntry> claim(std::string_view proc, std::int64_t threadId);

    // Removes the entry named `proc`; returns whether there was one.
    bool remove(std::string_view proc);
    // Removes the entry `proc` only while window `threadId` holds it, so a window
    // closing late never removes the entry of the window opened after it.
    bool remove(std::string_view proc, std::int64_t threadId);

    // A copy of the entries, in TQ:PROC order.
    std::vector<ThreadQueueEntry> entries() const;
    std::size_t size() const;
    void clear();

private:
    std::vector<ThreadQueueEntry>::iterator lowerBound(std::string_view proc);
    std::vector<ThreadQueueEntry>::const_iterator lowerBound(std::string_view proc) const;

    mutable std::mutex m_mutex;
    std::vector<ThreadQueueEntry> m_entries;  // sorted on PROC, names unique
};

}  // namespace quay::core
