// Reading a key in step with a walk. The reader asks for read-ahead ("QUICKSCAN=on") at
// its first seek, as any long read does, and ends it when it goes.
#include "quay/reports/run/step_reader.h"

namespace quay::reports {

using core::ErrorCode;

StepReader::StepReader(core::Table& table, core::KeyId key, int readPast)
    : m_table(table), m_key(key), m_readPast(readPast) {}

StepReader::~StepReader() {
    if (m_scanning && m_table.isOpen()) m_table.send("QUICKSCAN=off");
}

ErrorCode StepReader::seek(const std::function<void()>& fill) {
    if (!m_scanning) m_table.send("QUICKSCAN=on");
    m_scanning = true;
    m_table.clear();
    fill();
    const ErrorCode e = m_table.setAtKey(m_key);
    if (e != ErrorCode::None) return e;
    return next();
}

ErrorCode StepReader::next() {
    const ErrorCode e = m_table.next();
    m_state = e == ErrorCode::None ? State::At : e == ErrorCode::RecordNotAvailable ? State::End : State::Unset;
    return e;
}

ErrorCode StepReader::advanceTo(const std::function<bool()>& before, const std::function<void()>& fill) {
    switch (m_state) {
    case State::Unset: return seek(fill);
    case State::End: return ErrorCode::RecordNotAvailable;
    case State::At: break;
    }
    for (int i = 0; before(); ++i) {
        if (i == m_readPast) return seek(fill);
        const ErrorCode e = next();
        if (e != ErrorCode::None) return e;
    }
    return ErrorCode::None;
}

}  // namespace quay::reports
