// Inflating the next member while the current one is written. Extraction to
// files spends its time in two parts that do not depend on each other from
// one member to the next: inflating a member and writing the one before it.
// InflateAhead runs libdeflate on a worker thread of its own, one member at a
// time, into one of two output buffers, so that the calling thread can write
// member n (and check its CRC, report its progress, take its cancel) while
// member n + 1 is being inflated.
//
// The worker only computes: it reads compressed bytes that stay mapped for
// the whole call and writes into its own buffer. It never calls back into the
// caller, touches the file system or decides a result code, so every
// question, message, write, error and cancel keeps its place on the calling
// thread, in member order. A member inflated ahead and then not wanted (it is
// skipped, or the call stops) is simply dropped.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

#include <pthread.h>

struct libdeflate_decompressor;

namespace zw::detail {

class InflateAhead {
public:
    // What a finished member's inflate left in its buffer.
    struct Inflated {
        int result = 0;               // libdeflate_result of the inflate
        const uint8_t* data = nullptr;
        size_t produced = 0;          // bytes inflated (on success)
        size_t room = 0;              // size of the buffer it was given
    };

    InflateAhead() = default;
    // Waits for a member still being inflated, then ends the worker.
    ~InflateAhead();
    InflateAhead(const InflateAhead&) = delete;
    InflateAhead& operator=(const InflateAhead&) = delete;

    // Starts inflating member `index`: `inSize` deflated bytes at `in`, which
    // must stay readable until the member is taken or dropped, into a buffer
    // of `room` bytes. A member started earlier and not taken is dropped
    // first. False when the worker or the buffer cannot be had; the caller
    // then decodes the member itself (and reports a lack of memory then).
    bool start(size_t index, const uint8_t* in, size_t inSize, size_t room);

    // True when member `index` was started and not yet taken.
    bool holds(size_t index);

    // Waits for member `index` (which holds() must have reported) and gives
    // its outcome. The bytes stay valid until the start after next: the
    // next start inflates into the other buffer.
    Inflated take(size_t index);

private:
    enum class State { Idle, Running, Done };
    static constexpr size_t kNone = ~size_t(0);

    static void* workerMain(void* self);
    void work();
    void waitUntilSettled(std::unique_lock<std::mutex>& lock);

    std::mutex m_mutex;
    std::condition_variable m_wake;      // a job was started, or the worker must end
    std::condition_variable m_settled;   // a job finished
    // A plain POSIX thread, not std::thread: std::thread frees its start
    // record on the new thread, and a thread's first free gives it a malloc
    // heap of its own, address space the caller's process would keep.
    pthread_t m_worker{};
    bool m_running = false;
    bool m_stop = false;

    State m_state = State::Idle;
    size_t m_index = kNone;              // member of the job started last
    const uint8_t* m_in = nullptr;
    size_t m_inSize = 0;
    size_t m_room = 0;
    int m_slot = 0;                      // buffer of the job started last
    int m_takenSlot = -1;                // buffer the caller is writing from
    Inflated m_outcome;

    // Grown by the caller while the worker is idle, filled by the worker
    // while its job runs, read by the caller after taking the job.
    uint8_t* m_buffers[2] = {nullptr, nullptr};
    size_t m_capacity[2] = {0, 0};
    libdeflate_decompressor* m_inflater = nullptr;
};

}  // namespace zw::detail
