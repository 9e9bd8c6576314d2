// The single-instance window list, kept sorted on the list name so that lookups
// are a binary search and entries() comes out in TQ:PROC order.
#include "quay/ui/thread_queue.h"

#include <algorithm>

namespace quay::core {

ThreadQueue& ThreadQueue::instance() {
    static ThreadQueue queue;
    return queue;
}

std::vector<ThreadQueueEntry>::iterator ThreadQueue::lowerBound(std::string_view proc) {
    return std::lower_bound(m_entries.begin(), m_entries.end(), proc,
                            [](const ThreadQueueEntry& e, std::string_view p) { return e.PROC < p; });
}

std::vector<ThreadQueueEntry>::const_iterator ThreadQueue::lowerBound(std::string_view proc) const {
    return std::lower_bound(m_entries.begin(), m_entries.end(), proc,
                            [](const ThreadQueueEntry& e, std::string_view p) { return e.PROC < p; });
}

std::optional<ThreadQueueEntry> ThreadQueue::find(std::string_view proc) const {
    std::lock_guard lock(m_mutex);
    auto it = lowerBound(proc);
    if (it == m_entries.end() || it->PROC != proc) return std::nullopt;
    return *it;
}

bool ThreadQueue::add(const ThreadQueueEntry& entry) {
    std::lock_guard lock(m_mutex);
    auto it = lowerBound(entry.PROC);
    if (it != m_entries.end() && it->PROC == entry.PROC) return false;
    m_entries.insert(it, entry);
    return true;
}

std::optional<ThreadQueueEntry> ThreadQueue::claim(std::string_view proc, std::int64_t threadId) {
    std::lock_guard lock(m_mutex);
    auto it = lowerBound(proc);
    if (it != m_entries.end() && it->PROC == proc) return *it;
    m_entries.insert(it, ThreadQueueEntry{std::string(proc), 0, 1, threadId});
    return std::nullopt;
}

bool ThreadQueue::remove(std::string_view proc) {
    std::lock_guard lock(m_mutex);
    auto it = lowerBound(proc);
    if (it == m_entries.end() || it->PROC != proc) return false;
    m_entries.erase(it);
    return true;
}

bool ThreadQueue::remove(std::string_view proc, std::int64_t threadId) {
    std::lock_guard lock(m_mutex);
    auto it = lowerBound(proc);
    if (it == m_entries.end() || it->PROC != proc || it->THREADID != threadId) return false;
    m_entries.erase(it);
    return true;
}

std::vector<ThreadQueueEntry> ThreadQueue::entries() const {
    std::lock_guard lock(m_mutex);
    return m_entries;
}

std::size_t ThreadQueue::size() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

void ThreadQueue::clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

}  // namespace quay::core
