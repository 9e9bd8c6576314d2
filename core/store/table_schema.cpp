// SQL text for a table description. Identifiers are always double-quoted; names come
// from the program's own descriptions, and anything outside [a-z0-9_] in a file name
// becomes '_' so no file name can break out of the quotes.
#include "table_schema.h"

#include <cctype>

namespace quay::core::detail {

namespace {

std::string quoted(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    q += '"';
    return q;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const char* typeName(FieldType t) {
    switch (t) {
    case FieldType::Byte: return "byte";
    case FieldType::Long: return "long";
    case FieldType::Decimal: return "decimal";
    case FieldType::String: return "string";
    case FieldType::Memo: return "memo";
    }
    return "?";
}

bool isText(FieldType t) { return t == FieldType::String || t == FieldType::Memo; }

}  // namespace

std::string TableSchema::sqlNameFor(const std::string& fileName) {
    std::string base = fileName;
    const std::size_t slash = base.find_last_of("/\\");
    if (slash != std::string::npos) base = base.substr(slash + 1);
    base = lower(base);
    if (base.size() > 4 && base.compare(base.size() - 4, 4, ".tps") == 0) base.resize(base.size() - 4);
    for (char& c : base) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) c = '_';
    }
    if (base.empty() || base.rfind("sqlite_", 0) == 0 || base.rfind("quay_", 0) == 0) base = "t_" + base;
    return base;
}

TableSchema::TableSchema(const TableDesc& desc)
    : m_desc(desc), m_sqlName(sqlNameFor(desc.fileName)), m_quotedName(quoted(m_sqlName)) {
    m_columns = "rowid, _rowversion";
    std::string defs = "_rowversion INTEGER NOT NULL";
    std::string insertCols = "_rowversion";
    std::string insertVals = "?1";
    std::string sets;
    m_fingerprint = "v1";
    int param = 1;
    for (const FieldDesc& f : desc.fields) {
        const std::string col = quoted(f.name);
        m_columns += ", " + col;
        defs += ", " + col + (isText(f.type) ? " TEXT NOT NULL DEFAULT ''" : " INTEGER NOT NULL DEFAULT 0");
        insertCols += ", " + col;
        insertVals += ", ?" + std::to_string(++param);
        if (!sets.empty()) sets += ", ";
        sets += col + " = ?" + std::to_string(param - 1);
        m_fingerprint.append(";").append(lower(f.name)).append(":").append(typeName(f.type));
        m_fingerprint.append(":").append(std::to_string(f.size)).append(":").append(std::to_string(f.places));
    }
    const std::string nv = std::to_string(desc.fields.size() + 1);
    const std::string nr = std::to_string(desc.fields.size() + 2);
    const std::string nw = std::to_string(desc.fields.size() + 3);
    m_createTable = "CREATE TABLE " + m_quotedName + " (" + defs + ")";
    m_insert = "INSERT INTO " + m_quotedName + " (" + insertCols + ") VALUES (" + insertVals + ")";
    const std::string setsAll = sets.empty() ? "_rowversion = ?" + nv : sets + ", _rowversion = ?" + nv;
    m_update = "UPDATE " + m_quotedName + " SET " + setsAll + " WHERE rowid = ?" + nr;
    m_updateWatched = m_update + " AND _rowversion = ?" + nw;
    m_delete = "DELETE FROM " + m_quotedName + " WHERE rowid = ?1";
    m_selectByRowid = "SELECT " + m_columns + " FROM " + m_quotedName + " WHERE rowid = ?1";
    m_versionByRowid = "SELECT _rowversion FROM " + m_quotedName + " WHERE rowid = ?1";
    m_count = "SELECT count(*) FROM " + m_quotedName;

    for (const KeyDesc& key : desc.keys) {
        const std::string name = m_sqlName + "__" + lower(key.name);
        std::string sql = std::string("CREATE ") + (key.unique ? "UNIQUE " : "") + "INDEX " + quoted(name) + " ON " +
                          m_quotedName + " (";
        for (std::size_t i = 0; i < key.parts.size(); ++i) {
            if (i > 0) sql += ", ";
            sql += columnExpr(key, key.parts[i]);
            if (key.parts[i].descending) sql += " DESC";
        }
        sql += ")";
        const std::string partial = partialCondition(key);
        if (!partial.empty()) sql += " WHERE " + partial;
        m_indexes.emplace_back(name, sql);
    }
}

std::string TableSchema::columnExpr(const KeyDesc& key, const KeyPart& part) const {
    const FieldDesc& f = m_desc.fields[static_cast<std::size_t>(part.field)];
    std::string e = quoted(f.name);
    if (key.caseInsensitive && isText(f.type)) e += " COLLATE NOCASE";
    return e;
}

std::string TableSchema::partialCondition(const KeyDesc& key) const {
    if (!key.optional) return {};
    std::string cond = "(";
    for (std::size_t i = 0; i < key.parts.size(); ++i) {
        const FieldDesc& f = m_desc.fields[static_cast<std::size_t>(key.parts[i].field)];
        if (i > 0) cond += " OR ";
        cond += quoted(f.name) + (isText(f.type) ? " <> ''" : " <> 0");
    }
    return cond + ")";
}

std::string TableSchema::fromKey(int key) const {
    return "SELECT " + m_columns + " FROM " + m_quotedName + " INDEXED BY " +
           quoted(m_indexes[static_cast<std::size_t>(key)].first);
}

std::string TableSchema::orderBy(const KeyDesc& key, std::size_t fromPart, bool forward) const {
    std::string o = " ORDER BY ";
    for (std::size_t i = fromPart; i < key.parts.size(); ++i) {
        const bool desc = key.parts[i].descending != !forward;
        o += columnExpr(key, key.parts[i]) + (desc ? " DESC, " : " ASC, ");
    }
    o += forward ? "rowid ASC" : "rowid DESC";
    return o;
}

std::string TableSchema::seekSql(int key, int level, bool forward, bool inclusive) const {
    const KeyDesc& k = m_desc.keys[static_cast<std::size_t>(key)];
    const std::size_t j = static_cast<std::size_t>(level);
    std::string where;
    const std::string partial = partialCondition(k);
    if (!partial.empty()) where = partial + " AND ";
    int param = 0;
    for (std::size_t i = 0; i < j; ++i) where += columnExpr(k, k.parts[i]) + " = ?" + std::to_string(++param) + " AND ";
    if (j < k.parts.size()) {
        const bool greater = k.parts[j].descending != forward;  // ascending forward: '>'
        const char* op = greater ? (inclusive ? " >= ?" : " > ?") : (inclusive ? " <= ?" : " < ?");
        where += columnExpr(k, k.parts[j]) + op + std::to_string(++param);
        return fromKey(key) + " WHERE " + where + orderBy(k, j, forward) + " LIMIT ?" + std::to_string(param + 1);
    }
    where += std::string("rowid ") + (forward ? "> ?" : "< ?") + std::to_string(++param);
    return fromKey(key) + " WHERE " + where + (forward ? " ORDER BY rowid ASC" : " ORDER BY rowid DESC") + " LIMIT ?" +
           std::to_string(param + 1);
}

std::string TableSchema::scanSql(int key, bool forward) const {
    const KeyDesc& k = m_desc.keys[static_cast<std::size_t>(key)];
    const std::string partial = partialCondition(k);
    return fromKey(key) + (partial.empty() ? "" : " WHERE " + partial) + orderBy(k, 0, forward) + " LIMIT ?1";
}

std::string TableSchema::fileOrderSql(bool forward) const {
    return "SELECT " + m_columns + " FROM " + m_quotedName +
           (forward ? " WHERE rowid > ?1 ORDER BY rowid ASC" : " WHERE rowid < ?1 ORDER BY rowid DESC") + " LIMIT ?2";
}

std::string TableSchema::duplicateSql(int key) const {
    const KeyDesc& k = m_desc.keys[static_cast<std::size_t>(key)];
    std::string where;
    const std::string partial = partialCondition(k);
    if (!partial.empty()) where = partial + " AND ";
    int param = 0;
    for (const KeyPart& p : k.parts) where += columnExpr(k, p) + " = ?" + std::to_string(++param) + " AND ";
    where += "rowid <> ?" + std::to_string(++param);
    return "SELECT rowid FROM " + m_quotedName + " INDEXED BY " +
           quoted(m_indexes[static_cast<std::size_t>(key)].first) + " WHERE " + where + " LIMIT 1";
}

}  // namespace quay::core::detail
