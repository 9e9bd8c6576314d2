// Record writes of a table handle and the statements it prepares.
//
// Writes outside a transaction are single statements, which the engine runs in their
// own write transaction, taking the write lock before it reads (so they wait at most
// the busy timeout and never see a stale snapshot). A refused write changes nothing:
// the engine undoes the statement whole.
#include "table_impl.h"

#include <cstring>

#include "quay/store/store_faults.h"
#include "record_codec.h"

namespace quay::core::detail {

TableImpl::TableImpl(DatabaseImpl& db, const TableDesc& desc, void* buffer)
    : m_db(db),
      m_desc(desc),
      m_buffer(static_cast<unsigned char*>(buffer)),
      m_schema(desc),
      m_cursorImage(desc.recordSize),
      m_scratch(desc.recordSize),
      m_tableChanges(&db.tableChanges(m_schema.sqlName())) {}

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

ErrorCode TableImpl::injectedFailure() {
    return m_status.set(ErrorCode::DriverError, StoreFaults::kInjectedText, SQLITE_IOERR);
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
    if (faultDue("add", m_desc.name)) return injectedFailure();
    sqlite3_stmt* stmt = statement(Stmt::Insert);
    if (stmt == nullptr) return m_status.code;
    const std::int64_t version = m_db.nextVersion();
    sqlite3_bind_int64(stmt, 1, version);
    bindRecord(stmt, 2, m_desc, m_buffer);
    const int rc = sqlite3_step(stmt);
    noteWrite();
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
    if (faultDue("put", m_desc.name)) return injectedFailure();
    sqlite3_stmt* stmt = statement(m_watching ? Stmt::UpdateWatched : Stmt::Update);
    if (stmt == nullptr) return m_status.code;
    const int n = static_cast<int>(m_desc.fields.size());
    const std::int64_t version = m_db.nextVersion();
    bindRecord(stmt, 1, m_desc, m_buffer);
    sqlite3_bind_int64(stmt, n + 1, version);
    sqlite3_bind_int64(stmt, n + 2, m_currentRow);
    if (m_watching) sqlite3_bind_int64(stmt, n + 3, m_watchedVersion);
    const int rc = sqlite3_step(stmt);
    noteWrite();
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
    if (faultDue("erase", m_desc.name)) return injectedFailure();
    sqlite3_stmt* stmt = statement(Stmt::Delete);
    if (stmt == nullptr) return m_status.code;
    sqlite3_bind_int64(stmt, 1, m_currentRow);
    const int rc = sqlite3_step(stmt);
    noteWrite();
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
    if (rc != SQLITE_ROW)
        m_status.setSqlite(m_db.handle(), rc);
    else
        m_status.set(ErrorCode::None);
    return n;
}

}  // namespace quay::core::detail
