// DefaultsHold: the frame's hold on the company table for the whole run. The frame
// opens Defaults through its use counter at start-up, lets go of it around the
// all-files-free test of a backup or restore, and takes it again afterwards, so the
// table is really closed only while nothing else in the process holds it.
#pragma once

#include <optional>

#include "quay/app/table_access.h"
#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/defaults.h"

namespace quay::desk {

class DefaultsHold {
public:
    DefaultsHold(core::Database& db, core::UiPort& ui) : m_db(db), m_ui(ui) {}
    DefaultsHold(const DefaultsHold&) = delete;
    DefaultsHold& operator=(const DefaultsHold&) = delete;

    // Opens Defaults in shared mode through the use counter (the open routine creates
    // a missing file). False when the open routine ended the program.
    bool hold();
    // Closes the frame's handle and lowers the count; nothing when not held.
    void release();
    bool isHeld() const { return m_table.has_value() && m_table->isOpen(); }

    // The frame's handle. REQUIRES: isHeld().
    core::Handle<core::Defaults>& handle() { return m_table->handle; }

private:
    core::Database& m_db;
    core::UiPort& m_ui;
    std::optional<core::HeldTable<core::Defaults>> m_table;
};

}  // namespace quay::desk
