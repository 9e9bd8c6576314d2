// TableAccess: the count is raised before the open so that the first holder's open
// is the one that runs while the count goes from 0 to 1, and lowered again at once
// when the open did not succeed, so a failed open never leaves a table counted.
#include "quay/app/table_access.h"

#include "quay/app/use_counters.h"

namespace quay::core {

TableAccess::TableAccess(UiPort& ui, Table& table, bool createAllowed, OpenMode mode)
    : m_table(table), m_outcome(OpenOutcome::ProgramEnded) {
    UseCounters::increment(table.desc().name);
    m_outcome = openTable(ui, table, createAllowed, mode);
    m_held = m_outcome == OpenOutcome::Opened;
    if (!m_held) UseCounters::decrement(table.desc().name);
}

TableAccess::~TableAccess() { release(); }

void TableAccess::release() {
    if (!m_held) return;
    m_held = false;
    m_table.close();
    UseCounters::decrement(m_table.desc().name);
}

}  // namespace quay::core
