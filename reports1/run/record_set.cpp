// Walking a report's record set. When a progress window asks for the count, the set is
// counted first and then walked again from its start, so the percentage shown follows the
// records really read; neither pass holds a read open between two records, so other
// stations are never held up.
#include "quay/reports/run/record_set.h"

#include <cassert>

#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/store/table_desc.h"

namespace quay::reports {

using core::ErrorCode;

RecordSet::RecordSet(core::Table& table, core::KeyId key) : m_table(table), m_key(key) {}

RecordSet& RecordSet::startAt(std::function<void()> fillKey) {
    m_fillKey = std::move(fillKey);
    return *this;
}

RecordSet& RecordSet::whileTrue(std::function<bool()> belongs) {
    m_belongs = std::move(belongs);
    return *this;
}

RecordSet& RecordSet::keepIf(std::function<bool()> keep) {
    m_keep = std::move(keep);
    return *this;
}

RecordSet& RecordSet::skipIf(std::function<bool()> skip, std::function<void()> resume) {
    m_skip = std::move(skip);
    m_resume = std::move(resume);
    return *this;
}

bool RecordSet::skipped(bool* failed) {
    *failed = false;
    if (!m_skip || !m_skip()) {
        m_skipRun = 0;
        return false;
    }
    if (++m_skipRun < kReadPast) return true;
    m_skipRun = 0;
    m_resume();
    *failed = m_table.setAtKey(m_key) != ErrorCode::None;
    return true;
}

bool RecordSet::seek() {
    m_skipRun = 0;
    m_table.clear();
    if (m_fillKey) m_fillKey();
    return m_table.setAtKey(m_key) == ErrorCode::None;
}

void RecordSet::readFailed(core::UiPort& ui) {
    core::saveError(m_table);
    core::showStandardMessage(ui, core::StandardMessage::RecordRetrievalError, {m_table.desc().name});
}

bool RecordSet::position(core::UiPort& ui) {
    m_table.send("QUICKSCAN=on");
    m_scanning = true;
    m_ui = &ui;
    m_count = 0;
    m_counted = false;
    m_failed = false;
    if (!seek()) {
        readFailed(ui);
        return false;
    }
    return true;
}

std::int64_t RecordSet::count() {
    // REQUIRES: position() succeeded.
    assert(m_ui != nullptr);
    if (m_counted) return m_count;
    m_counted = true;
    bool failed = false;
    while (m_table.next() == ErrorCode::None && (!m_belongs || m_belongs())) {
        if (!skipped(&failed)) ++m_count;
        if (failed) break;
    }
    if (failed || !seek()) {
        readFailed(*m_ui);
        m_failed = true;
    }
    return m_count;
}

RecordSet::Read RecordSet::next(core::UiPort& ui) {
    if (m_failed) return Read::Failed;  // the count failed and has said so
    for (;;) {
        const ErrorCode e = m_table.next();
        if (e == ErrorCode::RecordNotAvailable) return Read::End;
        if (e != ErrorCode::None) {
            readFailed(ui);
            return Read::Failed;
        }
        if (m_belongs && !m_belongs()) return Read::End;
        bool failed = false;
        if (skipped(&failed)) {
            if (!failed) continue;
            readFailed(ui);
            return Read::Failed;
        }
        if (!m_keep || m_keep()) return Read::Record;
    }
}

void RecordSet::close() {
    if (m_scanning && m_table.isOpen()) m_table.send("QUICKSCAN=off");
    m_scanning = false;
}

}  // namespace quay::reports
