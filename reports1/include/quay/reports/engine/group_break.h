// Group breaks: a GroupBreak tells the report when the grouping value (a customer name, an
// order number) changes from one record to the next, so that it closes the old group with
// its footer and totals and opens the new one with its header.
#pragma once

#include <optional>

namespace quay::reports {

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
