// Exact decimal numbers: the DECIMAL(digits, places) fields of the records and the
// arithmetic on them. A field is a Decimal<Digits, Places> holding its value as a 64-bit
// integer scaled by 10^Places. Arithmetic never works on the field type itself: every
// operator yields an Exact<P>, a 128-bit scaled intermediate that keeps all places of
// the operands (price 4 places x quantity 2 places = 6 places), so a whole expression is
// exact until it is stored. Storing it into a field (Decimal::assign) applies the one
// decimal rule of the program: round half away from zero to the field's places, and
// refuse a value that does not fit the field's digits, leaving the field unchanged.
//
//   Decimal<11, 2> total;
//   if (total.assign(qty * price + shipping) != DecimalStatus::Ok) ... report, nothing stored
//
// Quotients are carried to kQuotientPlaces (18) places, cut toward zero. A quotient stored
// into a field rounds exactly as the true quotient would: a value cut below a rounding
// threshold was below it already. Used further in an expression it is exact to 18
// places, far beyond any field. Division by zero is not undefined: the result carries
// DecimalStatus::DivisionByZero, and so does anything computed from it. Intermediates
// that would leave 128 bits carry DecimalStatus::Overflow instead of wrapping.
#pragma once

#include <cassert>
#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

#include "quay/export.h"
#include "quay/types/decimal_status.h"

namespace quay::core {

template <int Places>
class Exact;
template <int Digits, int Places>
class Decimal;

namespace detail {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

// Places an intermediate may carry; 10^kMaxExactPlaces still leaves room for values up
// to about 10^14 inside 128 bits.
inline constexpr int kMaxExactPlaces = 24;
// Places a quotient is carried to, unless an operand already has more.
inline constexpr int kQuotientPlaces = 18;

// Powers of ten up to 10^38, the largest that fits 128 signed bits.
struct Pow10Table {
    Int128 values[39];
    constexpr Pow10Table() : values() {
        Int128 r = 1;
        for (int i = 0; i < 39; ++i) {
            values[i] = r;
            if (i < 38) r *= 10;
        }
    }
};
inline constexpr Pow10Table kPow10{};

// REQUIRES: 0 <= n <= 38.
constexpr Int128 pow10(int n) { return kPow10.values[n]; }

// value * 10^n, reporting overflow instead of wrapping.
constexpr bool scaleUp(Int128 value, int n, Int128& out) {
    Int128 r = value;
    for (int i = 0; i < n; ++i) {
        if (__builtin_mul_overflow(r, Int128{10}, &r)) return false;
    }
    out = r;
    return true;
}

// value / 10^n rounded half away from zero.
constexpr Int128 roundDown(Int128 value, int n) {
    if (n <= 0) return value;
    const Int128 div = pow10(n);
    Int128 q = value / div;
    const Int128 rem = value % div;
    const Int128 absRem = rem < 0 ? -rem : rem;
    if (absRem * 2 >= div) q += (value < 0 ? -1 : 1);
    return q;
}

// value / 10^n cut toward zero.
constexpr Int128 cutDown(Int128 value, int n) { return n <= 0 ? value : value / pow10(n); }

// floor(|num| / |den| * 10^shift) with the sign of num/den, by long division so that
// no intermediate overflows; false when the quotient itself does not fit.
QUAY_EXPORT bool divideScaled(Int128 num, Int128 den, int shift, Int128& out);

// Decimal text of scaled / 10^places: "-1234.5600" (always `places` places).
QUAY_EXPORT std::string scaledToString(Int128 scaled, int places);

// Parses "[-+]digits[.digits]" (blanks around allowed) into a value scaled by
// 10^places, rounding further places half away from zero.
QUAY_EXPORT DecimalStatus parseScaled(std::string_view text, int places, Int128& out);

template <class T>
struct IsDecimalValue : std::false_type {};
template <int P>
struct IsDecimalValue<Exact<P>> : std::true_type {};
template <int D, int P>
struct IsDecimalValue<Decimal<D, P>> : std::true_type {};

constexpr int maxOf(int a, int b) { return a > b ? a : b; }
constexpr int minOf(int a, int b) { return a < b ? a : b; }

}  // namespace detail

// Anything that takes part in decimal arithmetic: a field, an intermediate, an integer.
template <class T>
concept DecimalOperand = detail::IsDecimalValue<std::remove_cvref_t<T>>::value ||
    (std::integral<std::remove_cvref_t<T>> && !std::same_as<std::remove_cvref_t<T>, bool>);

// An exact intermediate result with Places places and the status of its computation.
// Values are immutable; every operation returns a new Exact. Once a status other than
// Ok is set it travels through every further operation.
template <int Places>
class Exact {
    static_assert(Places >= 0 && Places <= detail::kMaxExactPlaces, "unsupported number of places");

public:
    static constexpr int kPlaces = Places;

    constexpr Exact() = default;
    constexpr Exact(detail::Int128 scaled, DecimalStatus status) : m_scaled(scaled), m_status(status) {}

    static constexpr Exact fromScaled(detail::Int128 scaled) { return Exact(scaled, DecimalStatus::Ok); }
    static constexpr Exact failed(DecimalStatus status) { return Exact(0, status); }

    constexpr detail::Int128 scaled() const { return m_scaled; }
    constexpr DecimalStatus status() const { return m_status; }
    constexpr bool isOk() const { return m_status == DecimalStatus::Ok; }
    constexpr bool isZero() const { return m_scaled == 0; }
    constexpr bool isNegative() const { return m_scaled < 0; }

    // The same value with Q places: rounded half away from zero when Q < Places,
    // extended exactly (or Overflow) when Q > Places.
    template <int Q>
    constexpr Exact<Q> rounded() const {
        if (!isOk()) return Exact<Q>::failed(m_status);
        if constexpr (Q <= Places) {
            return Exact<Q>::fromScaled(detail::roundDown(m_scaled, Places - Q));
        } else {
            detail::Int128 r = 0;
            if (!detail::scaleUp(m_scaled, Q - Places, r)) return Exact<Q>::failed(DecimalStatus::Overflow);
            return Exact<Q>::fromScaled(r);
        }
    }

    // The same value with Q places, further places cut toward zero.
    template <int Q>
    constexpr Exact<Q> cut() const {
        if constexpr (Q < Places) {
            if (!isOk()) return Exact<Q>::failed(m_status);
            return Exact<Q>::fromScaled(detail::cutDown(m_scaled, Places - Q));
        } else {
            return rounded<Q>();
        }
    }

    constexpr Exact operator-() const { return Exact(-m_scaled, m_status); }
    constexpr Exact abs() const { return Exact(m_scaled < 0 ? -m_scaled : m_scaled, m_status); }

    // "-12.3400"; a failed value shows its status text.
    std::string toString() const {
        return isOk() ? detail::scaledToString(m_scaled, Places) : std::string(decimalStatusText(m_status));
    }

private:
    detail::Int128 m_scaled = 0;
    DecimalStatus m_status = DecimalStatus::Ok;
};

// A DECIMAL(Digits, Places) field: at most Digits digits in all, Places of them after
// the point. The only data member is the value scaled by 10^Places, so the record store
// reads and writes the int64 at the member's offset directly.
// Invariant: |m_scaled| <= 10^Digits - 1.
template <int Digits, int Places>
class Decimal {
    static_assert(Digits >= 1 && Digits <= 18, "a field holds at most 18 digits");
    static_assert(Places >= 0 && Places <= Digits, "places must lie within the digits");

public:
    static constexpr int kDigits = Digits;
    static constexpr int kPlaces = Places;
    static constexpr std::int64_t kMaxScaled = static_cast<std::int64_t>(detail::pow10(Digits)) - 1;

    constexpr Decimal() = default;

    // A whole number. REQUIRES: it fits the field (for constants in code; values from
    // outside go through assign, which reports instead).
    explicit constexpr Decimal(std::int64_t whole)
        : m_scaled(whole * static_cast<std::int64_t>(detail::pow10(Places))) {
        assert(whole >= -kMaxScaled / static_cast<std::int64_t>(detail::pow10(Places)) &&
               whole <= kMaxScaled / static_cast<std::int64_t>(detail::pow10(Places)));
    }

    // REQUIRES: |scaled| <= kMaxScaled.
    static constexpr Decimal fromScaled(std::int64_t scaled) {
        assert(fits(scaled));
        Decimal d;
        d.m_scaled = scaled;
        return d;
    }
    constexpr std::int64_t scaled() const { return m_scaled; }

    // Whether a scaled value read from elsewhere (a file, another table) fits the field.
    static constexpr bool fits(std::int64_t scaled) { return scaled >= -kMaxScaled && scaled <= kMaxScaled; }

    // The largest value the field holds (999.99 for DECIMAL(5,2)).
    static constexpr Decimal max() { return fromScaled(kMaxScaled); }

    constexpr bool isZero() const { return m_scaled == 0; }
    constexpr bool isNegative() const { return m_scaled < 0; }
    constexpr void clear() { m_scaled = 0; }

    constexpr Exact<Places> exact() const { return Exact<Places>::fromScaled(m_scaled); }
    constexpr operator Exact<Places>() const { return exact(); }  // NOLINT: arithmetic reads fields freely

    // Stores a result by the decimal rule: rounded half away from zero to Places; a
    // value that does not fit Digits, or a failed computation, is refused with its
    // status and the field keeps its value.
    template <int P>
    constexpr DecimalStatus assign(const Exact<P>& value) {
        if (!value.isOk()) return value.status();
        const Exact<Places> r = value.template rounded<Places>();
        if (!r.isOk()) return r.status();
        if (r.scaled() > kMaxScaled || r.scaled() < -kMaxScaled) return DecimalStatus::Overflow;
        m_scaled = static_cast<std::int64_t>(r.scaled());
        return DecimalStatus::Ok;
    }
    template <int D, int P>
    constexpr DecimalStatus assign(const Decimal<D, P>& value) {
        return assign(value.exact());
    }
    template <std::integral I>
    constexpr DecimalStatus assign(I whole) {
        return assign(Exact<0>::fromScaled(whole));
    }

    // Adds to or subtracts from the field by the decimal rule (running totals).
    template <DecimalOperand T>
    [[nodiscard]] constexpr DecimalStatus operator+=(const T& value);
    template <DecimalOperand T>
    [[nodiscard]] constexpr DecimalStatus operator-=(const T& value);

    // Plain text with all places, "-1234.50". Display pictures are in picture.h.
    std::string toString() const { return detail::scaledToString(m_scaled, Places); }

    // Reads "[-+]digits[.digits]": more places are rounded half away from zero; text
    // that is not a number (InvalidText) or does not fit (Overflow) leaves the field as
    // it was.
    DecimalStatus parse(std::string_view text) {
        detail::Int128 v = 0;
        const DecimalStatus s = detail::parseScaled(text, Places, v);
        if (s != DecimalStatus::Ok) return s;
        return assign(Exact<Places>::fromScaled(v));
    }

private:
    std::int64_t m_scaled = 0;
};

// The largest scaled value of a field with `digits` digits, for fields known only by
// their description (10^digits - 1). REQUIRES: 1 <= digits <= 18.
constexpr std::int64_t maxScaledForDigits(int digits) {
    assert(digits >= 1 && digits <= 18);
    return static_cast<std::int64_t>(detail::pow10(digits)) - 1;
}

namespace detail {

template <class T>
constexpr auto toExact(const T& v) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::integral<U>) {
        return Exact<0>::fromScaled(static_cast<Int128>(v));
    } else if constexpr (IsDecimalValue<U>::value && requires { v.exact(); }) {
        return v.exact();
    } else {
        return v;
    }
}

template <int A, int B>
constexpr DecimalStatus firstFailure(const Exact<A>& a, const Exact<B>& b) {
    return !a.isOk() ? a.status() : b.status();
}

template <int A, int B>
constexpr Exact<maxOf(A, B)> add(const Exact<A>& a, const Exact<B>& b) {
    constexpr int P = maxOf(A, B);
    if (!a.isOk() || !b.isOk()) return Exact<P>::failed(firstFailure(a, b));
    const Exact<P> x = a.template rounded<P>();
    const Exact<P> y = b.template rounded<P>();
    if (!x.isOk() || !y.isOk()) return Exact<P>::failed(DecimalStatus::Overflow);
    Int128 r = 0;
    if (__builtin_add_overflow(x.scaled(), y.scaled(), &r)) return Exact<P>::failed(DecimalStatus::Overflow);
    return Exact<P>::fromScaled(r);
}

template <int A, int B>
constexpr Exact<minOf(A + B, kMaxExactPlaces)> multiply(const Exact<A>& a, const Exact<B>& b) {
    constexpr int P = minOf(A + B, kMaxExactPlaces);
    if (!a.isOk() || !b.isOk()) return Exact<P>::failed(firstFailure(a, b));
    Int128 r = 0;
    if (__builtin_mul_overflow(a.scaled(), b.scaled(), &r)) return Exact<P>::failed(DecimalStatus::Overflow);
    return Exact<P>::fromScaled(cutDown(r, A + B - P));
}

template <int A, int B>
constexpr Exact<maxOf(kQuotientPlaces, maxOf(A, B))> divide(const Exact<A>& a, const Exact<B>& b) {
    constexpr int P = maxOf(kQuotientPlaces, maxOf(A, B));
    if (!a.isOk() || !b.isOk()) return Exact<P>::failed(firstFailure(a, b));
    if (b.isZero()) return Exact<P>::failed(DecimalStatus::DivisionByZero);
    // a/10^A / (b/10^B) * 10^P = (a / b) * 10^(P - A + B)
    Int128 r = 0;
    if (!divideScaled(a.scaled(), b.scaled(), P - A + B, r)) return Exact<P>::failed(DecimalStatus::Overflow);
    return Exact<P>::fromScaled(r);
}

// Floor division by 10^n: value = q * 10^n + r with 0 <= r < 10^n.
constexpr Int128 floorDown(Int128 value, int n, Int128& r) {
    const Int128 div = pow10(n);
    Int128 q = value / div;
    r = value % div;
    if (r < 0) {
        r += div;
        --q;
    }
    return q;
}

// Orders a (A places) against b (B places) without rescaling either upward, so that no
// value, however large, can overflow the comparison.
template <int A, int B>
constexpr std::strong_ordering compare(const Exact<A>& a, const Exact<B>& b) {
    if constexpr (A == B) {
        return a.scaled() <=> b.scaled();
    } else if constexpr (A < B) {
        Int128 r = 0;
        const Int128 q = floorDown(b.scaled(), B - A, r);
        if (a.scaled() != q) return a.scaled() <=> q;
        return r == 0 ? std::strong_ordering::equal : std::strong_ordering::less;
    } else {
        Int128 r = 0;
        const Int128 q = floorDown(a.scaled(), A - B, r);
        if (q != b.scaled()) return q <=> b.scaled();
        return r == 0 ? std::strong_ordering::equal : std::strong_ordering::greater;
    }
}

template <class A, class B>
concept DecimalPair = DecimalOperand<A> && DecimalOperand<B> &&
    (IsDecimalValue<std::remove_cvref_t<A>>::value || IsDecimalValue<std::remove_cvref_t<B>>::value);

}  // namespace detail

template <class A, class B>
requires detail::DecimalPair<A, B>
constexpr auto operator+(const A& a, const B& b) { return detail::add(detail::toExact(a), detail::toExact(b)); }

template <class A, class B>
requires detail::DecimalPair<A, B>
constexpr auto operator-(const A& a, const B& b) { return detail::add(detail::toExact(a), -detail::toExact(b)); }

template <class A, class B>
requires detail::DecimalPair<A, B>
constexpr auto operator*(const A& a, const B& b) { return detail::multiply(detail::toExact(a), detail::toExact(b)); }

template <class A, class B>
requires detail::DecimalPair<A, B>
constexpr auto operator/(const A& a, const B& b) { return detail::divide(detail::toExact(a), detail::toExact(b)); }

template <int D, int P>
constexpr Exact<P> operator-(const Decimal<D, P>& a) {
    return -a.exact();
}

template <class A, class B>
requires detail::DecimalPair<A, B>
constexpr std::strong_ordering operator<=>(const A& a, const B& b) {
    return detail::compare(detail::toExact(a), detail::toExact(b));
}

template <class A, class B>
requires detail::DecimalPair<A, B>
constexpr bool operator==(const A& a, const B& b) {
    return detail::compare(detail::toExact(a), detail::toExact(b)) == std::strong_ordering::equal;
}

// Readable values in test failures and diagnostics.
template <int P>
std::ostream& operator<<(std::ostream& os, const Exact<P>& v) {
    return os << v.toString();
}
template <int D, int P>
std::ostream& operator<<(std::ostream& os, const Decimal<D, P>& v) {
    return os << v.toString();
}

template <int Digits, int Places>
template <DecimalOperand T>
constexpr DecimalStatus Decimal<Digits, Places>::operator+=(const T& value) {
    return assign(*this + value);
}

template <int Digits, int Places>
template <DecimalOperand T>
constexpr DecimalStatus Decimal<Digits, Places>::operator-=(const T& value) {
    return assign(*this - value);
}

}  // namespace quay::core
