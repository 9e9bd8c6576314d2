// Two workstations receiving the same purchase orders at once, each in a process of
// its own: one receives the entire order while the other marks the same lines one
// by one (from the last line back, so the two meet in the middle), and two stations
// marking the same lines in the same order. However their transactions interleave,
// every line's quantity reaches on hand exactly once and leaves on order exactly once.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "po_test_support.h"
#include "quay/util/po_ledger.h"

namespace quay::util {
namespace {

using quay::testing::money;

constexpr int kOrders = 6;
constexpr int kLinesPerOrder = 24;
constexpr int kProducts = 5;

std::string partOf(int i) { return "PART-" + std::to_string(i % kProducts); }
// Line i's quantity: 1 to 7 units, so a line received twice shows in the sums.
std::string qtyOf(int i) { return std::to_string(1 + i % 7); }

// Waits for the start byte (at most 30 seconds).
bool awaitStart(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 30000) != 1) return false;
    char c = 0;
    return ::read(fd, &c, 1) == 1;
}

enum class Station { WholeOrders, LinesBackward, LinesForward };

// One station: its own connection; receives the orders whole, or marks their lines
// singly. Returns the number of operations that failed (each was reported to the
// station's user and changed nothing).
int runStation(const std::string& dir, Station how, int startFd) {
    core::Database db(dir);
    core::ScriptedUi ui;
    ui.setDefaultAnswer(core::Button::Ok);
    PoLedger ledger(db, ui);
    if (!ledger.isOpen() || !awaitStart(startFd)) return 1000;
    int failed = 0;
    for (int po = 1; po <= kOrders; ++po) {
        if (how == Station::WholeOrders) {
            if (ledger.receiveOrder(po) == LedgerOutcome::Failed) ++failed;
            continue;
        }
        for (int i = 1; i <= kLinesPerOrder; ++i) {
            const int l = how == Station::LinesBackward ? kLinesPerOrder + 1 - i : i;
            const int poiNum = (po - 1) * kLinesPerOrder + l;
            if (ledger.markLine(poiNum, true) == LedgerOutcome::Failed) ++failed;
        }
    }
    return failed;
}

class PoReceivingStations : public testing::PoDataTest {
protected:
    // Runs the two stations at once and checks every line received once; `closes`:
    // the orders end closed (a station received them whole).
    void race(Station first, Station second, bool closes);
};

TEST_F(PoReceivingStations, WholeOrderAgainstSingleLinesReceivesEachLineOnce) {
    race(Station::WholeOrders, Station::LinesBackward, true);
}

TEST_F(PoReceivingStations, TwoStationsMarkingTheSameLinesReceiveEachOnce) {
    race(Station::LinesForward, Station::LinesForward, false);
}

void PoReceivingStations::race(Station first, Station second, bool closes) {
    std::map<std::string, core::Decimal<13, 2>> ordered;
    for (int p = 0; p < kProducts; ++p) product(partOf(p), "100", "500");
    for (int po = 1; po <= kOrders; ++po) {
        order(po);
        for (int l = 1; l <= kLinesPerOrder; ++l) {
            const int poiNum = (po - 1) * kLinesPerOrder + l;
            line(poiNum, po, partOf(poiNum), qtyOf(poiNum).c_str());
            auto& sum = ordered[partOf(poiNum)];
            ASSERT_EQ(sum.assign(sum + money(qtyOf(poiNum).c_str())), core::DecimalStatus::Ok);
        }
    }
    db.reset();  // each station uses a connection of its own

    int start[2];
    int results[2][2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t pids[2];
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(::pipe(results[s]), 0);
        pids[s] = ::fork();
        ASSERT_GE(pids[s], 0);
        if (pids[s] == 0) {
            const int failed = runStation(dir(), s == 0 ? first : second, start[0]);
            (void)!::write(results[s][1], &failed, sizeof failed);
            ::_exit(0);
        }
    }
    // Both stations are waiting: let them go at the same moment.
    ASSERT_EQ(::write(start[1], "xx", 2), 2);
    int failures = 0;
    for (int s = 0; s < 2; ++s) {
        int failed = -1;
        ASSERT_EQ(::read(results[s][0], &failed, sizeof failed), static_cast<ssize_t>(sizeof failed));
        int status = 0;
        ::waitpid(pids[s], &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        failures += failed;
        ::close(results[s][0]);
        ::close(results[s][1]);
    }
    ::close(start[0]);
    ::close(start[1]);
    db = std::make_unique<core::Database>(dir());

    EXPECT_EQ(failures, 0);
    for (const auto& l : all<core::POItems>()) EXPECT_EQ(l.RECEIVED, 1) << "line " << l.POINUM;
    for (const auto& p : all<core::PO>()) EXPECT_EQ(p.Status.view(), closes ? "Closed" : "Open") << "PO " << p.PoNum;
    for (int p = 0; p < kProducts; ++p) {
        const core::Products prd = productNamed(partOf(p));
        core::Decimal<13, 2> hand, onOrder;
        ASSERT_EQ(hand.assign(money("100") + ordered[partOf(p)]), core::DecimalStatus::Ok);
        ASSERT_EQ(onOrder.assign(money("500") - ordered[partOf(p)]), core::DecimalStatus::Ok);
        EXPECT_EQ(prd.OnHand, hand) << partOf(p);
        EXPECT_EQ(prd.OnOrder, onOrder) << partOf(p);
    }
}

}  // namespace
}  // namespace quay::util
