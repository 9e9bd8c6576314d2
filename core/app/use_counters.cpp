// The counters live in one map under one lock; counts change only when a window
// opens or closes a table, far from any hot path.
#include "quay/app/use_counters.h"

#include <map>
#include <mutex>

namespace quay::core {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, int, std::less<>> counts;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

int UseCounters::increment(std::string_view table) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.counts.find(table);
    if (it == r.counts.end()) it = r.counts.emplace(std::string(table), 0).first;
    return ++it->second;
}

int UseCounters::decrement(std::string_view table) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.counts.find(table);
    if (it == r.counts.end() || it->second == 0) return 0;
    return --it->second;
}

int UseCounters::count(std::string_view table) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.counts.find(table);
    return it == r.counts.end() ? 0 : it->second;
}

int UseCounters::tablesInUse() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    int n = 0;
    for (const auto& [name, c] : r.counts) n += c > 0 ? 1 : 0;
    return n;
}

}  // namespace quay::core
