// Static description of a table: its fields, keys and memos, the file it lives in.
// Every table of the program is declared once as a record struct plus one TableDesc
// (core/tables); the record store reads and writes the struct through this description.
//
// Memory layout of a record struct, which the store relies on (the types in
// core/types keep exactly this layout):
//   BYTE          uint8_t
//   LONG          int32_t
//   DECIMAL(d,p)  int64_t holding the value scaled by 10^p   (quay::core::Decimal<d,p>)
//   STRING(n)     char[n], blank-padded, no terminator       (quay::core::FixedString<n>)
//   MEMO(n)       uint32_t length, then char[n]              (quay::core::Memo<n>)
// Groups that overlay fields and arrays over groups are views inside the struct and
// are not described here: they own no storage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quay::core {

enum class FieldType : std::uint8_t { Byte, Long, Decimal, String, Memo };

struct FieldDesc {
    std::string name;  // documented name without prefix, e.g. "Name" for CUS:Name
    FieldType type;
    std::size_t offset;       // offsetof(Record, member)
    std::uint32_t size = 0;   // String/Memo: characters; Decimal: digits
    std::uint8_t places = 0;  // Decimal: places after the point
};

struct KeyPart {
    int field;  // index into TableDesc::fields
    bool descending = false;
};

struct KeyDesc {
    std::string name;   // documented name without prefix, e.g. "byName"
    std::string label;  // what "Duplicate Key Error" names, e.g. "by Company Number"
    std::vector<KeyPart> parts;
    bool unique = false;
    bool optional = false;  // records whose key fields are all blank or zero are left out
    bool caseInsensitive = false;
    bool primary = false;
};

// A key of a table, by its position in TableDesc::keys. Second handles on one file
// (Customer and CustRef) list their keys in the same order, so a KeyId serves both.
struct KeyId {
    int index;
};

struct TableDesc {
    std::string name;        // documented table name, e.g. "Customer", "CustRef"
    std::string prefix;      // field prefix, e.g. "CUS"
    std::string fileName;    // documented file name, e.g. "customer.tps"; handles on one file share it
    std::size_t recordSize;  // sizeof(Record)
    std::vector<FieldDesc> fields;
    std::vector<KeyDesc> keys;

    // Index of a field by name (case-insensitive, with or without the prefix), or -1.
    int fieldIndex(const std::string& fieldName) const;
};

}  // namespace quay::core
