// Entry fields of forms: a record field shown through its display picture and
// typed text read back through the same picture into the field. A refused entry
// leaves the field as it was and says why in the picture's words.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quay/export.h"
#include "quay/store/table_desc.h"
#include "quay/types/picture.h"

namespace quay::core {

// The field's text under `picture` (nullopt: the field's plain text).
QUAY_EXPORT std::string formatField(const TableDesc& desc, int field, const void* record,
                                    const std::optional<Picture>& picture);

// Reads `text` into the field through `picture`. On anything but Ok the record is
// unchanged and `reason` (when given) holds the sentence for the user.
QUAY_EXPORT EntryStatus readField(const TableDesc& desc, int field, void* record, const std::optional<Picture>& picture,
                                  std::string_view text, std::string* reason = nullptr);

}  // namespace quay::core
