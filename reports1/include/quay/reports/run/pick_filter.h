// What a report's pick list lets through: while the list holds entries (the window's
// button shows its check mark) only the marked keys pass; an empty list lets everything
// through. The filter takes a copy of the marked keys when the report starts, so a pick
// window changing the list while the report runs does not change the report halfway.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "quay/tools/pick_queues.h"

namespace quay::reports {

class PickFilter {
public:
    PickFilter() = default;
    explicit PickFilter(const core::PickSource& list) : m_inUse(list.size() > 0) {
        for (std::size_t i = 0, n = list.size(); i < n; ++i)
            if (list.marked(i)) m_marked.insert(list.key(i));
    }

    bool inUse() const { return m_inUse; }
    // The key as its record holds it, trailing blanks left off.
    bool accepts(std::string_view key) const { return !m_inUse || m_marked.contains(std::string(key)); }

private:
    bool m_inUse = false;
    std::set<std::string, std::less<>> m_marked;
};

}  // namespace quay::reports
