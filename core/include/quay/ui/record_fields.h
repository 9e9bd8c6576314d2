// Reading and writing one field of a record buffer by its description, for the
// generic windows (lists, look-ups) that work on any table: a list column shows a
// field, a locator writes typed text into a key's field, a look-up copies a key
// value from one record to another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quay/export.h"
#include "quay/store/table_desc.h"

namespace quay::core {

// The field as text: strings without trailing blanks, numbers in plain decimal
// ("12.5000" for a DECIMAL with 4 places), memos as stored.
QUAY_EXPORT std::string fieldText(const TableDesc& desc, int field, const void* record);

// A numeric field (BYTE, LONG, DECIMAL scaled) as a whole number; 0 for text fields.
QUAY_EXPORT std::int64_t fieldNumber(const TableDesc& desc, int field, const void* record);

// Writes a whole number into a numeric field (a DECIMAL takes it as its scaled value).
// Returns false (and writes nothing) for a text field or a value out of the field's range.
QUAY_EXPORT bool setFieldNumber(const TableDesc& desc, int field, void* record, std::int64_t value);

// Writes `text` into the field: strings blank-padded (cut at the field's length),
// numbers parsed from decimal text. Returns false (and writes nothing) when the
// text is not a number of the field's type.
QUAY_EXPORT bool setFieldText(const TableDesc& desc, int field, void* record, std::string_view text);

}  // namespace quay::core

namespace quay::core {

// True when field `field` holds the same value in both records (memos compare
// their text only, not the bytes beyond it).
QUAY_EXPORT bool fieldsEqual(const TableDesc& desc, int field, const void* a, const void* b);
// True when every described field is equal.
QUAY_EXPORT bool recordsEqual(const TableDesc& desc, const void* a, const void* b);
// Copies field `field` from one record to another.
QUAY_EXPORT void copyField(const TableDesc& desc, int field, const void* from, void* to);

}  // namespace quay::core
