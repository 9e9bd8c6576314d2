// STRING(n) fields: FixedString<N> holds exactly N characters, blank-padded, with no
// terminator, so a record struct has the field's documented size and the record store
// copies the characters at the member's offset. Text assigned to it is cut to N
// characters and padded with blanks. Comparisons ignore trailing blanks ("AB" equals
// "AB   "), which is also how the store orders keys (it keeps strings without trailing
// blanks). FixedSpan is a view over a run of the characters, readable and writable, for
// the groups that overlay a field (the ZIP, dash and ZIP+4 parts of a postal code).
#pragma once

#include <algorithm>
#include <cassert>
#include <compare>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

namespace quay::core {

namespace detail {

constexpr std::string_view trimTrailingBlanks(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

constexpr char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Ordering of two texts with trailing blanks ignored; caseless compares ASCII letters
// without regard to case.
constexpr std::strong_ordering compareTexts(std::string_view a, std::string_view b, bool caseless) {
    a = trimTrailingBlanks(a);
    b = trimTrailingBlanks(b);
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(caseless ? asciiUpper(a[i]) : a[i]);
        const auto y = static_cast<unsigned char>(caseless ? asciiUpper(b[i]) : b[i]);
        if (x != y) return x <=> y;
    }
    return a.size() <=> b.size();
}

// Copies text into dest[0..n), cut to n characters and padded with blanks.
// GCC 12 at -O2 turns the first loop into a memcpy and, when the text is a short-lived
// std::string, wrongly warns that the copy reads past the string's inline buffer: the
// loop never reads beyond text.size(). The warning is silenced for this function only.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
constexpr void fillBlankPadded(char* dest, std::size_t n, std::string_view text) {
    const std::size_t len = std::min(n, text.size());
    for (std::size_t i = 0; i < len; ++i) dest[i] = text[i];
    for (std::size_t i = len; i < n; ++i) dest[i] = ' ';
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace detail

// A view over Len characters of a string field. Char is `char` for a writable view and
// `const char` for a read-only one. The view does not own the characters; it stays valid
// as long as the record it points into.
template <std::size_t Len, class Char = char>
class FixedSpan {
public:
    static constexpr std::size_t kSize = Len;

    constexpr explicit FixedSpan(Char* chars) : m_chars(chars) {}

    // All Len characters, blanks included.
    constexpr std::string_view raw() const { return std::string_view(m_chars, Len); }
    // The characters without trailing blanks.
    constexpr std::string_view view() const { return detail::trimTrailingBlanks(raw()); }
    std::string str() const { return std::string(view()); }
    constexpr bool isBlank() const { return view().empty(); }

    // Cuts text to Len characters and pads with blanks; the rest of the field is untouched.
    constexpr FixedSpan& operator=(std::string_view text) requires(!std::is_const_v<Char>) {
        detail::fillBlankPadded(m_chars, Len, text);
        return *this;
    }

    constexpr bool equalsNoCase(std::string_view other) const { return detail::compareTexts(raw(), other, true) == 0; }

    friend constexpr bool operator==(const FixedSpan& a, std::string_view b) {
        return detail::compareTexts(a.raw(), b, false) == 0;
    }
    friend constexpr std::strong_ordering operator<=>(const FixedSpan& a, std::string_view b) {
        return detail::compareTexts(a.raw(), b, false);
    }
    template <std::size_t L, class C>
    friend constexpr bool operator==(const FixedSpan& a, const FixedSpan<L, C>& b) {
        return detail::compareTexts(a.raw(), b.raw(), false) == 0;
    }

private:
    Char* m_chars;
};

template <std::size_t N>
class FixedString {
    static_assert(N > 0, "a string field holds at least one character");

public:
    static constexpr std::size_t kSize = N;

    constexpr FixedString() { detail::fillBlankPadded(m_chars, N, {}); }
    constexpr FixedString(std::string_view text) { assign(text); }  // NOLINT: text converts freely
    constexpr FixedString(const char* text) { assign(text); }       // NOLINT

    constexpr FixedString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    constexpr FixedString& operator=(const char* text) {
        assign(text);
        return *this;
    }
    template <std::size_t M>
    constexpr FixedString& operator=(const FixedString<M>& other) requires(M != N) {
        assign(other.view());
        return *this;
    }

    // Cuts text to N characters and pads with blanks.
    constexpr void assign(std::string_view text) { detail::fillBlankPadded(m_chars, N, text); }
    // REQUIRES: text is not null.
    constexpr void assign(const char* text) {
        assert(text != nullptr);
        assign(std::string_view(text));
    }
    constexpr void clear() { assign(std::string_view()); }

    static constexpr std::size_t size() { return N; }
    // Characters up to the last non-blank one.
    constexpr std::size_t length() const { return view().size(); }
    constexpr bool isBlank() const { return view().empty(); }

    constexpr std::string_view raw() const { return std::string_view(m_chars, N); }
    constexpr std::string_view view() const { return detail::trimTrailingBlanks(raw()); }
    std::string str() const { return std::string(view()); }

    constexpr char* data() { return m_chars; }
    constexpr const char* data() const { return m_chars; }
    // REQUIRES: i < N.
    constexpr char& operator[](std::size_t i) {
        assert(i < N);
        return m_chars[i];
    }
    constexpr char operator[](std::size_t i) const {
        assert(i < N);
        return m_chars[i];
    }

    // Characters [From, From + Len) as a view that reads and writes them in place.
    template <std::size_t From, std::size_t Len>
    constexpr FixedSpan<Len> sub() {
        static_assert(From + Len <= N, "the view lies outside the field");
        return FixedSpan<Len>(m_chars + From);
    }
    template <std::size_t From, std::size_t Len>
    constexpr FixedSpan<Len, const char> sub() const {
        static_assert(From + Len <= N, "the view lies outside the field");
        return FixedSpan<Len, const char>(m_chars + From);
    }

    // Caseless comparison over ASCII letters, trailing blanks ignored.
    constexpr bool equalsNoCase(std::string_view other) const { return detail::compareTexts(raw(), other, true) == 0; }
    constexpr std::strong_ordering compareNoCase(std::string_view other) const {
        return detail::compareTexts(raw(), other, true);
    }

    template <std::size_t M>
    friend constexpr bool operator==(const FixedString& a, const FixedString<M>& b) {
        return detail::compareTexts(a.raw(), b.raw(), false) == 0;
    }
    template <std::size_t M>
    friend constexpr std::strong_ordering operator<=>(const FixedString& a, const FixedString<M>& b) {
        return detail::compareTexts(a.raw(), b.raw(), false);
    }
    friend constexpr bool operator==(const FixedString& a, std::string_view b) {
        return detail::compareTexts(a.raw(), b, false) == 0;
    }
    friend constexpr std::strong_ordering operator<=>(const FixedString& a, std::string_view b) {
        return detail::compareTexts(a.raw(), b, false);
    }
    friend constexpr bool operator==(const FixedString& a, const char* b) { return a == std::string_view(b); }
    friend constexpr std::strong_ordering operator<=>(const FixedString& a, const char* b) {
        return a <=> std::string_view(b);
    }

    friend std::ostream& operator<<(std::ostream& os, const FixedString& s) { return os << '"' << s.view() << '"'; }

private:
    char m_chars[N];
};

}  // namespace quay::core
