// The countdown is one atomic so the unarmed path stays a single load; the name of
// the failed operation is kept under a lock, since only a firing writes it.
#include "quay/store/store_faults.h"

#include <atomic>
#include <mutex>

namespace quay::core {
namespace {

std::atomic<int> g_countdown{0};
std::atomic<bool> g_fired{false};
std::mutex g_lastMutex;
std::string g_last;

}  // namespace

void StoreFaults::failNth(int n) {
    {
        std::lock_guard lock(g_lastMutex);
        g_last.clear();
    }
    g_fired = false;
    g_countdown = n > 0 ? n : 0;
}

bool StoreFaults::fired() { return g_fired; }

std::string StoreFaults::lastFault() {
    std::lock_guard lock(g_lastMutex);
    return g_last;
}

namespace detail {

bool faultDue(const char* operation, const std::string& table) {
    if (g_countdown.load(std::memory_order_relaxed) == 0) return false;
    int left = g_countdown.load();
    while (left > 0 && !g_countdown.compare_exchange_weak(left, left - 1)) {
    }
    if (left != 1) return false;
    std::lock_guard lock(g_lastMutex);
    g_last = table.empty() ? std::string(operation) : std::string(operation) + " " + table;
    g_fired = true;
    return true;
}

}  // namespace detail
}  // namespace quay::core
