// The state of one table handle: its open state and lock, its current record, its
// sequential-read cursor with the read-ahead batch, and its prepared statements.
//
// Cursor: Unset until a set call; Ends (just set: next() reads from the first record,
// previous() from the last), Start (before the first record of the cursor's key),
// End (after the last), or At (a position between records given by the key values of
// m_cursorImage and the row id m_cursorRow; a row id of kBeforeAll stands for "before
// every record with these key values", which is what setAtKey makes). next() and
// previous() run keyset seeks from that position and move it to the record they
// return; running off either end moves it to End or Start.
//
// Read-ahead: with QUICKSCAN on, a seek fetches a batch of records after the position:
// first a list page of 20, then four times as many each time, up to 512. The batch is
// dropped when any handle on the connection writes to the same SQL table, on a
// rollback or schema change, when the direction changes, and on every set. A batch
// dropped by a write is followed by one no larger than what was read of it, so a loop
// that writes after every read (a mass update) reads one record per seek instead of
// fetching batches it throws away.
// The batch never holds a statement open: each seek is stepped to its limit and reset.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include <sqlite3.h>

#include "database_impl.h"
#include "quay/store/table.h"
#include "quay/store/store_status.h"
#include "table_lock.h"
#include "table_schema.h"

namespace quay::core::detail {

class TableImpl {
public:
    TableImpl(DatabaseImpl& db, const TableDesc& desc, void* buffer);
    ~TableImpl();
    TableImpl(const TableImpl&) = delete;
    TableImpl& operator=(const TableImpl&) = delete;

    const TableDesc& desc() const { return m_desc; }
    const DatabaseImpl& database() const { return m_db; }
    void* buffer() { return m_buffer; }
    const StoreStatus& status() const { return m_status; }
    bool isOpen() const { return m_open; }

    ErrorCode open(OpenMode mode);
    ErrorCode create();
    ErrorCode close();
    ErrorCode remove();
    ErrorCode buildKeys();

    ErrorCode add();
    ErrorCode put();
    ErrorCode erase();
    ErrorCode get(KeyId key);
    ErrorCode reget(const std::string& position);
    std::string position() const;
    void clear();

    ErrorCode set(KeyId key);
    ErrorCode setAtKey(KeyId key);
    ErrorCode setEnd(KeyId key);
    ErrorCode setFileOrder();
    ErrorCode next() { return read(true); }
    ErrorCode previous() { return read(false); }

    void watch();
    bool duplicate(KeyId key);
    bool duplicate();
    std::int64_t records();
    ErrorCode send(std::string_view command);

    // The unique key the last DuplicateKey was found on, or -1.
    int duplicateKey() const { return m_duplicateKey; }

private:
    static constexpr std::int64_t kBeforeAll = std::numeric_limits<std::int64_t>::min();
    static constexpr std::size_t kFirstBatch = 20;
    static constexpr std::size_t kMaxBatch = 512;
    static constexpr std::size_t kMaxBatchBytes = 1u << 20;

    enum class Stmt : std::uint32_t {
        Insert,
        Update,
        UpdateWatched,
        Delete,
        ByRowid,
        VersionByRowid,
        Count,
        Seek,
        SeekInclusive,
        Scan,
        FileOrder,
        Duplicate
    };
    enum class Cursor { Unset, Ends, Start, End, At };

    sqlite3_stmt* statement(Stmt kind, int key = 0, int level = 0, bool forward = true);
    ErrorCode requireOpen();
    ErrorCode requireKey(KeyId key);
    ErrorCode requireDatabase();
    ErrorCode stepError(sqlite3_stmt* stmt, int rc);

    // File-level checks against the stored schema.
    ErrorCode tableExists(bool& exists);
    ErrorCode checkLayout();
    ErrorCode checkIndexes();

    // Reads.
    ErrorCode read(bool forward);
    ErrorCode fillBatch(bool forward, std::size_t limit);
    ErrorCode runBatchQuery(sqlite3_stmt* stmt, std::size_t limitParam, std::size_t limit);
    void takeBatchRow(std::size_t i);
    void dropBatch() {
        m_batchCount = 0;
        m_batchPos = 0;
    }
    void moveCursorTo(const unsigned char* image, std::int64_t row);
    // After a refused write: finds the unique key the buffer collides on, ignoring
    // the record `ownRow` (the one a put rewrites; 0 for an add).
    void noteDuplicate(std::int64_t ownRow);
    // What read-ahead batches compare: moves with every write to this table through the
    // connection, every rollback and every schema change.
    std::uint64_t changeStamp() const { return *m_tableChanges + m_db.changeCount(); }
    void noteWrite() { ++*m_tableChanges; }
    // The outcome of a write the fault hook made fail: nothing written.
    ErrorCode injectedFailure();
    bool duplicateOf(int key, std::int64_t ownRow);

    DatabaseImpl& m_db;
    const TableDesc& m_desc;
    unsigned char* m_buffer;
    TableSchema m_schema;
    TableLock m_lock;
    bool m_open = false;
    OpenMode m_mode = OpenMode::Shared;
    int m_recoverSeconds = 0;
    bool m_quickScan = false;

    bool m_hasCurrent = false;
    std::int64_t m_currentRow = 0;
    std::int64_t m_currentVersion = 0;
    bool m_watching = false;
    std::int64_t m_watchedVersion = 0;
    int m_duplicateKey = -1;

    Cursor m_cursor = Cursor::Unset;
    int m_cursorKey = -1;  // -1: file order
    std::vector<unsigned char> m_cursorImage;
    std::int64_t m_cursorRow = kBeforeAll;

    std::vector<unsigned char> m_batchImages;
    std::vector<std::int64_t> m_batchRows;
    std::vector<std::int64_t> m_batchVersions;
    std::size_t m_batchCount = 0;
    std::size_t m_batchPos = 0;
    bool m_batchForward = true;
    std::uint64_t m_batchStamp = 0;
    std::size_t m_nextBatch = kFirstBatch;

    std::vector<unsigned char> m_scratch;
    std::uint64_t* m_tableChanges;
    std::unordered_map<std::uint32_t, sqlite3_stmt*> m_statements;
    StoreStatus m_status;
};

}  // namespace quay::core::detail
