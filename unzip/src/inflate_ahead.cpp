// The inflate-ahead worker: one thread per extraction call, started with the
// first member worth inflating ahead and ended with the call. One job at a
// time; the two buffers alternate so that the buffer the caller is writing
// from is never the one being filled. A buffer grows to the largest member
// given to it and is kept for the call, as the ordinary decoder's is; it is
// bounded as the ordinary decoder's is, by the room the caller computes.
#include "inflate_ahead.h"

#include <libdeflate.h>

#include <cstdlib>

#include "zwunzip.h"

namespace zw::detail {

InflateAhead::~InflateAhead() {
    if (m_running) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            waitUntilSettled(lock);
            m_stop = true;
        }
        m_wake.notify_one();
        ::pthread_join(m_worker, nullptr);
    }
    if (m_inflater) libdeflate_free_decompressor(m_inflater);
    std::free(m_buffers[0]);
    std::free(m_buffers[1]);
}

void InflateAhead::waitUntilSettled(std::unique_lock<std::mutex>& lock) {
    m_settled.wait(lock, [this] { return m_state != State::Running; });
}

bool InflateAhead::start(size_t index, const uint8_t* in, size_t inSize, size_t room) {
    if (!m_running) {
        if (!m_inflater) m_inflater = libdeflate_alloc_decompressor();
        if (!m_inflater) return false;
        // No thread to be had: the member is decoded in line.
        if (::pthread_create(&m_worker, nullptr, &InflateAhead::workerMain, this) != 0) return false;
        m_running = true;
    }
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        waitUntilSettled(lock);
        const int slot = m_takenSlot == 0 ? 1 : 0;
        // The buffer is grown here, on the calling thread, while the worker
        // is idle: the worker itself never allocates, so it adds no heap of
        // its own to the process.
        if (room > m_capacity[slot]) {
            void* p = std::realloc(m_buffers[slot], room);
            if (!p) return false;
            m_buffers[slot] = static_cast<uint8_t*>(p);
            m_capacity[slot] = room;
        }
        m_index = index;
        m_in = in;
        m_inSize = inSize;
        m_room = room;
        m_slot = slot;
        m_state = State::Running;
    }
    m_wake.notify_one();
    return true;
}

bool InflateAhead::holds(size_t index) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state != State::Idle && m_index == index;
}

InflateAhead::Inflated InflateAhead::take(size_t index) {
    std::unique_lock<std::mutex> lock(m_mutex);
    waitUntilSettled(lock);
    Inflated outcome;
    if (m_state != State::Done || m_index != index) {
        outcome.result = LIBDEFLATE_BAD_DATA;  // never started: not reached through holds()
        return outcome;
    }
    outcome = m_outcome;
    m_takenSlot = m_slot;
    m_state = State::Idle;
    m_index = kNone;
    return outcome;
}

void* InflateAhead::workerMain(void* self) {
    static_cast<InflateAhead*>(self)->work();
    return nullptr;
}

void InflateAhead::work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_state == State::Running; });
        if (m_stop) return;
        const int slot = m_slot;
        const uint8_t* in = m_in;
        const size_t inSize = m_inSize, room = m_room;
        lock.unlock();

        Inflated outcome;
        outcome.room = room;
        outcome.data = m_buffers[slot];
        outcome.result = libdeflate_deflate_decompress(m_inflater, in, inSize, m_buffers[slot], room,
                                                       &outcome.produced);

        lock.lock();
        m_outcome = outcome;
        m_state = State::Done;
        m_settled.notify_all();
    }
}

}  // namespace zw::detail
