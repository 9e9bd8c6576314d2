// Memo fields: text of up to N characters kept with the record (notes, comments, tip
// texts). The layout is fixed for the record store: a 32-bit length, then N characters
// of which the first m_length are the text. Assigned text is cut to N characters.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quay::core {

// Invariant: m_length <= N; characters past m_length are zero, so two memos with the
// same text are byte-for-byte equal.
template <std::size_t N>
class Memo {
    static_assert(N > 0 && N <= 0xFFFFFFFFu, "a memo holds 1 to 2^32-1 characters");

public:
    static constexpr std::size_t kSize = N;

    constexpr Memo() = default;
    constexpr Memo(std::string_view text) { assign(text); }  // NOLINT: text converts freely

    constexpr Memo& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    // Keeps the first N characters of text; reports whether all of it fitted.
    constexpr bool assign(std::string_view text) {
        const std::size_t len = std::min(N, text.size());
        for (std::size_t i = 0; i < len; ++i) m_text[i] = text[i];
        for (std::size_t i = len; i < std::min<std::size_t>(m_length, N); ++i) m_text[i] = '\0';
        m_length = static_cast<std::uint32_t>(len);
        return len == text.size();
    }
    constexpr void clear() { assign(std::string_view()); }

    static constexpr std::size_t capacity() { return N; }
    constexpr std::size_t length() const { return std::min<std::size_t>(m_length, N); }
    constexpr bool isEmpty() const { return m_length == 0; }

    constexpr std::string_view view() const { return std::string_view(m_text, std::min<std::size_t>(m_length, N)); }
    std::string str() const { return std::string(view()); }

    friend constexpr bool operator==(const Memo& a, const Memo& b) { return a.view() == b.view(); }
    friend constexpr bool operator==(const Memo& a, std::string_view b) { return a.view() == b; }

private:
    std::uint32_t m_length = 0;
    char m_text[N] = {};
};

}  // namespace quay::core
