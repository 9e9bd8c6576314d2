// Helpers for report totals and group breaks. An Accumulator sums and counts the values of
// one group (or of the whole report) and is reset by the report when the group changes; a
// GroupBreak tells the report when the grouping value changes from one record to the next.
#pragma once

#include <concepts>
#include <optional>
#include <utility>

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
    if constexpr (requires(T& s) { { s += value } -> std::same_as<core::DecimalStatus>; }) {
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

// Watches one grouping value (a customer name, an order number). changed() is true for the
// first record and whenever the value differs from the previous record's:
//
//   if (byCustomer.changed(name)) {
//     if (byCustomer.hadPrevious()) { run.print(kCustomerFooter); customerTotal.reset(); }
//     run.print(kCustomerHeader);
//   }
//   ...after the last record:
//   if (byCustomer.isOpen()) run.print(kCustomerFooter);
template <typename Key>
class GroupBreak {
 public:
  bool changed(const Key& key) {
    if (m_current && *m_current == key) {
      m_hadPrevious = false;
      return false;
    }
    m_hadPrevious = m_current.has_value();
    m_current = key;
    return true;
  }
  // True when the last changed() closed a group that had begun before: its footer is due.
  bool hadPrevious() const { return m_hadPrevious; }
  // True once any record has been seen: a footer is owed at the end of the report.
  bool isOpen() const { return m_current.has_value(); }
  const std::optional<Key>& current() const { return m_current; }
  void reset() {
    m_current.reset();
    m_hadPrevious = false;
  }

 private:
  std::optional<Key> m_current;
  bool m_hadPrevious = false;
};

}  // namespace quay::reports
