// The process-wide globals: a reset returns every value to its start, and the next
// pending alarm is always read as the triple some writer set, while the loader
// thread rewrites it.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "quay/app/globals.h"

namespace quay::core {
namespace {

TEST(GlobalValues, ResetClearsEveryValue) {
    glo.GlobalRequest = Request::Change;
    glo.CustName = "Smith Hardware";
    glo.UserID = "JSMITH";
    glo.OrdNum = 42;
    ASSERT_EQ(glo.BalanceDue.parse("120.50"), DecimalStatus::Ok);
    glo.CustType = "ACTIVE";
    glo.SchGroup.SCHEVENTID = 7;
    glo.SchGroup.SCHCUSTOMER = "Smith Hardware";
    glo.setNextAlarm({5, 80000, 360000});
    glo.reset();
    EXPECT_EQ(glo.GlobalRequest, Request::None);
    EXPECT_TRUE(glo.CustName.isBlank());
    EXPECT_TRUE(glo.UserID.isBlank());
    EXPECT_EQ(glo.OrdNum, 0);
    EXPECT_TRUE(glo.BalanceDue.isZero());
    EXPECT_TRUE(glo.CustType.isBlank());
    EXPECT_EQ(glo.SchGroup.SCHEVENTID, 0);
    EXPECT_TRUE(glo.SchGroup.SCHCUSTOMER.isBlank());
    EXPECT_EQ(glo.nextAlarm().AlarmActive, 0);
}

TEST(GlobalValues, CustomerTypeHoldsActiveWhole) {
    glo.CustType = "ACTIVE";
    EXPECT_EQ(glo.CustType, "ACTIVE");
    glo.reset();
}

TEST(GlobalAlarm, ReaderNeverSeesAMixOfTwoAlarms) {
    std::atomic<bool> stop{false};
    std::thread loader([&] {
        for (int i = 1; !stop; ++i) glo.setNextAlarm({i, i * 10, i * 100});
    });
    bool mixed = false;
    for (int n = 0; n < 200000 && !mixed; ++n) {
        const NextAlarm a = glo.nextAlarm();
        mixed = a.NextEventDay != a.AlarmActive * 10 || a.NextEventTime != a.AlarmActive * 100;
    }
    stop = true;
    loader.join();
    EXPECT_FALSE(mixed);
    glo.reset();
}

}  // namespace
}  // namespace quay::core
