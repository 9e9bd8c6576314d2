// Keyed and sequential reads of a table handle.
//
// A sequential read is a keyset seek: the first records after the cursor's position
// in the key's index order. With m key components and a position (v1..vm, row id r),
// the records after it are, in order: those equal on all m values with a row id after
// r; then those equal on the first m-1 values whose m-th component follows vm; ...;
// then those whose first component follows v1. Each of these groups is one indexed
// range seek (TableSchema::seekSql level m down to 0), so a read costs a few index
// probes whatever the table's size, follows mixed ascending/descending components and
// NOCASE collation exactly as the index orders them, and holds no read transaction
// between calls. A unique key has at most one record per value tuple, so after a
// record the level-m group is empty and is skipped.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>

#include "record_codec.h"
#include "table_impl.h"

namespace quay::core::detail {

void TableImpl::moveCursorTo(const unsigned char* image, std::int64_t row) {
    if (image != m_cursorImage.data()) std::memcpy(m_cursorImage.data(), image, m_desc.recordSize);
    m_cursorRow = row;
    m_cursor = Cursor::At;
}

ErrorCode TableImpl::get(KeyId key) {
    if (requireOpen() != ErrorCode::None || requireKey(key) != ErrorCode::None) return m_status.code;
    const KeyDesc& k = m_desc.keys[static_cast<std::size_t>(key.index)];
    if (k.optional && keyIsBlank(m_desc, k, m_buffer)) return m_status.set(ErrorCode::RecordNotFound);
    const int m = static_cast<int>(k.parts.size());
    sqlite3_stmt* stmt = statement(Stmt::Seek, key.index, m, true);
    if (stmt == nullptr) return m_status.code;
    bindKeyValues(stmt, 1, m_desc, k, k.parts.size(), m_buffer);
    sqlite3_bind_int64(stmt, m + 1, kBeforeAll);
    sqlite3_bind_int64(stmt, m + 2, 1);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) {
        sqlite3_reset(stmt);
        return m_status.set(ErrorCode::RecordNotFound);
    }
    if (rc != SQLITE_ROW) return stepError(stmt, rc);
    // Decoded into scratch first: the bound key values point into the buffer.
    std::memcpy(m_scratch.data(), m_buffer, m_desc.recordSize);
    readRecord(stmt, TableSchema::kFirstFieldColumn, m_desc, m_scratch.data());
    const std::int64_t row = sqlite3_column_int64(stmt, TableSchema::kRowidColumn);
    const std::int64_t version = sqlite3_column_int64(stmt, TableSchema::kVersionColumn);
    sqlite3_reset(stmt);
    std::memcpy(m_buffer, m_scratch.data(), m_desc.recordSize);
    m_hasCurrent = true;
    m_currentRow = row;
    m_currentVersion = version;
    m_watching = false;
    dropBatch();
    m_cursorKey = key.index;
    moveCursorTo(m_buffer, row);
    return m_status.set(ErrorCode::None);
}

std::string TableImpl::position() const {
    if (!m_hasCurrent) return {};
    return m_schema.sqlName() + ":" + std::to_string(m_currentRow);
}

ErrorCode TableImpl::reget(const std::string& position) {
    if (requireOpen() != ErrorCode::None) return m_status.code;
    const std::string prefix = m_schema.sqlName() + ":";
    std::int64_t row = 0;
    if (position.size() <= prefix.size() || position.compare(0, prefix.size(), prefix) != 0)
        return m_status.set(ErrorCode::RecordNotFound);
    const char* first = position.data() + prefix.size();
    const char* last = position.data() + position.size();
    const auto parsed = std::from_chars(first, last, row);
    if (parsed.ec != std::errc() || parsed.ptr != last) return m_status.set(ErrorCode::RecordNotFound);
    sqlite3_stmt* stmt = statement(Stmt::ByRowid);
    if (stmt == nullptr) return m_status.code;
    sqlite3_bind_int64(stmt, 1, row);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE) {
        sqlite3_reset(stmt);
        return m_status.set(ErrorCode::RecordNotFound);
    }
    if (rc != SQLITE_ROW) return stepError(stmt, rc);
    readRecord(stmt, TableSchema::kFirstFieldColumn, m_desc, m_buffer);
    m_currentVersion = sqlite3_column_int64(stmt, TableSchema::kVersionColumn);
    sqlite3_reset(stmt);
    m_hasCurrent = true;
    m_currentRow = row;
    m_watching = false;
    dropBatch();
    // A sequence in progress continues from the re-read record.
    if (m_cursor != Cursor::Unset) moveCursorTo(m_buffer, row);
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::set(KeyId key) {
    if (requireOpen() != ErrorCode::None || requireKey(key) != ErrorCode::None) return m_status.code;
    m_cursorKey = key.index;
    m_cursor = Cursor::Ends;
    dropBatch();
    m_nextBatch = kFirstBatch;
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::setAtKey(KeyId key) {
    if (requireOpen() != ErrorCode::None || requireKey(key) != ErrorCode::None) return m_status.code;
    m_cursorKey = key.index;
    moveCursorTo(m_buffer, kBeforeAll);
    dropBatch();
    m_nextBatch = kFirstBatch;
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::setEnd(KeyId key) {
    if (requireOpen() != ErrorCode::None || requireKey(key) != ErrorCode::None) return m_status.code;
    m_cursorKey = key.index;
    m_cursor = Cursor::End;
    dropBatch();
    m_nextBatch = kFirstBatch;
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::setFileOrder() {
    if (requireOpen() != ErrorCode::None) return m_status.code;
    m_cursorKey = -1;
    m_cursor = Cursor::Ends;
    dropBatch();
    m_nextBatch = kFirstBatch;
    return m_status.set(ErrorCode::None);
}

void TableImpl::takeBatchRow(std::size_t i) {
    const unsigned char* image = m_batchImages.data() + i * m_desc.recordSize;
    std::memcpy(m_buffer, image, m_desc.recordSize);
    m_hasCurrent = true;
    m_currentRow = m_batchRows[i];
    m_currentVersion = m_batchVersions[i];
    m_watching = false;
    moveCursorTo(image, m_currentRow);
}

ErrorCode TableImpl::read(bool forward) {
    if (requireOpen() != ErrorCode::None) return m_status.code;
    if (m_cursor == Cursor::Unset) return m_status.set(ErrorCode::RecordNotAvailable);
    const bool current = m_batchStamp == changeStamp();
    if (m_batchPos < m_batchCount && m_batchForward == forward && current) {
        takeBatchRow(m_batchPos++);
        return m_status.set(ErrorCode::None);
    }
    if (m_quickScan && m_batchCount > 0) {
        // Writes since the last fetch: fetch no more than was read before them.
        m_nextBatch = current ? std::min(kMaxBatch, m_nextBatch * 4) : std::max<std::size_t>(1, m_batchPos);
    }
    dropBatch();
    // A batch holds at most about a megabyte of records, whatever their size.
    const std::size_t limit =
        m_quickScan ? std::max<std::size_t>(1, std::min(m_nextBatch, kMaxBatchBytes / m_desc.recordSize)) : 1;
    if (fillBatch(forward, limit) != ErrorCode::None) return m_status.code;
    if (m_batchCount == 0) {
        // Off the end: a read the other way starts again from that end.
        m_cursor = forward ? Cursor::End : Cursor::Start;
        return m_status.set(ErrorCode::RecordNotAvailable);
    }
    m_batchForward = forward;
    m_batchStamp = changeStamp();
    takeBatchRow(m_batchPos++);
    return m_status.set(ErrorCode::None);
}

ErrorCode TableImpl::fillBatch(bool forward, std::size_t limit) {
    if (m_batchImages.size() < limit * m_desc.recordSize) {
        m_batchImages.resize(limit * m_desc.recordSize);
        m_batchRows.resize(limit);
        m_batchVersions.resize(limit);
    }
    if ((m_cursor == Cursor::End && forward) || (m_cursor == Cursor::Start && !forward)) return ErrorCode::None;
    const bool fromEnd = m_cursor != Cursor::At;
    if (m_cursorKey < 0) {
        sqlite3_stmt* stmt = statement(Stmt::FileOrder, 0, 0, forward);
        if (stmt == nullptr) return m_status.code;
        const std::int64_t after =
            fromEnd ? (forward ? kBeforeAll : std::numeric_limits<std::int64_t>::max()) : m_cursorRow;
        sqlite3_bind_int64(stmt, 1, after);
        return runBatchQuery(stmt, 2, limit);
    }
    if (fromEnd) {
        sqlite3_stmt* stmt = statement(Stmt::Scan, m_cursorKey, 0, forward);
        if (stmt == nullptr) return m_status.code;
        return runBatchQuery(stmt, 1, limit);
    }
    const KeyDesc& k = m_desc.keys[static_cast<std::size_t>(m_cursorKey)];
    const int m = static_cast<int>(k.parts.size());
    // Before every record of the key values (setAtKey): nothing can follow on row id
    // alone, and forward the first two groups are one range, component m at or after
    // its value. After a record of a unique key the row-id group is empty too.
    const bool beforeValues = m_cursorRow == kBeforeAll;
    const int top = (beforeValues || k.unique) ? m - 1 : m;
    for (int level = top; level >= 0 && m_batchCount < limit; --level) {
        const bool inclusive = beforeValues && forward && level == m - 1;
        sqlite3_stmt* stmt = statement(inclusive ? Stmt::SeekInclusive : Stmt::Seek, m_cursorKey, level, forward);
        if (stmt == nullptr) return m_status.code;
        if (level < m) {
            bindKeyValues(stmt, 1, m_desc, k, static_cast<std::size_t>(level) + 1, m_cursorImage.data());
        } else {
            bindKeyValues(stmt, 1, m_desc, k, k.parts.size(), m_cursorImage.data());
            sqlite3_bind_int64(stmt, m + 1, m_cursorRow);
        }
        if (runBatchQuery(stmt, static_cast<std::size_t>(level) + 2, limit) != ErrorCode::None) return m_status.code;
    }
    return ErrorCode::None;
}

ErrorCode TableImpl::runBatchQuery(sqlite3_stmt* stmt, std::size_t limitParam, std::size_t limit) {
    sqlite3_bind_int64(stmt, static_cast<int>(limitParam), static_cast<sqlite3_int64>(limit - m_batchCount));
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        unsigned char* image = m_batchImages.data() + m_batchCount * m_desc.recordSize;
        // Start from the handle's buffer so bytes no field describes keep their value.
        std::memcpy(image, m_buffer, m_desc.recordSize);
        readRecord(stmt, TableSchema::kFirstFieldColumn, m_desc, image);
        m_batchRows[m_batchCount] = sqlite3_column_int64(stmt, TableSchema::kRowidColumn);
        m_batchVersions[m_batchCount] = sqlite3_column_int64(stmt, TableSchema::kVersionColumn);
        ++m_batchCount;
    }
    if (rc != SQLITE_DONE) {
        dropBatch();
        return stepError(stmt, rc);
    }
    sqlite3_reset(stmt);
    return ErrorCode::None;
}

ErrorCode TableImpl::send(std::string_view command) {
    std::string c;
    for (char ch : command) {
        if (ch != ' ' && ch != '\t') c += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    if (c == "quickscan=on") {
        m_quickScan = true;
        return m_status.set(ErrorCode::None);
    }
    if (c == "quickscan=off") {
        m_quickScan = false;
        dropBatch();
        return m_status.set(ErrorCode::None);
    }
    if (c.rfind("recover=", 0) == 0) {
        int seconds = -1;
        const char* first = c.data() + 8;
        const char* last = c.data() + c.size();
        const auto parsed = std::from_chars(first, last, seconds);
        if (parsed.ec == std::errc() && parsed.ptr == last && first != last && seconds >= 0 && seconds <= 3600) {
            m_recoverSeconds = seconds;
            return m_status.set(ErrorCode::None);
        }
    }
    return m_status.set(ErrorCode::DriverError, "unknown driver command: " + std::string(command), 0);
}

}  // namespace quay::core::detail
