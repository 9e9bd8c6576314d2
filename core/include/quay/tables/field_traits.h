// How each member type of a record struct appears in the table description: its
// FieldType, its size (characters of a string or memo, digits of a decimal), its places,
// and the bytes it occupies in the struct. The description builder checks every member
// against these, so a record whose member types the store cannot read does not compile.
#pragma once

#include <cstddef>
#include <cstdint>

#include "quay/store/table_desc.h"
#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"
#include "quay/types/memo.h"

namespace quay::core {

template <class T>
struct FieldTraits;  // only the field types below may be members of a record

template <>
struct FieldTraits<std::uint8_t> {
    static constexpr FieldType kType = FieldType::Byte;
    static constexpr std::uint32_t kSize = 0;
    static constexpr std::uint8_t kPlaces = 0;
    static constexpr std::size_t kStorage = 1;
};

template <>
struct FieldTraits<std::int32_t> {
    static constexpr FieldType kType = FieldType::Long;
    static constexpr std::uint32_t kSize = 0;
    static constexpr std::uint8_t kPlaces = 0;
    static constexpr std::size_t kStorage = 4;
};

template <int Digits, int Places>
struct FieldTraits<Decimal<Digits, Places>> {
    static constexpr FieldType kType = FieldType::Decimal;
    static constexpr std::uint32_t kSize = Digits;
    static constexpr std::uint8_t kPlaces = Places;
    static constexpr std::size_t kStorage = 8;
};

template <std::size_t N>
struct FieldTraits<FixedString<N>> {
    static constexpr FieldType kType = FieldType::String;
    static constexpr std::uint32_t kSize = N;
    static constexpr std::uint8_t kPlaces = 0;
    static constexpr std::size_t kStorage = N;
};

template <std::size_t N>
struct FieldTraits<Memo<N>> {
    static constexpr FieldType kType = FieldType::Memo;
    static constexpr std::uint32_t kSize = N;
    static constexpr std::uint8_t kPlaces = 0;
    static constexpr std::size_t kStorage = 4 + N;
};

// Bytes a described field occupies in its record, from the description alone.
constexpr std::size_t storageBytes(const FieldDesc& field) {
    switch (field.type) {
    case FieldType::Byte: return 1;
    case FieldType::Long: return 4;
    case FieldType::Decimal: return 8;
    case FieldType::String: return field.size;
    case FieldType::Memo: return 4 + field.size;
    }
    return 0;
}

}  // namespace quay::core
