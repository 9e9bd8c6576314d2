// FORMATPHONE: the phone formatter every form runs on its phone fields. It keeps
// the letters and digits of the typed text (letters in upper case), drops a
// leading long-distance "1", and writes ten characters as (800)555-0199, or seven
// as the company's default area code in parentheses followed by 555-0199. Any
// other count is rejected: the result is blank and GlobalResponse is 2.
#pragma once

#include <string>
#include <string_view>

#include "quay/export.h"
#include "quay/tables/defaults.h"
#include "quay/types/fixed_string.h"

namespace quay::core {

struct PhoneResult {
    FixedString<13> text;  // the formatted number, blank when rejected
    bool accepted = false;
};

// The formatter itself, with the area code given (DEF:DEFAREACODE as stored).
QUAY_EXPORT PhoneResult formatPhone(std::string_view typed, const FixedString<3>& areaCode);

// FORMATPHONE as windows call it: the area code from the company record, the
// result returned and glo.GlobalResponse set to 1 (accepted) or 2 (rejected).
QUAY_EXPORT FixedString<13> FORMATPHONE(std::string_view typed, const Defaults& company);

}  // namespace quay::core
