// Names of people kept in master records: a customer who is a person and a
// salesperson are known by "Last, First" built from the two name fields.
#pragma once

#include <string>
#include <string_view>

#include "quay/export.h"

namespace quay::core {

// The name of a person from the first and last names (trailing blanks ignored):
// both: "Lee, Ann"; only one: that one; neither: blank.
QUAY_EXPORT std::string personName(std::string_view firstName, std::string_view lastName);

}  // namespace quay::core
