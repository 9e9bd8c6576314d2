// The alarm list, sorted by id so a lookup is a binary search.
#include "quay/app/alarm_queue.h"

#include <algorithm>
#include <tuple>

namespace quay::core {

namespace {
template <class V>
auto byId(V& v, std::int32_t id) {
    return std::lower_bound(v.begin(), v.end(), id, [](const AlarmEntry& e, std::int32_t x) { return e.EVENTID < x; });
}
}  // namespace

AlarmQueue& AlarmQueue::instance() {
    static AlarmQueue queue;
    return queue;
}

void AlarmQueue::clear() {
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

void AlarmQueue::put(const AlarmEntry& entry) {
    std::lock_guard lock(m_mutex);
    auto it = byId(m_entries, entry.EVENTID);
    if (it != m_entries.end() && it->EVENTID == entry.EVENTID)
        *it = entry;
    else
        m_entries.insert(it, entry);
    if (m_loads > 0) m_journal[entry.EVENTID] = entry;
}

bool AlarmQueue::remove(std::int32_t eventId) {
    std::lock_guard lock(m_mutex);
    auto it = byId(m_entries, eventId);
    if (m_loads > 0) m_journal[eventId] = std::nullopt;
    if (it == m_entries.end() || it->EVENTID != eventId) return false;
    m_entries.erase(it);
    return true;
}

std::optional<AlarmEntry> AlarmQueue::find(std::int32_t eventId) const {
    std::lock_guard lock(m_mutex);
    auto it = byId(m_entries, eventId);
    if (it == m_entries.end() || it->EVENTID != eventId) return std::nullopt;
    return *it;
}

bool AlarmQueue::markDone(std::int32_t eventId) {
    std::lock_guard lock(m_mutex);
    auto it = byId(m_entries, eventId);
    if (it == m_entries.end() || it->EVENTID != eventId) return false;
    it->EVENTDONE = 1;
    if (m_loads > 0) m_journal[eventId] = *it;
    return true;
}

void AlarmQueue::beginLoad() {
    std::lock_guard lock(m_mutex);
    if (m_loads++ == 0) m_journal.clear();
}

void AlarmQueue::endLoad() {
    std::lock_guard lock(m_mutex);
    if (m_loads > 0 && --m_loads == 0) m_journal.clear();
}

std::size_t AlarmQueue::count() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}

std::vector<AlarmEntry> AlarmQueue::entries() const {
    std::lock_guard lock(m_mutex);
    return m_entries;
}

NextAlarm AlarmQueue::nextPending() const {
    std::lock_guard lock(m_mutex);
    return pendingLocked();
}

NextAlarm AlarmQueue::chooseNext() {
    std::lock_guard lock(m_mutex);
    const NextAlarm next = pendingLocked();
    glo.setNextAlarm(next);
    return next;
}

NextAlarm AlarmQueue::replace(std::vector<AlarmEntry> entries) {
    std::sort(entries.begin(), entries.end(),
              [](const AlarmEntry& a, const AlarmEntry& b) { return a.EVENTID < b.EVENTID; });
    // One entry per id: a record read twice (it moved in the key while being read)
    // keeps its last reading.
    std::vector<AlarmEntry> unique;
    unique.reserve(entries.size());
    for (const AlarmEntry& e : entries) {
        if (!unique.empty() && unique.back().EVENTID == e.EVENTID)
            unique.back() = e;
        else
            unique.push_back(e);
    }
    std::lock_guard lock(m_mutex);
    m_entries = std::move(unique);
    // Changes made while the entries were being read win over what was read: the
    // read may have passed an entry before it was saved, or read it before it was
    // completed or fired.
    for (const auto& [id, latest] : m_journal) {
        auto it = byId(m_entries, id);
        const bool present = it != m_entries.end() && it->EVENTID == id;
        if (latest && present)
            *it = *latest;
        else if (latest)
            m_entries.insert(it, *latest);
        else if (present)
            m_entries.erase(it);
    }
    const NextAlarm next = pendingLocked();
    glo.setNextAlarm(next);
    return next;
}

NextAlarm AlarmQueue::pendingLocked() const {
    const AlarmEntry* best = nullptr;
    for (const AlarmEntry& e : m_entries) {
        if (e.EVENTDONE != 0) continue;
        if (!best ||
            std::tie(e.EVENTDATE, e.EVENTTIME, e.EVENTID) < std::tie(best->EVENTDATE, best->EVENTTIME, best->EVENTID))
            best = &e;
    }
    if (!best) return {};
    return NextAlarm{best->EVENTID, best->EVENTDATE, best->EVENTTIME};
}

}  // namespace quay::core
