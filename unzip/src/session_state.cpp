// The one SessionState of the process.
#include "session_state.h"

namespace zw::detail {

SessionState& SessionState::instance() {
    static SessionState state;
    return state;
}

std::string SessionState::progressTitle() {
    std::lock_guard<std::mutex> lock(m_titleMutex);
    return m_title;
}

void SessionState::setProgressTitle(const std::string& title) {
    std::lock_guard<std::mutex> lock(m_titleMutex);
    m_title = title.substr(0, 299);
}

}  // namespace zw::detail
