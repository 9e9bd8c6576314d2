// A report's record set: the records of its range in key order, the filter's skips and the
// stretches it seeks past, the count the progress shows, and a store that fails saying so
// instead of ending quietly; and a second key read in step with a walk.
#include <gtest/gtest.h>

#include "order_data_support.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/run/record_set.h"
#include "quay/reports/run/step_reader.h"

namespace quay::reports {
namespace {

using testing::line;

class RecordSetTest : public ::testing::Test {
protected:
    RecordSetTest() : items(data.db()) {
        data.add(line(3, 7, "RP-12", "Rope", "1", "3", "3.00"));
        data.add(line(1, 7, "CL-100", "Cleat", "2", "4.25", "8.50"));
        data.add(line(2, 8, "CL-100", "Cleat", "1", "4.25", "4.25"));
        data.add(line(4, 7, "SH-8", "Shackle", "1", "9", "9.00"));
        data.add(line(5, 9, "SH-8", "Shackle", "1", "9", "9.00"));
    }

    // The line numbers the set gives, in order.
    std::vector<std::int32_t> walk(RecordSet& set) {
        std::vector<std::int32_t> seen;
        for (;;) {
            const RecordSet::Read r = set.next(ui);
            if (r != RecordSet::Read::Record) {
                EXPECT_EQ(r, RecordSet::Read::End);
                return seen;
            }
            seen.push_back(items.rec.IteNum);
        }
    }
    RecordSet linesOf(std::int32_t ordNum) {
        RecordSet set(items, core::ItemsOrd::byOrdNum);
        set.startAt([this, ordNum] { items.rec.OrdNum = ordNum; }).whileTrue([this, ordNum] {
            return items.rec.OrdNum == ordNum;
        });
        return set;
    }

    testing::OrderData data;
    core::ScriptedUi ui;
    core::Handle<core::ItemsOrd> items;
};

TEST_F(RecordSetTest, GivesTheRangeInKeyOrderAndCountsIt) {
    ASSERT_EQ(items.open(), core::ErrorCode::None);
    RecordSet set = linesOf(7);
    ASSERT_TRUE(set.position(ui));
    EXPECT_EQ(set.count(), 3);
    // Lines of one order come in the order they were stored.
    EXPECT_EQ(walk(set), (std::vector<std::int32_t>{3, 1, 4}));
    EXPECT_EQ(set.next(ui), RecordSet::Read::End);  // stays at its end
    set.close();
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(RecordSetTest, TheFilterSkipsRecordsThatTheCountStillSpans) {
    ASSERT_EQ(items.open(), core::ErrorCode::None);
    RecordSet set = linesOf(7);
    set.keepIf([this] { return items.rec.PartNum != "RP-12"; });
    ASSERT_TRUE(set.position(ui));
    EXPECT_EQ(set.count(), 3);
    EXPECT_EQ(walk(set), (std::vector<std::int32_t>{1, 4}));
}

TEST_F(RecordSetTest, AnEmptyRangeAndAWholeTable) {
    ASSERT_EQ(items.open(), core::ErrorCode::None);
    RecordSet none = linesOf(42);
    ASSERT_TRUE(none.position(ui));
    EXPECT_EQ(none.count(), 0);
    EXPECT_TRUE(walk(none).empty());

    RecordSet all(items, core::ItemsOrd::byOrdNum);
    ASSERT_TRUE(all.position(ui));
    EXPECT_EQ(all.count(), 5);
    EXPECT_EQ(walk(all), (std::vector<std::int32_t>{3, 1, 4, 2, 5}));
}

TEST_F(RecordSetTest, AStoreThatCannotReadShowsTheRetrievalErrorAndEnds) {
    // The table was never opened: every read fails.
    RecordSet set = linesOf(7);
    EXPECT_FALSE(set.position(ui));
    ASSERT_EQ(ui.captions().size(), 1u);
    EXPECT_EQ(ui.captions()[0], "Record Retrieval Error");
    EXPECT_NE(ui.texts()[0].find("ItemsOrd"), std::string::npos) << ui.texts()[0];
}

TEST_F(RecordSetTest, LongStretchesLeftOutAreSoughtPastAndTheCountLeavesThemOut) {
    // Orders 10 to 39 are a stretch of 30 lines the set leaves out, resuming at order 40.
    for (int i = 0; i < 30; ++i) data.add(line(100 + i, 10 + i, "CL-100", "Cleat", "1", "1", "1.00"));
    data.add(line(200, 40, "SH-8", "Shackle", "1", "9", "9.00"));
    ASSERT_EQ(items.open(), core::ErrorCode::None);
    RecordSet set(items, core::ItemsOrd::byOrdNum);
    int resumed = 0;
    set.skipIf([this] { return items.rec.OrdNum >= 8 && items.rec.OrdNum < 40; },
               [this, &resumed] {
                   ++resumed;
                   items.clear();
                   items.rec.OrdNum = 40;
               });
    ASSERT_TRUE(set.position(ui));
    EXPECT_EQ(set.count(), 4);  // order 7's three lines and order 40's
    EXPECT_EQ(walk(set), (std::vector<std::int32_t>{3, 1, 4, 200}));
    EXPECT_EQ(resumed, 2);  // once while counting, once while walking: not a read per line
}

TEST_F(RecordSetTest, AStepReaderReadsOnToNearTargetsAndSeeksFarOnes) {
    for (int i = 0; i < 30; ++i) data.add(line(100 + i, 10 + i, "CL-100", "Cleat", "1", "1", "1.00"));
    ASSERT_EQ(items.open(), core::ErrorCode::None);
    StepReader steps(items, core::ItemsOrd::byOrdNum, 4);
    std::vector<std::int32_t> found;
    for (std::int32_t target : {7, 8, 9, 12, 39, 41}) {
        const core::ErrorCode e = steps.advanceTo([this, target] { return items.rec.OrdNum < target; },
                                                  [this, target] { items.rec.OrdNum = target; });
        found.push_back(e == core::ErrorCode::None ? items.rec.OrdNum : -1);
    }
    EXPECT_EQ(found, (std::vector<std::int32_t>{7, 8, 9, 12, 39, -1}));
    // Past the last target the key is at its end.
    EXPECT_EQ(steps.next(), core::ErrorCode::RecordNotAvailable);
}

}  // namespace
}  // namespace quay::reports
