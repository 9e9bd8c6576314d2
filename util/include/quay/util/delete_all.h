// "Delete All Data" (DELETEALLDATA): empties the business's master and transaction
// tables so the program can start afresh, keeping the company record, purchase
// orders, the schedule, shipping methods, tips and the contact log. ARCHIVEDATA and
// RESTOREARCHIVEDATA are windows with a single "Close" button and nothing else.
//
// Emptying is all or nothing. First every table to be emptied is checked free: no
// window of this copy counts it and an exclusive open succeeds, so no handle here or
// at another station holds it. Only then are the tables removed, in one transaction;
// a table taken in between makes the removal fail and the transaction roll back.
// Whenever a table is held, "FILE DELETE ERROR" is shown and nothing is removed.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"

namespace quay::util {

// The tables emptied, in the order they are removed.
QUAY_EXPORT const std::vector<std::string_view>& deletedTables();

enum class DeleteAllOutcome { NotAsked, Declined, FilesInUse, Failed, Deleted };

class QUAY_EXPORT DeleteAllData {
public:
    static constexpr const char* kTitle = "Delete All Data";
    static constexpr const char* kText =
        "This utility will delete ALL data (except company information) permanantly.  Are you sure you want to "
        "continue?";

    DeleteAllData(core::UiPort& ui, core::Database& db) : m_ui(ui), m_db(db) {}

    // "&No": the window closes, nothing happens.
    void no() { m_closed = true; }
    // "&Yes": the WARNING question, then the run. No to the question keeps the window
    // open; after a run the window closes.
    DeleteAllOutcome yes();
    bool isClosed() const { return m_closed; }

    // Called after each table is removed inside the transaction (tests stop a run
    // there to prove a killed run leaves every table as it was).
    void setAfterRemoval(std::function<void(std::string_view table)> hook) { m_afterRemoval = std::move(hook); }

private:
    DeleteAllOutcome run();
    void filesInUse();

    core::UiPort& m_ui;
    core::Database& m_db;
    bool m_closed = false;
    std::function<void(std::string_view)> m_afterRemoval;
};

}  // namespace quay::util
