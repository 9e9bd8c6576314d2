// Field conversion. Bounds: a memo's stored length is cut to the memo's size, and a
// stored text longer than its field (written by something other than this program) is
// cut to the field, so a read never writes outside the record.
#include "record_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace quay::core::detail {

namespace {

std::size_t trimmedLength(const char* s, std::size_t n) {
    while (n > 0 && s[n - 1] == ' ') --n;
    return n;
}

std::uint32_t memoLength(const FieldDesc& f, const unsigned char* rec) {
    std::uint32_t len = 0;
    std::memcpy(&len, rec + f.offset, sizeof len);
    return std::min(len, f.size);
}

}  // namespace

void bindField(sqlite3_stmt* stmt, int param, const FieldDesc& f, const unsigned char* rec) {
    const unsigned char* p = rec + f.offset;
    switch (f.type) {
    case FieldType::Byte: sqlite3_bind_int(stmt, param, *p); break;
    case FieldType::Long: {
        std::int32_t v = 0;
        std::memcpy(&v, p, sizeof v);
        sqlite3_bind_int(stmt, param, v);
        break;
    }
    case FieldType::Decimal: {
        std::int64_t v = 0;
        std::memcpy(&v, p, sizeof v);
        sqlite3_bind_int64(stmt, param, v);
        break;
    }
    case FieldType::String: {
        const char* s = reinterpret_cast<const char*>(p);
        sqlite3_bind_text(stmt, param, s, static_cast<int>(trimmedLength(s, f.size)), SQLITE_STATIC);
        break;
    }
    case FieldType::Memo:
        sqlite3_bind_text(stmt, param, reinterpret_cast<const char*>(p + sizeof(std::uint32_t)),
                          static_cast<int>(memoLength(f, rec)), SQLITE_STATIC);
        break;
    }
}

void bindRecord(sqlite3_stmt* stmt, int first, const TableDesc& desc, const unsigned char* rec) {
    for (std::size_t i = 0; i < desc.fields.size(); ++i)
        bindField(stmt, first + static_cast<int>(i), desc.fields[i], rec);
}

void bindKeyValues(sqlite3_stmt* stmt, int first, const TableDesc& desc, const KeyDesc& key, std::size_t count,
                   const unsigned char* rec) {
    for (std::size_t i = 0; i < count; ++i)
        bindField(stmt, first + static_cast<int>(i), desc.fields[static_cast<std::size_t>(key.parts[i].field)], rec);
}

void readRecord(sqlite3_stmt* stmt, int first, const TableDesc& desc, unsigned char* rec) {
    int col = first;
    for (const FieldDesc& f : desc.fields) {
        unsigned char* p = rec + f.offset;
        switch (f.type) {
        case FieldType::Byte: *p = static_cast<unsigned char>(sqlite3_column_int(stmt, col)); break;
        case FieldType::Long: {
            const std::int32_t v = sqlite3_column_int(stmt, col);
            std::memcpy(p, &v, sizeof v);
            break;
        }
        case FieldType::Decimal: {
            const std::int64_t v = sqlite3_column_int64(stmt, col);
            std::memcpy(p, &v, sizeof v);
            break;
        }
        case FieldType::String: {
            const unsigned char* t = sqlite3_column_text(stmt, col);
            const std::size_t n =
                std::min<std::size_t>(static_cast<std::size_t>(sqlite3_column_bytes(stmt, col)), f.size);
            if (n > 0) std::memcpy(p, t, n);
            std::memset(p + n, ' ', f.size - n);
            break;
        }
        case FieldType::Memo: {
            const unsigned char* t = sqlite3_column_text(stmt, col);
            const std::size_t n =
                std::min<std::size_t>(static_cast<std::size_t>(sqlite3_column_bytes(stmt, col)), f.size);
            const std::uint32_t len = static_cast<std::uint32_t>(n);
            std::memcpy(p, &len, sizeof len);
            if (n > 0) std::memcpy(p + sizeof len, t, n);
            std::memset(p + sizeof len + n, 0, f.size - n);
            break;
        }
        }
        ++col;
    }
}

bool keyIsBlank(const TableDesc& desc, const KeyDesc& key, const unsigned char* rec) {
    for (const KeyPart& part : key.parts) {
        const FieldDesc& f = desc.fields[static_cast<std::size_t>(part.field)];
        const unsigned char* p = rec + f.offset;
        switch (f.type) {
        case FieldType::Byte:
            if (*p != 0) return false;
            break;
        case FieldType::Long: {
            std::int32_t v = 0;
            std::memcpy(&v, p, sizeof v);
            if (v != 0) return false;
            break;
        }
        case FieldType::Decimal: {
            std::int64_t v = 0;
            std::memcpy(&v, p, sizeof v);
            if (v != 0) return false;
            break;
        }
        case FieldType::String:
            if (trimmedLength(reinterpret_cast<const char*>(p), f.size) != 0) return false;
            break;
        case FieldType::Memo:
            if (memoLength(f, rec) != 0) return false;
            break;
        }
    }
    return true;
}

void clearRecord(const TableDesc& desc, unsigned char* rec) {
    for (const FieldDesc& f : desc.fields) {
        unsigned char* p = rec + f.offset;
        switch (f.type) {
        case FieldType::Byte: *p = 0; break;
        case FieldType::Long: std::memset(p, 0, sizeof(std::int32_t)); break;
        case FieldType::Decimal: std::memset(p, 0, sizeof(std::int64_t)); break;
        case FieldType::String: std::memset(p, ' ', f.size); break;
        case FieldType::Memo: std::memset(p, 0, sizeof(std::uint32_t) + f.size); break;
        }
    }
}

}  // namespace quay::core::detail
