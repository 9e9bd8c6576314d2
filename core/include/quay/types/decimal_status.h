// Outcome of decimal arithmetic, of storing a result into a DECIMAL field and of reading
// a number from text. Every failure leaves the field it concerns unchanged.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

#include "quay/export.h"

namespace quay::core {

enum class DecimalStatus : std::uint8_t {
    Ok,              // the value was computed or stored
    Overflow,        // the value does not fit the field's digits: tell the user, store nothing
    DivisionByZero,  // a divisor was zero: the caller decides what the result shows
    InvalidText,     // the text is not a number: ask the user to correct it
};

// A short sentence for the user, e.g. "The value is too large for this field."
QUAY_EXPORT std::string_view decimalStatusText(DecimalStatus status);

inline std::ostream& operator<<(std::ostream& os, DecimalStatus status) { return os << decimalStatusText(status); }

}  // namespace quay::core
