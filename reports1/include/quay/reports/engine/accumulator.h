// Helpers for report totals and group breaks. An Accumulator sums and counts the values of
// one group (or of the whole report) and is reset by the report when the group changes; a
// GroupBreak tells the report when the grouping value changes from one record to the next.
#pragma once

#include <optional>
#include <utility>

namespace quay::reports {

// Sum, count, lowest and highest of the values added since the last reset. T is any value
// type with + and < (core's decimals, integers). Exact when T is exact.
template <typename T>
class Accumulator {
 public:
  void add(const T& value) {
    m_sum = m_sum + value;
    if (m_count == 0 || value < m_min) m_min = value;
    if (m_count == 0 || m_max < value) m_max = value;
    ++m_count;
  }
  void reset() { *this = Accumulator(); }

  const T& sum() const { return m_sum; }
  long count() const { return m_count; }
  // The lowest and highest value; T{} while nothing has been added.
  const T& min() const { return m_min; }
  const T& max() const { return m_max; }

 private:
  T m_sum{};
  T m_min{};
  T m_max{};
  long m_count = 0;
};

// Watches one grouping value (a customer name, an order number). changed() is true for the
// first record and whenever the value differs from the previous record's.
//
//   if (byCustomer.changed(name)) {
//     if (byCustomer.hasPrevious()) { run.print(kCustomerFooter); customerTotal.reset(); }
//     run.print(kCustomerHeader);
//   }
template <typename Key>
class GroupBreak {
 public:
  bool changed(const Key& key) {
    m_hadPrevious = m_current.has_value();
    if (m_current && *m_current == key) return false;
    m_current = key;
    return true;
  }
  // True when the last changed() closed a group that had started before.
  bool hasPrevious() const { return m_hadPrevious; }
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
