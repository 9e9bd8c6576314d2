// "This table is open by someone", visible to every process on the machine: each open
// table handle holds an open-file-description lock on one byte of the data
// directory's lock file, the byte chosen by the table's SQL name. A shared open holds
// a read lock, an exclusive open a write lock. Each TableLock opens the lock file
// itself, so two handles of one process have two file descriptions and their locks
// conflict exactly as two processes' locks do.
// Not thread-safe; owned by one table handle.
#pragma once

#include <cstdint>
#include <string>

#include "quay/store/error_code.h"

namespace quay::core::detail {

class TableLock {
public:
    enum class Outcome { Held, Conflict, Failed };

    TableLock() = default;
    ~TableLock();
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;

    // The byte of the lock file that stands for the SQL table `sqlTable`.
    static std::uint64_t slotFor(const std::string& sqlTable);

    // Takes a read (shared) or write (exclusive) lock on `slot` of the lock file at
    // `path` without waiting. Conflict: another description holds a conflicting lock.
    // Failed: the lock file could not be opened or locked (errorText() says why).
    Outcome acquire(const std::string& path, std::uint64_t slot, bool exclusive);

    // Turns a held lock into a write lock (Conflict while others hold the byte) or
    // back into a read lock.
    Outcome upgrade();
    void downgrade();

    void release();
    bool isHeld() const { return m_fd >= 0; }
    const std::string& errorText() const { return m_errorText; }

private:
    Outcome setLock(short type);

    int m_fd = -1;
    std::uint64_t m_slot = 0;
    std::string m_errorText;
};

}  // namespace quay::core::detail
