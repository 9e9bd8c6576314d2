// The frame's hold on Defaults: one HeldTable made afresh on each hold, since a
// table access is opened once and released once.
#include "startup/defaults_hold.h"

namespace quay::desk {

bool DefaultsHold::hold() {
    if (isHeld()) return true;
    m_table.reset();
    m_table.emplace(m_db, m_ui);
    if (!m_table->isOpen()) {
        m_table.reset();
        return false;
    }
    return true;
}

void DefaultsHold::release() {
    if (!m_table) return;
    m_table->access.release();
    m_table.reset();
}

}  // namespace quay::desk
