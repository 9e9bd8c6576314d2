// The SQL shape of one table description: the SQL table (named after the file, lower
// case, without ".tps"), one index per key, the layout fingerprint kept in the
// metadata table, and the text of every statement a handle prepares. Pure text
// generation: it touches no connection.
//
// Columns: the row id, "_rowversion" (a fresh version on every add and put, drawn
// from a per-connection counter with a random start, so watch-before-put notices any
// other station's write, even to a row id that was deleted and reused), then one column per field in description order. BYTE, LONG and
// DECIMAL (scaled) are INTEGER; STRING (without trailing blanks) and MEMO are TEXT.
//
// Key order is index order: components in order with their direction, NOCASE
// collation on string components of case-insensitive keys, ties by row id. Optional
// keys are partial indexes leaving out records whose key fields are all blank or zero,
// and every statement over such a key repeats that condition so the index serves it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "quay/store/table_desc.h"

namespace quay::core::detail {

class TableSchema {
public:
    // Columns of every record SELECT: row id, version, then the fields.
    static constexpr int kRowidColumn = 0;
    static constexpr int kVersionColumn = 1;
    static constexpr int kFirstFieldColumn = 2;

    explicit TableSchema(const TableDesc& desc);

    // The SQL table for a documented file name: "Customer.TPS" -> "customer".
    static std::string sqlNameFor(const std::string& fileName);

    const std::string& sqlName() const { return m_sqlName; }
    const std::string& layoutFingerprint() const { return m_fingerprint; }
    const std::string& createTableSql() const { return m_createTable; }

    // Expected indexes, one per key in key order: name and exact CREATE text.
    const std::vector<std::pair<std::string, std::string>>& indexes() const { return m_indexes; }

    // Record statements. Parameters: insert ?1 version, ?2.. fields; update ?1..?n
    // fields, ?n+1 new version, ?n+2 row id, and for the watched form ?n+3 the version
    // the watch saw; delete, select and version ?1 row id.
    const std::string& insertSql() const { return m_insert; }
    const std::string& updateSql() const { return m_update; }
    const std::string& updateWatchedSql() const { return m_updateWatched; }
    const std::string& deleteSql() const { return m_delete; }
    const std::string& selectByRowidSql() const { return m_selectByRowid; }
    const std::string& versionByRowidSql() const { return m_versionByRowid; }
    const std::string& countSql() const { return m_count; }

    // The records of key `key` that follow a position in key order (backward: precede
    // it). The position is m key values and a row id; `level` j (0..m) selects the
    // records whose first j components equal ?1..?j and whose component j follows
    // ?j+1 (for j == m: whose row id follows ?m+1). Last parameter: LIMIT.
    // With `inclusive`, component j may also equal ?j+1 (the start of setAtKey).
    std::string seekSql(int key, int level, bool forward, bool inclusive = false) const;
    // Every record of the key from the first (backward: from the last). ?1 LIMIT.
    std::string scanSql(int key, bool forward) const;
    // Records in row id order after (before) ?1. ?2 LIMIT.
    std::string fileOrderSql(bool forward) const;
    // Row id of another record with the key values ?1..?m, the current row id being ?m+1.
    std::string duplicateSql(int key) const;

private:
    std::string columnExpr(const KeyDesc& key, const KeyPart& part) const;
    std::string fromKey(int key) const;
    std::string partialCondition(const KeyDesc& key) const;
    std::string orderBy(const KeyDesc& key, std::size_t fromPart, bool forward) const;

    const TableDesc& m_desc;
    std::string m_sqlName;
    std::string m_quotedName;
    std::string m_columns;
    std::string m_fingerprint;
    std::string m_createTable;
    std::vector<std::pair<std::string, std::string>> m_indexes;
    std::string m_insert, m_update, m_updateWatched, m_delete, m_selectByRowid, m_versionByRowid, m_count;
};

}  // namespace quay::core::detail
