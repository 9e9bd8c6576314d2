// Long work off the window thread: a WorkerJob runs on a thread of its own with its
// own connection to the data set, reports its progress and looks at a cancel flag
// between steps; the window polls the progress (or, in the desktop view, receives
// it through queued signals) and may ask it to stop.
//
// A job never touches widgets, globals of the windows, or another thread's table
// handles; it opens what it needs from the data directory it is given.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "quay/export.h"

namespace quay::core {

// What a job sees of its runner.
class QUAY_EXPORT WorkerProgress {
public:
    virtual ~WorkerProgress();
    // Reports `done` of `total` steps (total 0: unknown) with a line of text.
    virtual void report(long done, long total, const std::string& text) = 0;
    // True once the user asked the job to stop; the job returns at its next step.
    virtual bool isCancelled() const = 0;
};

enum class WorkerOutcome { Running, Finished, Cancelled, Failed };

class QUAY_EXPORT WorkerJob {
public:
    virtual ~WorkerJob();
    // Does the work. Returns Finished, Cancelled (stopped on request, everything
    // written so far rolled back or complete) or Failed (with failureText()).
    virtual WorkerOutcome run(const std::string& dataDirectory, WorkerProgress& progress) = 0;
    virtual std::string failureText() const { return {}; }
};

// The state a window shows: a consistent snapshot.
struct WorkerState {
    long done = 0;
    long total = 0;
    std::string text;
    WorkerOutcome outcome = WorkerOutcome::Running;
};

// Runs one job on a std::thread. Thread-safe: state() and cancel() may be called
// from the window thread at any time; the destructor asks the job to stop and
// waits for it.
class QUAY_EXPORT WorkerThread : private WorkerProgress {
public:
    using Listener = std::function<void(const WorkerState&)>;

    WorkerThread(std::unique_ptr<WorkerJob> job, std::string dataDirectory);
    ~WorkerThread() override;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Called on the worker thread after every report and once at the end; the
    // desktop view forwards it to the window thread with a queued signal.
    void setListener(Listener listener) { m_listener = std::move(listener); }

    void start();
    void cancel() { m_cancel = true; }
    // Waits for the job to end.
    void wait();
    WorkerState state() const;
    bool isRunning() const { return state().outcome == WorkerOutcome::Running && m_started; }
    const WorkerJob& job() const { return *m_job; }

private:
    void report(long done, long total, const std::string& text) override;
    bool isCancelled() const override { return m_cancel.load(); }

    std::unique_ptr<WorkerJob> m_job;
    std::string m_directory;
    Listener m_listener;
    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    bool m_started = false;
    mutable std::mutex m_mutex;
    WorkerState m_state;
};

}  // namespace quay::core
