// Opening the data set: the database file is created when missing and switched to WAL
// mode once (the mode is kept in the file, so later opens find it set); each
// connection then sets its busy handler (2 seconds), full synchronisation (a committed write
// survives a power cut), a page cache of up to 64 MiB (the keys of a million-record
// table stay in memory while it is filled or read), and extended result codes, and reads the schema once so that a
// file which is not a database is refused at open with the engine's own text.
#include "database_impl.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include <sqlite3.h>

#include "quay/store/store_faults.h"
#include "shared_files.h"
#include "sqlite_status.h"

namespace quay::core::detail {

ErrorCode StoreStatus::setSqlite(sqlite3* db, int rc) {
    const ErrorCode c = translateSqliteCode(rc);
    if (c == ErrorCode::None) return set(c);
    const char* text = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    return set(c, text != nullptr ? text : sqlite3_errstr(rc), rc);
}

namespace {

// Reads the first column of the first row of `sql` as text.
int queryText(sqlite3* db, const char* sql, std::string& out) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK) return rc;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(stmt, 0);
        out = t != nullptr ? reinterpret_cast<const char*>(t) : "";
        rc = SQLITE_OK;
    } else if (rc == SQLITE_DONE) {
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc;
}

}  // namespace

DatabaseImpl::DatabaseImpl(std::string directory) : m_directory(std::move(directory)) {
    struct stat st {};
    if (m_directory.empty() || ::stat(m_directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        m_status.set(ErrorCode::FileNotFound, "data directory not found: " + m_directory, 0);
        return;
    }
    const std::string path = m_directory + "/" + kDatabaseFile;
    // The database file is made here, empty (which the engine reads as a new
    // database), so that it is shared like its directory; the engine gives its
    // journal and shared-memory files the database file's permissions.
    if (const int fd = openSharedFile(path, m_directory); fd >= 0) ::close(fd);
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        m_status.setSqlite(db, rc);
        sqlite3_close_v2(db);
        return;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_handler(db, &DatabaseImpl::busyWait, this);

    // Stations starting together on a new data set all switch it to WAL at once; the
    // engine answers some of those switches "busy" at once, without calling the busy
    // handler (it will not wait where waiting could deadlock). The set-up is therefore
    // tried again, with short naps, for as long as the busy timeout allows.
    const auto setUpSince = std::chrono::steady_clock::now();
    for (;;) {
        std::string mode;
        rc = queryText(db, "PRAGMA journal_mode", mode);
        if (rc == SQLITE_OK && mode != "wal") rc = queryText(db, "PRAGMA journal_mode=WAL", mode);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kConnectionPragmas, nullptr, nullptr, nullptr);
        std::string count;
        if (rc == SQLITE_OK) rc = queryText(db, "SELECT count(*) FROM sqlite_master", count);
        const int primary = rc & 0xff;
        if (primary != SQLITE_BUSY && primary != SQLITE_LOCKED) break;
        if (std::chrono::steady_clock::now() - setUpSince >= std::chrono::milliseconds(kBusyTimeoutMs)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1 + (setUpSince.time_since_epoch().count() & 3)));
    }
    if (rc != SQLITE_OK) {
        m_status.setSqlite(db, rc);
        sqlite3_close_v2(db);
        return;
    }
    // Reseeding first: a process forked from another holds a copy of its generator
    // and would otherwise start its versions where the other's start.
    sqlite3_randomness(0, nullptr);
    sqlite3_randomness(sizeof m_version, &m_version);
    sqlite3_randomness(sizeof m_jitter, &m_jitter);
    m_jitter |= 1;  // never zero, or the jitter would stay zero
    m_db = db;
}

DatabaseImpl::~DatabaseImpl() {
    if (m_db == nullptr) return;
    if (!sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    // close_v2 waits for statements still held by handles that outlive the
    // connection object instead of failing.
    sqlite3_close_v2(m_db);
}

// The engine's own timeout handler naps ever longer (up to 100 ms) while it waits, so
// a station that has waited a while sleeps through the moments the lock is free and
// newcomers take it first: with eight stations saving at once some saves then wait
// close to the 2 seconds and fail with 43. Short naps of 0.5 to 2 ms, jittered so the
// waiting stations do not wake in step, keep the wait close to the time the lock is
// really held, for a few cheap lock attempts a millisecond.
int DatabaseImpl::busyWait(void* self, int attempt) {
    auto* d = static_cast<DatabaseImpl*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) d->m_busySince = now;
    if (now - d->m_busySince >= std::chrono::milliseconds(kBusyTimeoutMs)) return 0;
    d->m_jitter ^= d->m_jitter << 13;
    d->m_jitter ^= d->m_jitter >> 7;
    d->m_jitter ^= d->m_jitter << 17;
    std::this_thread::sleep_for(std::chrono::microseconds(500 + d->m_jitter % 1500));
    return 1;
}

std::string DatabaseImpl::lockFilePath() const { return m_directory + "/" + kLockFile; }

ErrorCode DatabaseImpl::exec(const std::string& sql, StoreStatus& into) {
    if (m_db == nullptr) return into.set(ErrorCode::DriverError, m_status.driverText, m_status.driverCode);
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return into.setSqlite(m_db, rc);
    return into.set(ErrorCode::None);
}

ErrorCode DatabaseImpl::beginWrite(StoreStatus& into) {
    // REQUIRES: no write scope is already open on this connection.
    const bool nested = m_inTransaction && !sqlite3_get_autocommit(m_db);
    const ErrorCode c = exec(nested ? "SAVEPOINT quay_write" : "BEGIN IMMEDIATE", into);
    if (c == ErrorCode::None) ++m_writeDepth;
    return c;
}

ErrorCode DatabaseImpl::endWrite(bool ok, StoreStatus& into) {
    --m_writeDepth;
    noteChange();
    const bool nested = m_inTransaction && !sqlite3_get_autocommit(m_db);
    if (nested) {
        StoreStatus ignored;
        if (!ok) exec("ROLLBACK TO quay_write", ignored);
        const ErrorCode c = exec("RELEASE quay_write", ok ? into : ignored);
        return ok ? c : into.code;
    }
    if (ok) {
        const ErrorCode c = exec("COMMIT", into);
        if (c != ErrorCode::None && !sqlite3_get_autocommit(m_db)) {
            StoreStatus ignored;
            exec("ROLLBACK", ignored);
        }
        return c;
    }
    if (!sqlite3_get_autocommit(m_db)) {
        StoreStatus ignored;
        exec("ROLLBACK", ignored);
    }
    return into.code;
}

ErrorCode DatabaseImpl::beginTransaction(StoreStatus& into) {
    if (m_db == nullptr) return into.set(ErrorCode::DriverError, m_status.driverText, m_status.driverCode);
    if (m_inTransaction)
        return into.set(ErrorCode::DriverError, "a transaction is already running on this connection", 0);
    // BEGIN IMMEDIATE takes the write lock now, waiting at most the busy timeout for
    // other stations' writes to finish; a deferred begin could fail later, halfway.
    const ErrorCode c = exec("BEGIN IMMEDIATE", into);
    if (c == ErrorCode::None) m_inTransaction = true;
    return c;
}

ErrorCode DatabaseImpl::commitTransaction(StoreStatus& into) {
    if (!m_inTransaction) return into.set(ErrorCode::DriverError, "no transaction is running", 0);
    if (sqlite3_get_autocommit(m_db)) {
        // The engine already rolled the transaction back (disk full, I/O error): the
        // changes are gone, and saying so is the only honest answer.
        m_inTransaction = false;
        noteChange();
        return into.set(ErrorCode::DriverError, "the transaction was rolled back by the database engine", 0);
    }
    if (faultDue("commit", std::string())) {
        StoreStatus ignored;
        exec("ROLLBACK", ignored);
        noteChange();
        m_inTransaction = false;
        return into.set(ErrorCode::DriverError, StoreFaults::kInjectedText, SQLITE_IOERR);
    }
    const ErrorCode c = exec("COMMIT", into);
    if (c != ErrorCode::None) {
        StoreStatus ignored;
        if (!sqlite3_get_autocommit(m_db)) exec("ROLLBACK", ignored);
        noteChange();
    }
    m_inTransaction = false;
    return c;
}

ErrorCode DatabaseImpl::rollbackTransaction(StoreStatus& into) {
    if (!m_inTransaction) return into.set(ErrorCode::DriverError, "no transaction is running", 0);
    m_inTransaction = false;
    noteChange();
    if (sqlite3_get_autocommit(m_db)) return into.set(ErrorCode::None);
    return exec("ROLLBACK", into);
}

ErrorCode DatabaseImpl::ensureMetadata(StoreStatus& into) {
    return exec(
        "CREATE TABLE IF NOT EXISTS quay_layout (sql_table TEXT PRIMARY KEY, layout TEXT NOT NULL)"
        " WITHOUT ROWID",
        into);
}

}  // namespace quay::core::detail
