// Inflating the members a call will ask for ahead of it, on every core.
// Testing and extraction to files spend their time in parts that do not
// depend on each other from one member to the next: inflating a member, and
// checking, writing and reporting the one before it. InflateAhead keeps a
// small pool of worker threads (one per core, at most eight) inflating the
// next members while the calling thread checks, writes and reports them in
// member order.
//
// The workers only compute: they read compressed bytes that stay mapped for
// the whole call, inflate them with libdeflate into buffers the pool gave
// them and take the CRC-32 of what they produced. They never call back into
// the caller, touch the file system, allocate, or decide a result code, so
// every question, message, write, error and cancel keeps its place on the
// calling thread, in member order. A member inflated ahead and then not
// wanted (skipped, or the call stops) is simply dropped.
//
// Members are handed out in batches: a run of consecutive small members
// shares one batch and one buffer, so that handing work to a worker costs
// little beside inflating it; a large member is a batch of its own. The
// bytes held ahead (every buffer of a batch not yet passed by the caller,
// the one being written included) never exceed the budget, and at most
// kBatchesPerWorker batches per worker wait ahead. When the caller reaches
// a batch no worker has started, it inflates that batch itself rather than
// wait.
//
// States of a batch: Queued (dispatched, waiting for a worker) -> Running
// (a worker or the caller inflates it) -> Done. Only the caller creates,
// passes and reclaims batches; a worker moves one batch from Queued to Done.
// A passed batch that is still Running keeps its buffer until it is Done.
//
// Thread safety: every public method is called from the calling thread only.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include <pthread.h>

struct libdeflate_decompressor;

namespace zw::detail {

class InflateAhead {
public:
    static constexpr unsigned kMaxWorkers = 8;
    static constexpr size_t kDefaultBudget = size_t(64) << 20;
    // Batches waiting ahead per worker: enough that a worker finds its next
    // batch ready while the caller writes, few enough that little memory is
    // touched for nothing when a call stops early.
    static constexpr unsigned kBatchesPerWorker = 3;
    // Members are gathered into one batch up to this much output room.
    static constexpr size_t kBatchRoom = size_t(256) << 10;
    static constexpr size_t kBatchMembers = 128;

    struct Settings {
        unsigned workers = 0;  // 0: the calling thread inflates every member itself
        size_t budget = kDefaultBudget;
        // One worker per core the process may run on, at most kMaxWorkers,
        // and the default budget; ZWUNZIP_WORKERS (0 to 8) and
        // ZWUNZIP_AHEAD_MIB (1 to 1024) override them.
        static Settings fromEnvironment();
    };

    // A member the call will ask for: `inSize` deflated bytes at `in`, which
    // stay readable for the whole call, and the room its output is given.
    struct Candidate {
        size_t member = 0;
        const uint8_t* in = nullptr;
        size_t inSize = 0;
        size_t room = 0;
    };
    // Gives the next member the call will ask for, in the order the call asks
    // for them; false when there is none. Called on the calling thread.
    using Source = std::function<bool(Candidate&)>;

    // What inflating a member left in its buffer.
    struct Inflated {
        int result = 0;  // libdeflate_result of the inflate
        const uint8_t* data = nullptr;
        size_t produced = 0;  // bytes inflated (on success)
        size_t room = 0;      // size of the room it was given
        uint32_t crc = 0;     // CRC-32 of the bytes produced (on success)
    };

    InflateAhead(const Settings& settings, Source source);
    // Stops the workers (see stop()).
    ~InflateAhead();
    InflateAhead(const InflateAhead&) = delete;
    InflateAhead& operator=(const InflateAhead&) = delete;

    // Bytes mapped for output buffers now, those held for batches and those
    // kept for the next ones; never more than the budget.
    size_t mappedBytes() const { return m_held + m_freeBytes; }

    // The outcome of member `index` when it was inflated ahead, waiting for
    // it (or inflating its batch here) if need be; false when it was not, and
    // the caller decodes it itself. Members given before `index` and not
    // taken are dropped. The bytes stay valid until the next take() or stop().
    bool take(size_t index, Inflated& out);

    // Drops everything not yet started and waits for the members the workers
    // are inflating (at most one each), then ends the workers. Nothing is
    // inflated ahead afterwards.
    void stop();

private:
    struct Slot {
        Candidate what;
        size_t offset = 0;  // in the batch's buffer
        Inflated outcome;
    };
    enum class State { Queued, Running, Done };
    struct Batch {
        std::vector<Slot> slots;
        uint8_t* buffer = nullptr;
        size_t capacity = 0;
        State state = State::Queued;
        bool complete = false;  // every slot inflated (false when stopped part-way)
    };
    struct Buffer {
        uint8_t* data;
        size_t capacity;
    };

    static void* workerMain(void* self);
    void work(libdeflate_decompressor* inflater);
    // Inflates a batch's members in order; stops between members once the
    // pool is stopping.
    void inflateBatch(Batch& batch, libdeflate_decompressor* inflater);

    // Caller-side bookkeeping, on the calling thread only.
    void passBefore(size_t index);
    void reclaim();
    void refill(size_t index);
    bool nextCandidate(size_t index, Candidate& out);
    // Allocates the decompressors and starts the workers; false when not
    // even the caller's decompressor can be had.
    bool startWorkers();
    uint8_t* acquire(size_t size, size_t& capacity);
    void release(uint8_t* data, size_t capacity);
    void freeAll();

    Settings m_settings;
    Source m_source;
    bool m_sourceDone = false;
    bool m_havePending = false;
    Candidate m_pending;
    bool m_stopped = false;
    bool m_unusable = false;

    // Batches dispatched and not reclaimed, in member order; the first
    // m_passed of them lie behind the caller.
    std::deque<Batch> m_batches;
    size_t m_passed = 0;
    size_t m_held = 0;           // capacity of the buffers of m_batches
    std::vector<Buffer> m_free;  // buffers kept for the next batches
    size_t m_freeBytes = 0;

    std::mutex m_mutex;
    std::condition_variable m_work;  // a batch was queued, or the workers must end
    std::condition_variable m_done;  // a batch is Done
    std::deque<Batch*> m_queue;      // Queued batches, in member order
    bool m_end = false;
    bool m_callerWaits = false;
    std::atomic<bool> m_stopping{false};

    // Plain POSIX threads with small stacks, not std::thread: std::thread
    // frees its start record on the new thread, and a thread's first free
    // gives it a malloc heap of its own, address space the caller's process
    // would keep.
    std::vector<pthread_t> m_threads;
    std::vector<libdeflate_decompressor*> m_inflaters;  // one per worker, the caller's last
    struct WorkerStart {
        InflateAhead* pool;
        libdeflate_decompressor* inflater;
    };
    std::vector<WorkerStart> m_starts;
    bool m_started = false;
};

}  // namespace zw::detail
