// A report's record set: the records of its range in key order, the filter's skips, the
// count the progress shows, and a store that fails saying so instead of ending quietly.
#include <gtest/gtest.h>

#include "order_data_support.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/run/record_set.h"

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

}  // namespace
}  // namespace quay::reports
