// File-level calls of a table handle: open, create, close, remove, build keys, and
// the checks of the stored schema that open runs.
//
// Open order: the data set must be open; the handle takes its lock (FileLocked /
// AccessDenied, retried for the seconds a "Recover=N" allowed); the SQL table must
// exist (FileNotFound); then the stored layout fingerprint must equal the program's
// (LayoutMismatch) and the stored indexes must be exactly the keys' indexes
// (InvalidKeyFile). A failed open leaves the handle closed and holds no lock.
//
// Create, remove and build keys write several statements, under
// DatabaseImpl::beginWrite, so each is whole or not at all.
#include <chrono>
#include <thread>

#include "table_impl.h"

namespace quay::core::detail {

namespace {

// Index texts are compared without regard to case: SQL identifiers are not
// case-sensitive, and field names are not either.
bool equalsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && sqlite3_strnicmp(a.c_str(), b.c_str(), static_cast<int>(a.size())) == 0;
}

}  // namespace

ErrorCode TableImpl::tableExists(bool& exists) {
    exists = false;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db.handle(),
                                "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE", -1,
                                &stmt, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, m_schema.sqlName().c_str(), -1, SQLITE_STATIC);
        rc = sqlite3_step(stmt);
        exists = rc == SQLITE_ROW;
        if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK) return m_status.setSqlite(m_db.handle(), rc);
    return ErrorCode::None;
}

ErrorCode TableImpl::checkLayout() {
    sqlite3_stmt* stmt = nullptr;
    int rc =
        sqlite3_prepare_v2(m_db.handle(), "SELECT layout FROM quay_layout WHERE sql_table = ?1", -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        if (rc != SQLITE_ERROR) return m_status.setSqlite(m_db.handle(), rc);
        // No metadata table: the table was not made by this program.
        return m_status.set(ErrorCode::LayoutMismatch, "no stored layout for " + m_schema.sqlName(), 0);
    }
    sqlite3_bind_text(stmt, 1, m_schema.sqlName().c_str(), -1, SQLITE_STATIC);
    rc = sqlite3_step(stmt);
    std::string stored;
    if (rc == SQLITE_ROW) stored = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) return m_status.setSqlite(m_db.handle(), rc);
    if (rc == SQLITE_DONE)
        return m_status.set(ErrorCode::LayoutMismatch, "no stored layout for " + m_schema.sqlName(), 0);
    if (stored != m_schema.layoutFingerprint())
        return m_status.set(ErrorCode::LayoutMismatch, "stored layout of " + m_schema.sqlName() + " differs", 0);
    return ErrorCode::None;
}

ErrorCode TableImpl::checkIndexes() {
    sqlite3_stmt* stmt = nullptr;
    int rc =
        sqlite3_prepare_v2(m_db.handle(),
                           "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 COLLATE NOCASE"
                           " AND sql IS NOT NULL",
                           -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return m_status.setSqlite(m_db.handle(), rc);
    }
    sqlite3_bind_text(stmt, 1, m_schema.sqlName().c_str(), -1, SQLITE_STATIC);
    std::size_t matched = 0;
    std::size_t found = 0;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ++found;
        const std::string name = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        const std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
        for (const auto& expected : m_schema.indexes()) {
            if (equalsNoCase(expected.first, name) && equalsNoCase(expected.second, sql)) ++matched;
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) return m_status.setSqlite(m_db.handle(), rc);
    if (matched != m_schema.indexes().size() || found != matched)
        return m_status.set(ErrorCode::InvalidKeyFile, "the keys of " + m_schema.sqlName() + " do not match", 0);
    return ErrorCode::None;
}

ErrorCode TableImpl::open(OpenMode mode) {
    if (m_open) return m_status.set(ErrorCode::AlreadyOpen);
    if (requireDatabase() != ErrorCode::None) return m_status.code;
    // The lock comes first: once it is held no other station can remove the table or
    // rebuild its keys, so what the checks below find stays true while it is open.
    const bool exclusive = mode == OpenMode::Exclusive;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(m_recoverSeconds);
    m_recoverSeconds = 0;
    for (;;) {
        const TableLock::Outcome o =
            m_lock.acquire(m_db.lockFilePath(), TableLock::slotFor(m_schema.sqlName()), exclusive);
        if (o == TableLock::Outcome::Held) break;
        if (o == TableLock::Outcome::Failed) return m_status.set(ErrorCode::DriverError, m_lock.errorText(), 0);
        if (std::chrono::steady_clock::now() >= deadline)
            return m_status.set(exclusive ? ErrorCode::AccessDenied : ErrorCode::FileLocked);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    bool exists = false;
    if (tableExists(exists) != ErrorCode::None || !exists || checkLayout() != ErrorCode::None ||
        checkIndexes() != ErrorCode::None) {
        m_lock.release();
        if (m_status.code == ErrorCode::None) m_status.set(ErrorCode::FileNotFound);
        return m_status.code;
    }
    m_open = true;
    m_mode = mode;
    m_hasCurrent = false;
    m_watching = false;
    m_cursor = Cursor::Unset;
    dropBatch();
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::create() {
    if (requireDatabase() != ErrorCode::None) return m_status.code;
    bool exists = false;
    if (tableExists(exists) != ErrorCode::None) return m_status.code;
    if (exists) {
        if (checkLayout() != ErrorCode::None) return m_status.code;
        return m_status.set(ErrorCode::None);
    }
    if (m_db.beginWrite(m_status) != ErrorCode::None) return m_status.code;
    // Another station may have created it between the look and the write lock.
    if (tableExists(exists) != ErrorCode::None || exists) {
        const bool failed = m_status.code != ErrorCode::None;
        m_db.endWrite(false, m_status);
        if (failed) return m_status.code;
        if (checkLayout() != ErrorCode::None) return m_status.code;
        return m_status.set(ErrorCode::None);
    }
    bool ok = m_db.ensureMetadata(m_status) == ErrorCode::None &&
              m_db.exec(m_schema.createTableSql(), m_status) == ErrorCode::None;
    for (const auto& index : m_schema.indexes()) {
        if (ok) ok = m_db.exec(index.second, m_status) == ErrorCode::None;
    }
    if (ok) {
        sqlite3_stmt* stmt = nullptr;
        int rc =
            sqlite3_prepare_v2(m_db.handle(), "INSERT OR REPLACE INTO quay_layout (sql_table, layout) VALUES (?1, ?2)",
                               -1, &stmt, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_bind_text(stmt, 1, m_schema.sqlName().c_str(), -1, SQLITE_STATIC);
            sqlite3_bind_text(stmt, 2, m_schema.layoutFingerprint().c_str(), -1, SQLITE_STATIC);
            rc = sqlite3_step(stmt);
            if (rc == SQLITE_DONE) rc = SQLITE_OK;
        }
        sqlite3_finalize(stmt);
        if (rc != SQLITE_OK) {
            m_status.setSqlite(m_db.handle(), rc);
            ok = false;
        }
    }
    if (m_db.endWrite(ok, m_status) != ErrorCode::None) return m_status.code;
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::close() {
    if (!m_open) return m_status.set(ErrorCode::FileNotOpen);
    m_lock.release();
    m_open = false;
    m_hasCurrent = false;
    m_watching = false;
    m_cursor = Cursor::Unset;
    dropBatch();
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::remove() {
    if (requireDatabase() != ErrorCode::None) return m_status.code;
    bool exists = false;
    if (tableExists(exists) != ErrorCode::None) return m_status.code;
    if (!exists) return m_status.set(ErrorCode::FileNotFound);
    // A lock of our own, on a description of our own: it conflicts with this handle's
    // lock too, so removing a table this handle has open is refused like any other.
    TableLock exclusive;
    const TableLock::Outcome o = exclusive.acquire(m_db.lockFilePath(), TableLock::slotFor(m_schema.sqlName()), true);
    if (o == TableLock::Outcome::Conflict) return m_status.set(ErrorCode::AccessDenied);
    if (o == TableLock::Outcome::Failed) return m_status.set(ErrorCode::DriverError, exclusive.errorText(), 0);
    if (m_db.beginWrite(m_status) != ErrorCode::None) return m_status.code;
    bool ok = m_db.exec("DROP TABLE \"" + m_schema.sqlName() + "\"", m_status) == ErrorCode::None;
    if (ok)
        ok = m_db.exec("DELETE FROM quay_layout WHERE sql_table = '" + m_schema.sqlName() + "'", m_status) ==
             ErrorCode::None;
    if (m_db.endWrite(ok, m_status) != ErrorCode::None) return m_status.code;
    m_hasCurrent = false;
    m_cursor = Cursor::Unset;
    dropBatch();
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::buildKeys() {
    if (requireDatabase() != ErrorCode::None) return m_status.code;
    bool exists = false;
    if (tableExists(exists) != ErrorCode::None) return m_status.code;
    if (!exists) return m_status.set(ErrorCode::FileNotFound);
    // Rebuilding needs the table to itself, like an exclusive open.
    TableLock own;
    bool upgraded = false;
    if (m_open) {
        if (m_mode == OpenMode::Shared) {
            if (m_lock.upgrade() != TableLock::Outcome::Held) return m_status.set(ErrorCode::AccessDenied);
            upgraded = true;
        }
    } else {
        const TableLock::Outcome o = own.acquire(m_db.lockFilePath(), TableLock::slotFor(m_schema.sqlName()), true);
        if (o == TableLock::Outcome::Conflict) return m_status.set(ErrorCode::AccessDenied);
        if (o == TableLock::Outcome::Failed) return m_status.set(ErrorCode::DriverError, own.errorText(), 0);
    }
    ErrorCode result = checkLayout();
    if (result == ErrorCode::None && m_db.beginWrite(m_status) == ErrorCode::None) {
        std::vector<std::string> existing;
        sqlite3_stmt* stmt = nullptr;
        bool ok =
            sqlite3_prepare_v2(m_db.handle(),
                               "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 COLLATE NOCASE"
                               " AND sql IS NOT NULL",
                               -1, &stmt, nullptr) == SQLITE_OK;
        if (ok) {
            sqlite3_bind_text(stmt, 1, m_schema.sqlName().c_str(), -1, SQLITE_STATIC);
            while (sqlite3_step(stmt) == SQLITE_ROW)
                existing.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        } else {
            m_status.setSqlite(m_db.handle(), sqlite3_errcode(m_db.handle()));
        }
        sqlite3_finalize(stmt);
        for (const std::string& name : existing) {
            std::string q;
            for (char c : name) q += c == '"' ? std::string("\"\"") : std::string(1, c);
            if (ok) ok = m_db.exec("DROP INDEX \"" + q + "\"", m_status) == ErrorCode::None;
        }
        for (const auto& index : m_schema.indexes()) {
            if (ok) ok = m_db.exec(index.second, m_status) == ErrorCode::None;
        }
        result = m_db.endWrite(ok, m_status);
        if (ok && result == ErrorCode::None) result = m_status.set(ErrorCode::None);
    } else {
        result = m_status.code;
    }
    if (upgraded) m_lock.downgrade();
    dropBatch();
    return result;
}

}  // namespace quay::core::detail
