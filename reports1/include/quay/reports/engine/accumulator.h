// Report totals: an Accumulator sums and counts the values of one group (or of the whole
// report) and is reset by the report when the group changes (see group_break.h).
#pragma once

#include <concepts>

#include "quay/types/decimal_status.h"

namespace quay::reports {

// Sum and count of the values added since the last reset. T is the total's type: a
// decimal field type wide enough for the report's totals (the sum follows the decimal
// rule and is exact), or any type with +=.
template <typename T>
class Accumulator {
public:
    // Adds value. For a decimal total, false when the sum would no longer fit T: the total
    // and the count stay as they were, and the report shows the failure instead of a
    // wrapped figure.
    template <typename V>
    bool add(const V& value) {
        if constexpr (requires(T & s) {
                          { s += value } -> std::same_as<core::DecimalStatus>;
                      }) {
            T sum = m_sum;
            if ((sum += value) != core::DecimalStatus::Ok) return false;
            m_sum = sum;
        } else {
            m_sum += value;
        }
        ++m_count;
        return true;
    }
    void reset() {
        m_sum = T{};
        m_count = 0;
    }

    const T& sum() const { return m_sum; }
    long count() const { return m_count; }

private:
    T m_sum{};
    long m_count = 0;
};

}  // namespace quay::reports
