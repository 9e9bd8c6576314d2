// Field access by description. The layout is the record store's: BYTE uint8_t,
// LONG int32_t, DECIMAL int64_t scaled by 10^places, STRING blank-padded chars,
// MEMO a uint32_t length followed by the characters.
#include "quay/ui/record_fields.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

namespace {

const unsigned char* at(const FieldDesc& f, const void* record) {
    return static_cast<const unsigned char*>(record) + f.offset;
}
unsigned char* at(const FieldDesc& f, void* record) { return static_cast<unsigned char*>(record) + f.offset; }

std::int64_t pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

}  // namespace

std::string fieldText(const TableDesc& desc, int field, const void* record) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return {};
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    switch (f.type) {
    case FieldType::String: {
        std::string_view raw(reinterpret_cast<const char*>(at(f, record)), f.size);
        return std::string(detail::trimTrailingBlanks(raw));
    }
    case FieldType::Memo: {
        std::uint32_t len = 0;
        std::memcpy(&len, at(f, record), sizeof len);
        if (len > f.size) len = f.size;
        return std::string(reinterpret_cast<const char*>(at(f, record)) + sizeof len, len);
    }
    case FieldType::Decimal: return detail::scaledToString(fieldNumber(desc, field, record), f.places);
    case FieldType::Byte:
    case FieldType::Long: return std::to_string(fieldNumber(desc, field, record));
    }
    return {};
}

std::int64_t fieldNumber(const TableDesc& desc, int field, const void* record) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return 0;
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    switch (f.type) {
    case FieldType::Byte: return *at(f, record);
    case FieldType::Long: {
        std::int32_t v = 0;
        std::memcpy(&v, at(f, record), sizeof v);
        return v;
    }
    case FieldType::Decimal: {
        std::int64_t v = 0;
        std::memcpy(&v, at(f, record), sizeof v);
        return v;
    }
    default: return 0;
    }
}

bool setFieldNumber(const TableDesc& desc, int field, void* record, std::int64_t value) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return false;
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    switch (f.type) {
    case FieldType::Byte:
        if (value < 0 || value > 255) return false;
        *at(f, record) = static_cast<unsigned char>(value);
        return true;
    case FieldType::Long: {
        if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
            return false;
        const auto v = static_cast<std::int32_t>(value);
        std::memcpy(at(f, record), &v, sizeof v);
        return true;
    }
    case FieldType::Decimal: {
        const std::int64_t limit =
            f.size >= 18 ? std::numeric_limits<std::int64_t>::max() : pow10(static_cast<int>(f.size)) - 1;
        if (value > limit || value < -limit) return false;
        std::memcpy(at(f, record), &value, sizeof value);
        return true;
    }
    default: return false;
    }
}

bool setFieldText(const TableDesc& desc, int field, void* record, std::string_view text) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return false;
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    switch (f.type) {
    case FieldType::String: detail::fillBlankPadded(reinterpret_cast<char*>(at(f, record)), f.size, text); return true;
    case FieldType::Memo: {
        const auto len = static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), f.size));
        std::memcpy(at(f, record), &len, sizeof len);
        std::memcpy(at(f, record) + sizeof len, text.data(), len);
        return true;
    }
    case FieldType::Byte:
    case FieldType::Long: {
        std::string_view t = detail::trimTrailingBlanks(text);
        while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
        std::int64_t v = 0;
        if (t.empty()) return setFieldNumber(desc, field, record, 0);
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return false;
        return setFieldNumber(desc, field, record, v);
    }
    case FieldType::Decimal: {
        detail::Int128 scaled = 0;
        if (detail::parseScaled(text, f.places, scaled) != DecimalStatus::Ok) return false;
        if (scaled > std::numeric_limits<std::int64_t>::max() || scaled < std::numeric_limits<std::int64_t>::min())
            return false;
        return setFieldNumber(desc, field, record, static_cast<std::int64_t>(scaled));
    }
    }
    return false;
}

}  // namespace quay::core

namespace quay::core {

namespace {

std::size_t storageSize(const FieldDesc& f) {
    switch (f.type) {
    case FieldType::Byte: return 1;
    case FieldType::Long: return 4;
    case FieldType::Decimal: return 8;
    case FieldType::String: return f.size;
    case FieldType::Memo: return sizeof(std::uint32_t) + f.size;
    }
    return 0;
}

}  // namespace

bool fieldsEqual(const TableDesc& desc, int field, const void* a, const void* b) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return true;
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    if (f.type == FieldType::Memo) return fieldText(desc, field, a) == fieldText(desc, field, b);
    return std::memcmp(at(f, a), at(f, b), storageSize(f)) == 0;
}

bool recordsEqual(const TableDesc& desc, const void* a, const void* b) {
    for (std::size_t i = 0; i < desc.fields.size(); ++i)
        if (!fieldsEqual(desc, static_cast<int>(i), a, b)) return false;
    return true;
}

void copyField(const TableDesc& desc, int field, const void* from, void* to) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return;
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    std::memcpy(at(f, to), at(f, from), storageSize(f));
}

}  // namespace quay::core
