// File-level calls and record writes of a table handle.
//
// Open order: the data set must be open; the handle takes its lock (FileLocked /
// AccessDenied, retried for the seconds a "Recover=N" allowed); the SQL table must
// exist (FileNotFound); then the stored layout fingerprint must equal the program's
// (LayoutMismatch) and the stored indexes must be exactly the keys' indexes
// (InvalidKeyFile). A failed open leaves the handle closed and holds no lock.
//
// Writes outside a transaction are single statements, which the engine runs in their
// own write transaction, taking the write lock before it reads (so they wait at most
// the busy timeout and never see a stale snapshot). Writes of several statements
// (create, remove, build keys) run under DatabaseImpl::beginWrite.
#include "table_impl.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "record_codec.h"

namespace quay::core::detail {

namespace {

// Index texts are compared without regard to case: SQL identifiers are not
// case-sensitive, and field names are not either.
bool equalsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && sqlite3_strnicmp(a.c_str(), b.c_str(), static_cast<int>(a.size())) == 0;
}

std::int64_t freshVersion() {
    std::int64_t v = 0;
    sqlite3_randomness(sizeof v, &v);
    return v & std::numeric_limits<std::int64_t>::max();
}

}  // namespace

TableImpl::TableImpl(DatabaseImpl& db, const TableDesc& desc, void* buffer)
    : m_db(db),
      m_desc(desc),
      m_buffer(static_cast<unsigned char*>(buffer)),
      m_schema(desc),
      m_cursorImage(desc.recordSize),
      m_scratch(desc.recordSize) {}

TableImpl::~TableImpl() {
    for (auto& entry : m_statements) sqlite3_finalize(entry.second);
}

sqlite3_stmt* TableImpl::statement(Stmt kind, int key, int level, bool forward) {
    const std::uint32_t id = (static_cast<std::uint32_t>(kind) << 24) | (static_cast<std::uint32_t>(key) << 16) |
                             (static_cast<std::uint32_t>(level) << 8) | (forward ? 1u : 0u);
    auto it = m_statements.find(id);
    if (it != m_statements.end()) return it->second;
    std::string sql;
    switch (kind) {
    case Stmt::Insert: sql = m_schema.insertSql(); break;
    case Stmt::Update: sql = m_schema.updateSql(); break;
    case Stmt::UpdateWatched: sql = m_schema.updateWatchedSql(); break;
    case Stmt::Delete: sql = m_schema.deleteSql(); break;
    case Stmt::ByRowid: sql = m_schema.selectByRowidSql(); break;
    case Stmt::VersionByRowid: sql = m_schema.versionByRowidSql(); break;
    case Stmt::Count: sql = m_schema.countSql(); break;
    case Stmt::Seek: sql = m_schema.seekSql(key, level, forward); break;
    case Stmt::SeekInclusive: sql = m_schema.seekSql(key, level, forward, true); break;
    case Stmt::Scan: sql = m_schema.scanSql(key, forward); break;
    case Stmt::FileOrder: sql = m_schema.fileOrderSql(forward); break;
    case Stmt::Duplicate: sql = m_schema.duplicateSql(key); break;
    }
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(m_db.handle(), sql.c_str(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        m_status.setSqlite(m_db.handle(), rc);
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_statements.emplace(id, stmt);
    return stmt;
}

ErrorCode TableImpl::requireDatabase() {
    if (m_db.isOpen()) return ErrorCode::None;
    const StoreStatus& s = m_db.status();
    return m_status.set(ErrorCode::DriverError, s.driverText.empty() ? "the data set is not open" : s.driverText,
                        s.driverCode);
}

ErrorCode TableImpl::requireOpen() {
    if (!m_open) return m_status.set(ErrorCode::FileNotOpen);
    return ErrorCode::None;
}

ErrorCode TableImpl::requireKey(KeyId key) {
    if (key.index < 0 || static_cast<std::size_t>(key.index) >= m_desc.keys.size())
        return m_status.set(ErrorCode::DriverError, "no key " + std::to_string(key.index) + " in " + m_desc.name, 0);
    return ErrorCode::None;
}

ErrorCode TableImpl::stepError(sqlite3_stmt* stmt, int rc) {
    const ErrorCode c = m_status.setSqlite(m_db.handle(), rc);
    sqlite3_reset(stmt);
    return c;
}

ErrorCode TableImpl::tableExists(bool& exists) {
    exists = false;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db.handle(), "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1", -1,
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
    int rc = sqlite3_prepare_v2(m_db.handle(), "SELECT layout FROM quay_layout WHERE sql_table = ?1", -1, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        // No metadata table: the table was not made by this program.
        sqlite3_finalize(stmt);
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
    int rc = sqlite3_prepare_v2(m_db.handle(),
                                "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1"
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
        int rc = sqlite3_prepare_v2(m_db.handle(), "INSERT OR REPLACE INTO quay_layout (sql_table, layout) VALUES (?1, ?2)",
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
    if (ok) ok = m_db.exec("DELETE FROM quay_layout WHERE sql_table = '" + m_schema.sqlName() + "'", m_status) == ErrorCode::None;
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
        bool ok = sqlite3_prepare_v2(m_db.handle(),
                                     "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1"
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

void TableImpl::noteDuplicate(std::int64_t ownRow) {
    const StoreStatus failure = m_status;
    m_duplicateKey = -1;
    for (std::size_t k = 0; k < m_desc.keys.size(); ++k) {
        if (m_desc.keys[k].unique && duplicateOf(static_cast<int>(k), ownRow)) {
            m_duplicateKey = static_cast<int>(k);
            break;
        }
    }
    m_status = failure;
}

ErrorCode TableImpl::add() {
    if (requireOpen() != ErrorCode::None) return m_status.code;
    sqlite3_stmt* stmt = statement(Stmt::Insert);
    if (stmt == nullptr) return m_status.code;
    const std::int64_t version = freshVersion();
    sqlite3_bind_int64(stmt, 1, version);
    bindRecord(stmt, 2, m_desc, m_buffer);
    const int rc = sqlite3_step(stmt);
    m_db.noteChange();
    if (rc != SQLITE_DONE) {
        if (stepError(stmt, rc) == ErrorCode::DuplicateKey) noteDuplicate(0);
        return m_status.code;
    }
    sqlite3_reset(stmt);
    m_hasCurrent = true;
    m_currentRow = sqlite3_last_insert_rowid(m_db.handle());
    m_currentVersion = version;
    m_watching = false;
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::put() {
    if (requireOpen() != ErrorCode::None) return m_status.code;
    if (!m_hasCurrent) return m_status.set(ErrorCode::RecordNotAvailable);
    sqlite3_stmt* stmt = statement(m_watching ? Stmt::UpdateWatched : Stmt::Update);
    if (stmt == nullptr) return m_status.code;
    const int n = static_cast<int>(m_desc.fields.size());
    const std::int64_t version = freshVersion();
    bindRecord(stmt, 1, m_desc, m_buffer);
    sqlite3_bind_int64(stmt, n + 1, version);
    sqlite3_bind_int64(stmt, n + 2, m_currentRow);
    if (m_watching) sqlite3_bind_int64(stmt, n + 3, m_watchedVersion);
    const int rc = sqlite3_step(stmt);
    m_db.noteChange();
    if (rc != SQLITE_DONE) {
        if (stepError(stmt, rc) == ErrorCode::DuplicateKey) noteDuplicate(m_currentRow);
        return m_status.code;
    }
    sqlite3_reset(stmt);
    if (sqlite3_changes(m_db.handle()) == 0) {
        // Nothing written: the record is gone, or (watched) another station changed it.
        sqlite3_stmt* probe = statement(Stmt::VersionByRowid);
        if (probe == nullptr) return m_status.code;
        sqlite3_bind_int64(probe, 1, m_currentRow);
        const int prc = sqlite3_step(probe);
        sqlite3_reset(probe);
        if (prc == SQLITE_ROW) return m_status.set(ErrorCode::ChangedByOtherStation);
        if (prc != SQLITE_DONE) return m_status.setSqlite(m_db.handle(), prc);
        m_hasCurrent = false;
        return m_status.set(ErrorCode::RecordNotAvailable);
    }
    m_currentVersion = version;
    m_watching = false;
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::erase() {
    if (requireOpen() != ErrorCode::None) return m_status.code;
    if (!m_hasCurrent) return m_status.set(ErrorCode::RecordNotAvailable);
    sqlite3_stmt* stmt = statement(Stmt::Delete);
    if (stmt == nullptr) return m_status.code;
    sqlite3_bind_int64(stmt, 1, m_currentRow);
    const int rc = sqlite3_step(stmt);
    m_db.noteChange();
    if (rc != SQLITE_DONE) return stepError(stmt, rc);
    sqlite3_reset(stmt);
    const bool removed = sqlite3_changes(m_db.handle()) > 0;
    m_hasCurrent = false;
    m_watching = false;
    return m_status.set(removed ? ErrorCode::None : ErrorCode::RecordNotAvailable);
}

void TableImpl::clear() { clearRecord(m_desc, m_buffer); }

void TableImpl::watch() {
    m_watching = m_hasCurrent;
    m_watchedVersion = m_currentVersion;
}

bool TableImpl::duplicate(KeyId key) {
    if (requireOpen() != ErrorCode::None || requireKey(key) != ErrorCode::None) return false;
    return duplicateOf(key.index, m_hasCurrent ? m_currentRow : 0);
}

bool TableImpl::duplicateOf(int key, std::int64_t ownRow) {
    const KeyDesc& k = m_desc.keys[static_cast<std::size_t>(key)];
    if (!k.unique || (k.optional && keyIsBlank(m_desc, k, m_buffer))) return false;
    sqlite3_stmt* stmt = statement(Stmt::Duplicate, key);
    if (stmt == nullptr) return false;
    bindKeyValues(stmt, 1, m_desc, k, k.parts.size(), m_buffer);
    sqlite3_bind_int64(stmt, static_cast<int>(k.parts.size()) + 1, ownRow);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) m_status.setSqlite(m_db.handle(), rc);
    return rc == SQLITE_ROW;
}

bool TableImpl::duplicate() {
    for (std::size_t k = 0; k < m_desc.keys.size(); ++k) {
        if (duplicate(KeyId{static_cast<int>(k)})) return true;
    }
    return false;
}

std::int64_t TableImpl::records() {
    if (requireOpen() != ErrorCode::None) return 0;
    sqlite3_stmt* stmt = statement(Stmt::Count);
    if (stmt == nullptr) return 0;
    const int rc = sqlite3_step(stmt);
    const std::int64_t n = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW) m_status.setSqlite(m_db.handle(), rc);
    else m_status.set(ErrorCode::None);
    return n;
}

}  // namespace quay::core::detail
