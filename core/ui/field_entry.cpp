// Formatting and reading record fields through display pictures.
#include "quay/ui/field_entry.h"

#include <limits>

#include "quay/ui/record_fields.h"

namespace quay::core {

namespace {

std::int64_t maxScaledOf(const FieldDesc& f) {
    switch (f.type) {
    case FieldType::Byte: return 255;
    case FieldType::Long: return std::numeric_limits<std::int32_t>::max();
    case FieldType::Decimal: {
        std::int64_t m = 1;
        for (std::uint32_t i = 0; i < f.size && i < 18; ++i) m *= 10;
        return m - 1;
    }
    default: return 0;
    }
}

}  // namespace

std::string formatField(const TableDesc& desc, int field, const void* record, const std::optional<Picture>& picture) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return {};
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    if (!picture) return fieldText(desc, field, record);
    switch (f.type) {
    case FieldType::String:
    case FieldType::Memo: return picture->format(fieldText(desc, field, record));
    case FieldType::Decimal: return picture->formatScaled(fieldNumber(desc, field, record), f.places);
    case FieldType::Byte:
    case FieldType::Long: return picture->format(fieldNumber(desc, field, record));
    }
    return {};
}

EntryStatus readField(const TableDesc& desc, int field, void* record, const std::optional<Picture>& picture,
                      std::string_view text, std::string* reason) {
    if (field < 0 || static_cast<std::size_t>(field) >= desc.fields.size()) return EntryStatus::NotANumber;
    const FieldDesc& f = desc.fields[static_cast<std::size_t>(field)];
    if (f.type == FieldType::String || f.type == FieldType::Memo) {
        if (picture && picture->kind() == PictureKind::String)
            text = text.substr(0, static_cast<std::size_t>(picture->width()));
        setFieldText(desc, field, record, text);
        return EntryStatus::Ok;
    }
    std::int64_t value = 0;
    EntryStatus s;
    if (picture) {
        s = picture->readScaled(text, f.type == FieldType::Decimal ? f.places : 0, maxScaledOf(f), value);
    } else {
        const auto plain = Picture::parse(f.type == FieldType::Decimal
                                              ? "@n-" + std::to_string(f.size + 2) + "." + std::to_string(f.places)
                                              : std::string("@n-12"));
        s = plain->readScaled(text, f.type == FieldType::Decimal ? f.places : 0, maxScaledOf(f), value);
        if (s == EntryStatus::Ok && reason) reason->clear();
        if (s != EntryStatus::Ok && reason) *reason = plain->reason(s);
    }
    if (s == EntryStatus::Ok && f.type == FieldType::Byte && value < 0) s = EntryStatus::TooLarge;
    if (s != EntryStatus::Ok) {
        if (reason && picture) *reason = picture->reason(s);
        return s;
    }
    if (!setFieldNumber(desc, field, record, value)) {
        if (reason) *reason = picture ? picture->reason(EntryStatus::TooLarge) : "The number is too large.";
        return EntryStatus::TooLarge;
    }
    return EntryStatus::Ok;
}

}  // namespace quay::core
