// The per-table use counters (Customer::Used, Defaults::Used, ...): a process-wide
// count, per table name, of the windows and procedures holding the table. The
// first holder's open finds a missing or damaged file and repairs it; the count
// says at any time whether anything in this process still holds the table, which
// the frame relies on when it lets go of Defaults for a backup.
//
// Thread-safe: holders on worker threads count in the same registry.
#pragma once

#include <string>
#include <string_view>

#include "quay/export.h"

namespace quay::core {

class QUAY_EXPORT UseCounters {
public:
    // Raises the table's count and returns the new count (1 for the first holder).
    static int increment(std::string_view table);
    // Lowers it and returns the new count; never below 0.
    static int decrement(std::string_view table);
    static int count(std::string_view table);
    // The number of tables with a count above 0.
    static int tablesInUse();
};

// A window's count on a table it reads now and then without keeping it open (a list
// that opens the table for each page it reads): while the UseHold lives the table
// counts as held, so the all-files-free test before a backup refuses to go ahead.
class QUAY_EXPORT UseHold {
public:
    explicit UseHold(std::string table) : m_table(std::move(table)) { UseCounters::increment(m_table); }
    ~UseHold() { UseCounters::decrement(m_table); }
    UseHold(const UseHold&) = delete;
    UseHold& operator=(const UseHold&) = delete;

private:
    std::string m_table;
};

}  // namespace quay::core
