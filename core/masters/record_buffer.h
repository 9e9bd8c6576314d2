// RecordBuffer: a record of any table held as raw storage laid out by its table
// description, so that one rename-and-delete engine serves every master table and
// every dependant. It reads and writes a string field in place (the identity texts
// that dependants carry), sets key components to their first value in key order,
// and compares two records field by field (padding between members never counts).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "quay/store/database.h"
#include "quay/store/table.h"
#include "quay/store/table_desc.h"

namespace quay::core::detail {

class RecordBuffer {
public:
    explicit RecordBuffer(const TableDesc& desc);

    void* data() { return m_storage.get(); }
    const void* data() const { return m_storage.get(); }
    const TableDesc& desc() const { return m_desc; }

    void copyFrom(const void* record);
    void copyTo(void* record) const;

    // The text of a STRING field without trailing blanks. REQUIRES: field is a String.
    std::string_view text(int field) const;
    // Cuts and blank-pads. REQUIRES: field is a String.
    void setText(int field, std::string_view value);

    // Sets every component of `key` after the first to the value that comes first in
    // the key's order (lowest ascending, highest descending), so setAtKey() starts
    // at the first record carrying the first component's value.
    void setLaterComponentsToFirst(KeyId key);

private:
    const TableDesc& m_desc;
    std::unique_ptr<std::max_align_t[]> m_storage;
};

// The fields of two records of `desc` are equal (memos by their text).
bool sameRecord(const TableDesc& desc, const void* a, const void* b);

// Case-insensitive equality of identity texts, trailing blanks ignored, as the keys compare.
bool sameIdentity(std::string_view a, std::string_view b);

// A table handle with its own raw record buffer.
class RawHandle {
public:
    RawHandle(Database& db, const TableDesc& desc) : m_buffer(desc), m_table(db, desc, m_buffer.data()) {}
    RecordBuffer& rec() { return m_buffer; }
    Table& table() { return m_table; }

private:
    RecordBuffer m_buffer;
    Table m_table;
};

}  // namespace quay::core::detail
