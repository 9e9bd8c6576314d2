// The worker thread runner.
#include "quay/ui/worker.h"

namespace quay::core {

WorkerProgress::~WorkerProgress() = default;
WorkerJob::~WorkerJob() = default;

WorkerThread::WorkerThread(std::unique_ptr<WorkerJob> job, std::string dataDirectory)
    : m_job(std::move(job)), m_directory(std::move(dataDirectory)) {}

WorkerThread::~WorkerThread() {
    cancel();
    wait();
}

void WorkerThread::start() {
    if (m_started) return;
    m_started = true;
    m_thread = std::thread([this] {
        WorkerOutcome outcome = m_job->run(m_directory, *this);
        if (outcome == WorkerOutcome::Running) outcome = WorkerOutcome::Finished;
        WorkerState s;
        {
            std::lock_guard lock(m_mutex);
            m_state.outcome = outcome;
            if (outcome == WorkerOutcome::Failed) m_state.text = m_job->failureText();
            s = m_state;
        }
        if (m_listener) m_listener(s);
    });
}

void WorkerThread::wait() {
    if (m_thread.joinable()) m_thread.join();
}

WorkerState WorkerThread::state() const {
    std::lock_guard lock(m_mutex);
    return m_state;
}

void WorkerThread::report(long done, long total, const std::string& text) {
    WorkerState s;
    {
        std::lock_guard lock(m_mutex);
        m_state.done = done;
        m_state.total = total;
        m_state.text = text;
        s = m_state;
    }
    if (m_listener) m_listener(s);
}

}  // namespace quay::core
