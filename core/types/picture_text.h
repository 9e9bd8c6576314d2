// Character helpers shared by the picture compiler and the readers of typed numbers,
// dates and times. Typed text is ASCII as far as pictures care: digits, signs,
// separators and the AM/PM letters.
#pragma once

#include <string_view>

namespace quay::core::detail {

constexpr bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

constexpr char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The text without blanks or tabs around it, as typed into an entry field.
constexpr std::string_view trimTyped(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace quay::core::detail
