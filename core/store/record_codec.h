// Moving a record between its in-memory struct and SQL values, at the field offsets of
// its table description: strings bound without trailing blanks and read back
// blank-padded, memos bound as their text and read back with the unused characters
// zero, numbers as integers (decimals scaled).
#pragma once

#include <sqlite3.h>

#include "quay/store/table_desc.h"

namespace quay::core::detail {

// Binds field `f` of record `rec` to parameter `param`. The bound text points into
// `rec`, which must stay unchanged until the statement is reset.
void bindField(sqlite3_stmt* stmt, int param, const FieldDesc& f, const unsigned char* rec);

// Binds every field of `rec` to parameters first, first + 1, ...
void bindRecord(sqlite3_stmt* stmt, int first, const TableDesc& desc, const unsigned char* rec);

// Binds the key values of `rec` for the first `count` components of `key`.
void bindKeyValues(sqlite3_stmt* stmt, int first, const TableDesc& desc, const KeyDesc& key, std::size_t count,
                   const unsigned char* rec);

// Reads the fields of the current row, starting at column `first`, into `rec`.
void readRecord(sqlite3_stmt* stmt, int first, const TableDesc& desc, unsigned char* rec);

// True when every key field of `rec` is blank or zero: the record is not in an
// optional key.
bool keyIsBlank(const TableDesc& desc, const KeyDesc& key, const unsigned char* rec);

// Blanks strings and zeroes numbers and memos.
void clearRecord(const TableDesc& desc, unsigned char* rec);

}  // namespace quay::core::detail
