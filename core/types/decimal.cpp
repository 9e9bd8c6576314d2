// Text conversion and long division for the exact decimal type. The arithmetic itself
// lives inline in decimal.h; what is here is either too long to inline or touches text.
#include "quay/types/decimal.h"

namespace quay::core {

std::string_view decimalStatusText(DecimalStatus status) {
    switch (status) {
    case DecimalStatus::Ok: return "The value is valid.";
    case DecimalStatus::Overflow: return "The value is too large for this field.";
    case DecimalStatus::DivisionByZero: return "The value cannot be computed: division by zero.";
    case DecimalStatus::InvalidText: return "The text is not a valid number.";
    }
    return "The value is invalid.";
}

namespace detail {

bool divideScaled(Int128 num, Int128 den, int shift, Int128& out) {
    // Long division on magnitudes, one decimal digit of the quotient per step.
    const bool negative = (num < 0) != (den < 0);
    const UInt128 n = num < 0 ? UInt128(0) - static_cast<UInt128>(num) : static_cast<UInt128>(num);
    const UInt128 d = den < 0 ? UInt128(0) - static_cast<UInt128>(den) : static_cast<UInt128>(den);
    const UInt128 kLimit = static_cast<UInt128>(static_cast<Int128>(~UInt128(0) >> 1));  // INT128_MAX
    UInt128 q = n / d;
    UInt128 r = n % d;
    for (int i = 0; i < shift; ++i) {
        if (q > kLimit / 10) return false;
        // r < d; the next digit is 10 * r / d. 10 * r fits unless r is near 2^128 / 10;
        // then ten additions of r, each below 2^127, are taken instead.
        UInt128 digit = 0;
        if (r <= kLimit / 5) {
            const UInt128 t = r * 10;
            digit = t / d;
            r = t % d;
        } else {
            // Repeated subtraction: 10 * r = digit * d + rest, digit <= 9.
            UInt128 rest = 0;
            digit = 0;
            for (int k = 0; k < 10; ++k) {
                rest += r;
                if (rest >= d) {
                    rest -= d;
                    ++digit;
                }
            }
            r = rest;
        }
        q = q * 10 + digit;
        if (q > kLimit) return false;
    }
    if (q > kLimit) return false;
    const Int128 signedQ = static_cast<Int128>(q);
    out = negative ? -signedQ : signedQ;
    return true;
}

std::string scaledToString(Int128 scaled, int places) {
    const bool negative = scaled < 0;
    UInt128 v = negative ? UInt128(0) - static_cast<UInt128>(scaled) : static_cast<UInt128>(scaled);
    std::string digits;
    do {
        digits.push_back(static_cast<char>('0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    while (static_cast<int>(digits.size()) <= places) digits.push_back('0');
    std::string out;
    if (negative) out.push_back('-');
    for (std::size_t i = digits.size(); i-- > 0;) {
        out.push_back(digits[i]);
        if (places > 0 && i == static_cast<std::size_t>(places)) out.push_back('.');
    }
    return out;
}

DecimalStatus parseScaled(std::string_view text, int places, Int128& out) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    if (b == e) return DecimalStatus::InvalidText;
    bool negative = false;
    if (text[b] == '-' || text[b] == '+') {
        negative = text[b] == '-';
        ++b;
    }
    Int128 value = 0;
    int seenPlaces = 0;
    int digits = 0;
    bool point = false;
    bool roundUp = false;
    bool cutting = false;
    for (std::size_t i = b; i < e; ++i) {
        const char c = text[i];
        if (c == '.') {
            if (point) return DecimalStatus::InvalidText;
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return DecimalStatus::InvalidText;
        ++digits;
        if (point && seenPlaces >= places) {
            // The first place beyond the field decides the rounding, half away from zero.
            if (!cutting) roundUp = c >= '5';
            cutting = true;
            continue;
        }
        if (point) ++seenPlaces;
        if (__builtin_mul_overflow(value, Int128{10}, &value) ||
            __builtin_add_overflow(value, Int128{c - '0'}, &value) || value > pow10(30)) {
            return DecimalStatus::Overflow;
        }
    }
    if (digits == 0) return DecimalStatus::InvalidText;
    if (!scaleUp(value, places - seenPlaces, value)) return DecimalStatus::Overflow;
    if (roundUp) ++value;
    out = negative ? -value : value;
    return DecimalStatus::Ok;
}

}  // namespace detail

}  // namespace quay::core
