// The connection behind a Database: one SQLite connection to the data set of a data
// directory, shared by every table handle opened on it, so that two handles on one
// file see each other's writes at once.
//
// Invariants: while isOpen(), m_db is a connection in WAL mode with extended result
// codes, a 2-second busy timeout and full synchronisation. Change counts tell the
// handles' read-ahead batches whether they are still current: each SQL table has one
// that grows on every record write to it through this connection, and m_changeCount
// grows on every rollback and schema change, which may touch any table.
// Not thread-safe: one thread uses a connection at a time.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "quay/store/store_status.h"

struct sqlite3;

namespace quay::core::detail {

class DatabaseImpl {
public:
    static constexpr const char* kDatabaseFile = "billquay.sqlite3";
    static constexpr const char* kLockFile = "billquay.locks";
    static constexpr int kBusyTimeoutMs = 2000;
    static constexpr const char* kConnectionPragmas = "PRAGMA synchronous=FULL; PRAGMA cache_size=-65536";

    explicit DatabaseImpl(std::string directory);
    ~DatabaseImpl();
    DatabaseImpl(const DatabaseImpl&) = delete;
    DatabaseImpl& operator=(const DatabaseImpl&) = delete;

    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db; }
    const std::string& directory() const { return m_directory; }
    std::string lockFilePath() const;
    const StoreStatus& status() const { return m_status; }

    // Runs SQL without results. On failure `into` receives the translated code.
    ErrorCode exec(const std::string& sql, StoreStatus& into);

    // Writes of several statements outside a transaction take the write lock first
    // (BEGIN IMMEDIATE) and commit at the end; inside a transaction they run in a
    // savepoint so a failure undoes only their own part.
    ErrorCode beginWrite(StoreStatus& into);
    ErrorCode endWrite(bool ok, StoreStatus& into);

    // The transaction of Transaction objects.
    bool inTransaction() const { return m_inTransaction; }
    ErrorCode beginTransaction(StoreStatus& into);
    ErrorCode commitTransaction(StoreStatus& into);
    ErrorCode rollbackTransaction(StoreStatus& into);

    std::uint64_t changeCount() const { return m_changeCount; }
    void noteChange() { ++m_changeCount; }
    // A fresh row version: a counter that starts at a random point per connection, so
    // versions written by different stations practically never meet.
    std::int64_t nextVersion() { return static_cast<std::int64_t>(++m_version & 0x7fffffffffffffffull); }

    // The record-write count of one SQL table; the reference stays valid for the
    // connection's life.
    std::uint64_t& tableChanges(const std::string& sqlTable) { return m_tableChanges[sqlTable]; }

    // Creates the store's own metadata table when missing.
    ErrorCode ensureMetadata(StoreStatus& into);

    // The engine's busy handler: waits in short, jittered naps until another station's
    // write is over, giving up after kBusyTimeoutMs.
    static int busyWait(void* self, int attempt);

private:
    std::string m_directory;
    sqlite3* m_db = nullptr;
    StoreStatus m_status;
    bool m_inTransaction = false;
    int m_writeDepth = 0;
    std::uint64_t m_changeCount = 0;
    std::uint64_t m_version = 0;
    std::unordered_map<std::string, std::uint64_t> m_tableChanges;
    std::chrono::steady_clock::time_point m_busySince{};
    std::uint64_t m_jitter = 0x9E3779B97F4A7C15ull;
};

}  // namespace quay::core::detail
