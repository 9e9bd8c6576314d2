// The single-instance window list: lookup by list name, sorted entries, claims
// that open exactly one window even when threads race, and removal on close.
#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "quay/ui/thread_queue.h"

namespace quay::core {
namespace {

TEST(ThreadQueueEntries, AddedEntriesAreFoundByNameAndKeptInNameOrder) {
    ThreadQueue q;
    EXPECT_TRUE(q.add({"QuoteList", 0, 1, 7}));
    EXPECT_TRUE(q.add({"CustomerList", 0, 1, 3}));
    EXPECT_TRUE(q.add({"InvoiceList", 0, 1, 5}));
    ASSERT_EQ(q.size(), 3u);
    const auto e = q.entries();
    EXPECT_EQ(e[0].PROC, "CustomerList");
    EXPECT_EQ(e[1].PROC, "InvoiceList");
    EXPECT_EQ(e[2].PROC, "QuoteList");
    ASSERT_TRUE(q.find("InvoiceList"));
    EXPECT_EQ(q.find("InvoiceList")->THREADID, 5);
    EXPECT_FALSE(q.find("invoicelist"));
    EXPECT_FALSE(q.find("Invoice"));
}

TEST(ThreadQueueEntries, SecondEntryOfOneNameIsRefused) {
    ThreadQueue q;
    ASSERT_TRUE(q.add({"QuoteList", 0, 1, 7}));
    EXPECT_FALSE(q.add({"QuoteList", 0, 1, 9}));
    EXPECT_EQ(q.find("QuoteList")->THREADID, 7);
    EXPECT_EQ(q.size(), 1u);
}

TEST(ThreadQueueClaims, FirstClaimAddsAndSecondFindsTheOpenWindow) {
    ThreadQueue q;
    EXPECT_FALSE(q.claim("QuoteList", 4));
    const auto again = q.claim("QuoteList", 8);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, (ThreadQueueEntry{"QuoteList", 0, 1, 4}));
    // After the window closes the next choice opens a new one.
    EXPECT_TRUE(q.remove("QuoteList"));
    EXPECT_FALSE(q.claim("QuoteList", 8));
    EXPECT_EQ(q.find("QuoteList")->THREADID, 8);
}

TEST(ThreadQueueClaims, LateCloseOfAnOldWindowKeepsTheNewWindowsEntry) {
    ThreadQueue q;
    ASSERT_FALSE(q.claim("VendorList", 1));
    ASSERT_TRUE(q.remove("VendorList", 1));
    ASSERT_FALSE(q.claim("VendorList", 2));
    EXPECT_FALSE(q.remove("VendorList", 1));
    EXPECT_TRUE(q.find("VendorList"));
    EXPECT_FALSE(q.remove("Nothing"));
}

TEST(ThreadQueueClaims, RacingThreadsOpenOneWindow) {
    ThreadQueue q;
    std::atomic<int> opened{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&q, &opened, t] {
            for (int i = 0; i < 200; ++i)
                if (!q.claim("List" + std::to_string(i), t + 1)) ++opened;
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_EQ(opened.load(), 200);
    EXPECT_EQ(q.size(), 200u);
}

TEST(ThreadQueueClaims, ProcessListIsOneObject) { EXPECT_EQ(&ThreadQueue::instance(), &ThreadQueue::instance()); }

}  // namespace
}  // namespace quay::core
