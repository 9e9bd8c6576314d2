// RecordBuffer: field access by the offsets and sizes of the table description,
// in the layout the record store relies on (BYTE 1 byte, LONG 4, DECIMAL an 8-byte
// scaled integer, STRING n characters, MEMO a 32-bit length then the characters).
#include "record_buffer.h"

#include <cassert>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <limits>

namespace quay::core::detail {
namespace {

std::string_view clip(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::int64_t maxScaled(std::uint32_t digits) {
    std::int64_t v = 1;
    for (std::uint32_t i = 0; i < digits && i < 18; ++i) v *= 10;
    return v - 1;
}

}  // namespace

RecordBuffer::RecordBuffer(const TableDesc& desc)
    : m_desc(desc),
      m_storage(new std::max_align_t[(desc.recordSize + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t)]()) {}

void RecordBuffer::copyFrom(const void* record) { std::memcpy(data(), record, m_desc.recordSize); }

void RecordBuffer::copyTo(void* record) const { std::memcpy(record, data(), m_desc.recordSize); }

std::string_view RecordBuffer::text(int field) const {
    const FieldDesc& f = m_desc.fields[static_cast<std::size_t>(field)];
    assert(f.type == FieldType::String);
    const char* p = static_cast<const char*>(data()) + f.offset;
    return clip(std::string_view(p, f.size));
}

void RecordBuffer::setText(int field, std::string_view value) {
    const FieldDesc& f = m_desc.fields[static_cast<std::size_t>(field)];
    assert(f.type == FieldType::String);
    char* p = static_cast<char*>(data()) + f.offset;
    const std::size_t n = std::min<std::size_t>(f.size, value.size());
    std::memcpy(p, value.data(), n);
    std::memset(p + n, ' ', f.size - n);
}

void RecordBuffer::setLaterComponentsToFirst(KeyId key) {
    const KeyDesc& k = m_desc.keys[static_cast<std::size_t>(key.index)];
    char* base = static_cast<char*>(data());
    for (std::size_t i = 1; i < k.parts.size(); ++i) {
        const FieldDesc& f = m_desc.fields[static_cast<std::size_t>(k.parts[i].field)];
        const bool desc = k.parts[i].descending;
        char* p = base + f.offset;
        switch (f.type) {
        case FieldType::Byte: {
            const std::uint8_t v = desc ? 0xFF : 0;
            std::memcpy(p, &v, sizeof v);
            break;
        }
        case FieldType::Long: {
            const std::int32_t v =
                desc ? std::numeric_limits<std::int32_t>::max() : std::numeric_limits<std::int32_t>::min();
            std::memcpy(p, &v, sizeof v);
            break;
        }
        case FieldType::Decimal: {
            const std::int64_t v = desc ? maxScaled(f.size) : -maxScaled(f.size);
            std::memcpy(p, &v, sizeof v);
            break;
        }
        case FieldType::String: std::memset(p, desc ? '\x7f' : ' ', f.size); break;
        case FieldType::Memo: break;
        }
    }
}

bool sameRecord(const TableDesc& desc, const void* a, const void* b) {
    const char* pa = static_cast<const char*>(a);
    const char* pb = static_cast<const char*>(b);
    for (const FieldDesc& f : desc.fields) {
        const char* fa = pa + f.offset;
        const char* fb = pb + f.offset;
        switch (f.type) {
        case FieldType::Byte:
            if (std::memcmp(fa, fb, 1) != 0) return false;
            break;
        case FieldType::Long:
            if (std::memcmp(fa, fb, 4) != 0) return false;
            break;
        case FieldType::Decimal:
            if (std::memcmp(fa, fb, 8) != 0) return false;
            break;
        case FieldType::String:
            if (clip(std::string_view(fa, f.size)) != clip(std::string_view(fb, f.size))) return false;
            break;
        case FieldType::Memo: {
            std::uint32_t la = 0;
            std::uint32_t lb = 0;
            std::memcpy(&la, fa, 4);
            std::memcpy(&lb, fb, 4);
            la = std::min(la, f.size);
            lb = std::min(lb, f.size);
            if (std::string_view(fa + 4, la) != std::string_view(fb + 4, lb)) return false;
            break;
        }
        }
    }
    return true;
}

bool sameIdentity(std::string_view a, std::string_view b) {
    a = clip(a);
    b = clip(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace quay::core::detail
