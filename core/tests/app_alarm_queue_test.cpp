// The alarm list: entries kept in id order, the next alarm chosen by date, time and id
// among those not yet shown.
#include "quay/app/alarm_queue.h"

#include <gtest/gtest.h>

namespace quay::core {
namespace {

TEST(AlarmQueueOrder, NextPendingSkipsShownEntriesAndOrdersByDateTimeId) {
    AlarmQueue q;
    q.put({20, 500, 3, 0});
    q.put({20, 400, 8, 1});
    q.put({20, 500, 2, 0});
    q.put({19, 900, 6, 1});
    EXPECT_EQ(q.nextPending().AlarmActive, 2);
    q.markDone(2);
    EXPECT_EQ(q.nextPending().AlarmActive, 3);
    std::vector<std::int32_t> ids;
    for (const AlarmEntry& e : q.entries()) ids.push_back(e.EVENTID);
    EXPECT_EQ(ids, (std::vector<std::int32_t>{2, 3, 6, 8}));
    EXPECT_TRUE(q.remove(3));
    EXPECT_FALSE(q.remove(3));
    EXPECT_EQ(q.nextPending().AlarmActive, 0);
}

}  // namespace
}  // namespace quay::core
