// Process-wide state of the library: the busy flag that keeps calls from
// overlapping, the progress title, the shared cancel flag, the progress of
// the running extraction (for the external program's registration) and the
// position of the "next member" functions between calls.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

namespace zw::detail {

class Progress;

class SessionState {
public:
    static SessionState& instance();

    // Sets the busy flag; false when a call is already running.
    bool enter() { return !m_busy.exchange(true); }
    void leave() { m_busy.store(false); }

    std::string progressTitle();
    void setProgressTitle(const std::string& title);  // keeps at most 299 characters

    int32_t* externalCancel() const { return m_cancel.load(); }
    void setExternalCancel(int32_t* flag) { m_cancel.store(flag); }

    Progress* activeProgress() const { return m_progress.load(); }
    void setActiveProgress(Progress* p) { m_progress.store(p); }

    // Position of functions 2 and 4: the archive they walk and the next index.
    struct Cursor {
        std::string archive;
        int32_t function = 0;
        size_t next = 0;
    };
    Cursor& cursor() { return m_cursor; }

private:
    std::atomic<bool> m_busy{false};
    std::atomic<int32_t*> m_cancel{nullptr};
    std::atomic<Progress*> m_progress{nullptr};
    std::mutex m_titleMutex;
    std::string m_title = "Extract Progress";
    Cursor m_cursor;
};

}  // namespace zw::detail
