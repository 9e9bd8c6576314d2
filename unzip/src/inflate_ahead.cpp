// The inflate-ahead pool of one call. Its workers start with the first batch
// and end with the call. Buffers are mapped pages, not heap blocks: the
// calling thread maps and unmaps them, the workers only fill them, and one
// kept for the next batch costs no fresh pages. Large buffers ask for huge
// pages, which makes the first touch of a member's output cheap.
#include "inflate_ahead.h"

#include <libdeflate.h>
#include <sched.h>
#include <sys/mman.h>

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>

namespace zw::detail {
namespace {

constexpr size_t kPage = 4096;
constexpr size_t kHugePage = size_t(2) << 20;
// Small stacks: libdeflate keeps its tables in the decompressor, and eight
// workers of the default size would take 64 MiB of a 32-bit address space.
constexpr size_t kWorkerStack = size_t(1) << 20;

size_t roundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

// The bytes mapped for a buffer of `size` bytes.
size_t mappedFor(size_t size) {
    size = std::max<size_t>(size, 1);
    return size >= kHugePage ? roundUp(size, kHugePage) : roundUp(size, kPage);
}

unsigned coresAvailable() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        int n = CPU_COUNT(&set);
        if (n > 0) return unsigned(n);
    }
    return 1;
}

// A whole number from the environment within [low, high]; false when the
// variable is unset or not such a number.
bool numberFromEnvironment(const char* name, long low, long high, long& out) {
    const char* text = std::getenv(name);
    if (!text || !*text) return false;
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (*end != '\0' || n < low || n > high) return false;
    out = n;
    return true;
}

}  // namespace

InflateAhead::Settings InflateAhead::Settings::fromEnvironment() {
    Settings s;
    s.workers = std::min(coresAvailable(), kMaxWorkers);
    long n = 0;
    if (numberFromEnvironment("ZWUNZIP_WORKERS", 0, long(kMaxWorkers), n)) s.workers = unsigned(n);
    if (numberFromEnvironment("ZWUNZIP_AHEAD_MIB", 1, 1024, n)) s.budget = size_t(n) << 20;
    if (s.budget > SIZE_MAX / 4) s.budget = SIZE_MAX / 4;
    return s;
}

InflateAhead::InflateAhead(const Settings& settings, Source source)
    : m_settings(settings), m_source(std::move(source)) {}

InflateAhead::~InflateAhead() { stop(); }

void InflateAhead::stop() {
    if (m_stopped) return;
    m_stopped = true;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_stopping.store(true, std::memory_order_relaxed);
        for (Batch* b : m_queue) b->state = State::Done;  // never started
        m_queue.clear();
        m_end = true;
        m_work.notify_all();
        m_callerWaits = true;
        m_done.wait(lock, [this] {
            return std::none_of(m_batches.begin(), m_batches.end(),
                                [](const Batch& b) { return b.state == State::Running; });
        });
        m_callerWaits = false;
    }
    for (pthread_t t : m_threads) ::pthread_join(t, nullptr);
    m_threads.clear();
    for (libdeflate_decompressor* d : m_inflaters) libdeflate_free_decompressor(d);
    m_inflaters.clear();
    m_passed = m_batches.size();
    reclaim();
    freeAll();
}

bool InflateAhead::take(size_t index, Inflated& out) {
    if (m_stopped || m_unusable) return false;
    passBefore(index);
    reclaim();
    refill(index);
    if (m_passed >= m_batches.size()) return false;
    Batch& batch = m_batches[m_passed];
    auto slot =
        std::find_if(batch.slots.begin(), batch.slots.end(), [index](const Slot& s) { return s.what.member == index; });
    if (slot == batch.slots.end()) return false;
    bool inflateHere = false;
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (batch.state == State::Queued) {
            // No worker has started it: inflating it here beats waiting. Every
            // batch before it was passed and left the queue, so it is first.
            assert(m_queue.front() == &batch);
            m_queue.pop_front();
            batch.state = State::Running;
            inflateHere = true;
        } else if (batch.state == State::Running) {
            m_callerWaits = true;
            m_done.wait(lock, [&batch] { return batch.state == State::Done; });
            m_callerWaits = false;
        }
    }
    if (inflateHere) {
        inflateBatch(batch, m_inflaters.back());
        std::lock_guard<std::mutex> lock(m_mutex);
        batch.state = State::Done;
    }
    if (!batch.complete) return false;
    out = slot->outcome;
    return true;
}

void InflateAhead::passBefore(size_t index) {
    std::lock_guard<std::mutex> lock(m_mutex);
    while (m_passed < m_batches.size() && m_batches[m_passed].slots.back().what.member < index) {
        Batch& b = m_batches[m_passed++];
        if (b.state == State::Queued) {
            // Batches are queued in order and every one before this was passed.
            assert(m_queue.front() == &b);
            m_queue.pop_front();
            b.state = State::Done;
        }
    }
}

void InflateAhead::reclaim() {
    std::lock_guard<std::mutex> lock(m_mutex);
    while (m_passed > 0 && m_batches.front().state == State::Done) {
        Batch& b = m_batches.front();
        m_held -= b.capacity;
        release(b.buffer, b.capacity);
        m_batches.pop_front();
        --m_passed;
    }
}

bool InflateAhead::nextCandidate(size_t index, Candidate& out) {
    while (!m_havePending || m_pending.member < index) {
        if (m_sourceDone) return false;
        if (!m_source(m_pending)) {
            m_sourceDone = true;
            m_havePending = false;
            return false;
        }
        m_havePending = true;
    }
    out = m_pending;
    return true;
}

void InflateAhead::refill(size_t index) {
    const size_t depth = size_t(std::max(1u, m_settings.workers)) * kBatchesPerWorker;
    const size_t budget = m_settings.budget;
    while (m_batches.size() - m_passed < depth) {
        Candidate c;
        if (!nextCandidate(index, c)) return;
        if (mappedFor(c.room) > budget) {
            m_havePending = false;  // too large to hold ahead: its own turn decodes it
            continue;
        }
        if (m_held + mappedFor(c.room) > budget) return;  // it waits for room
        Batch batch;
        size_t room = 0;
        for (;;) {
            const size_t at = roundUp(room, 64);
            if (!batch.slots.empty() && (batch.slots.size() >= kBatchMembers || at + c.room > kBatchRoom ||
                                         m_held + mappedFor(at + c.room) > budget))
                break;
            Slot s;
            s.what = c;
            s.offset = at;
            batch.slots.push_back(s);
            room = at + c.room;
            m_havePending = false;
            if (!nextCandidate(index, c) || mappedFor(c.room) > budget) break;
        }
        if (!m_started && !startWorkers()) {
            m_unusable = true;  // not even a decompressor: every member is decoded in its turn
            return;
        }
        batch.buffer = acquire(room, batch.capacity);
        if (!batch.buffer) continue;  // no memory: these members are decoded in their turn
        m_held += batch.capacity;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_batches.push_back(std::move(batch));
        m_queue.push_back(&m_batches.back());
        m_work.notify_one();
    }
}

bool InflateAhead::startWorkers() {
    m_started = true;
    // The caller's own decompressor, for the batches it reaches first.
    libdeflate_decompressor* own = libdeflate_alloc_decompressor();
    if (!own) return false;
    std::vector<libdeflate_decompressor*> workers;
    for (unsigned i = 0; i < m_settings.workers; ++i) {
        libdeflate_decompressor* d = libdeflate_alloc_decompressor();
        if (!d) break;
        workers.push_back(d);
    }
    m_inflaters = workers;
    m_inflaters.push_back(own);
    m_starts.resize(workers.size());
    pthread_attr_t attr;
    ::pthread_attr_init(&attr);
    ::pthread_attr_setstacksize(&attr, kWorkerStack);
    for (size_t i = 0; i < workers.size(); ++i) {
        m_starts[i] = {this, workers[i]};
        pthread_t t;
        if (::pthread_create(&t, &attr, &InflateAhead::workerMain, &m_starts[i]) != 0) break;
        m_threads.push_back(t);
    }
    ::pthread_attr_destroy(&attr);
    // Without a thread the caller still inflates each batch as it reaches it.
    return true;
}

void* InflateAhead::workerMain(void* start) {
    auto* s = static_cast<WorkerStart*>(start);
    s->pool->work(s->inflater);
    return nullptr;
}

void InflateAhead::work(libdeflate_decompressor* inflater) {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_work.wait(lock, [this] { return m_end || !m_queue.empty(); });
        if (m_end) return;
        Batch* batch = m_queue.front();
        m_queue.pop_front();
        batch->state = State::Running;
        lock.unlock();
        inflateBatch(*batch, inflater);
        lock.lock();
        batch->state = State::Done;
        if (m_callerWaits) m_done.notify_all();
    }
}

void InflateAhead::inflateBatch(Batch& batch, libdeflate_decompressor* inflater) {
    for (Slot& s : batch.slots) {
        if (m_stopping.load(std::memory_order_relaxed)) return;
        Inflated& o = s.outcome;
        o.data = batch.buffer + s.offset;
        o.room = s.what.room;
        o.result = libdeflate_deflate_decompress(inflater, s.what.in, s.what.inSize, batch.buffer + s.offset,
                                                 s.what.room, &o.produced);
        if (o.result == LIBDEFLATE_SUCCESS) o.crc = libdeflate_crc32(0, o.data, o.produced);
    }
    batch.complete = true;
}

uint8_t* InflateAhead::acquire(size_t size, size_t& capacity) {
    size = std::max<size_t>(size, 1);
    // The smallest kept buffer that is large enough and fits the budget.
    auto best = m_free.end();
    for (auto it = m_free.begin(); it != m_free.end(); ++it)
        if (it->capacity >= size && m_held + it->capacity <= m_settings.budget &&
            (best == m_free.end() || it->capacity < best->capacity))
            best = it;
    if (best != m_free.end()) {
        uint8_t* p = best->data;
        capacity = best->capacity;
        m_freeBytes -= capacity;
        m_free.erase(best);
        return p;
    }
    const size_t want = mappedFor(size);
    // Kept buffers too small for this one give way, so that what is mapped
    // stays within the budget.
    while (!m_free.empty() && m_held + m_freeBytes + want > m_settings.budget) {
        ::munmap(m_free.back().data, m_free.back().capacity);
        m_freeBytes -= m_free.back().capacity;
        m_free.pop_back();
    }
    void* p = ::mmap(nullptr, want, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
    if (want >= kHugePage) ::madvise(p, want, MADV_HUGEPAGE);
#endif
    capacity = want;
    return static_cast<uint8_t*>(p);
}

void InflateAhead::release(uint8_t* data, size_t capacity) {
    if (!data) return;
    if (m_stopped || m_held + m_freeBytes + capacity > m_settings.budget) {
        ::munmap(data, capacity);
        return;
    }
    m_free.push_back({data, capacity});
    m_freeBytes += capacity;
}

void InflateAhead::freeAll() {
    for (const Buffer& b : m_free) ::munmap(b.data, b.capacity);
    m_free.clear();
    m_freeBytes = 0;
}

}  // namespace zw::detail
