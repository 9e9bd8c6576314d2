// The report pick lists over real tables: filling 25 records per tick with the
// progress bar, the click rules, the locator, and what OK and Cancel leave in the
// shared list for the report and the next opening.
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/tools/pick_list.h"
#include "ui_test_support.h"

namespace quay::core {
namespace {

class PickListTest : public ::testing::Test {
protected:
    void SetUp() override {
        glo.reset();
        for (const auto& s : pickSpecs()) s.source->clear();
        testing::openFresh(m_products);
    }
    void TearDown() override {
        for (const auto& s : pickSpecs()) s.source->clear();
    }
    void addProducts(int n) {
        for (int i = 0; i < n; ++i) {
            char part[16];
            std::snprintf(part, sizeof part, "P%03d", i);
            m_products.clear();
            m_products.rec.PartNum = part;
            m_products.rec.DESCRIPTION = std::string("Item ") + part;
            ASSERT_EQ(m_products.add(), ErrorCode::None);
        }
    }
    std::vector<std::size_t> marks(const PickList& p) {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < p.size(); ++i)
            if (p.marked(i)) out.push_back(i);
        return out;
    }
    void fill(PickList& p) {
        p.open();
        while (p.tick()) {
        }
    }

    testing::DataDir m_dir;
    Database m_db{m_dir.path()};
    Handle<Products> m_products{m_db};
    ScriptedUi m_ui;
    const PickSpec& m_spec = *pickSpec("PICKPRODUCTS");
};

TEST_F(PickListTest, FillsTwentyFiveRecordsPerTickWithProgress) {
    addProducts(60);
    PickList p(m_ui, m_products, m_spec);
    p.open();
    EXPECT_TRUE(p.isLoading());
    EXPECT_TRUE(p.progressVisible());
    EXPECT_TRUE(p.tick());
    EXPECT_EQ(p.size(), 25u);
    EXPECT_EQ(p.progress(), 41);
    EXPECT_TRUE(p.takeProgressChanged());
    EXPECT_FALSE(p.takeProgressChanged());
    EXPECT_TRUE(p.tick());
    EXPECT_EQ(p.size(), 50u);
    EXPECT_EQ(p.progress(), 83);
    EXPECT_FALSE(p.tick());
    EXPECT_EQ(p.size(), 60u);
    EXPECT_FALSE(p.progressVisible());
    EXPECT_EQ(p.cells(0), (std::vector<std::string>{"P000", "Item P000"}));
    EXPECT_EQ(p.cells(59)[0], "P059");
    EXPECT_TRUE(marks(p).empty());
}

TEST_F(PickListTest, ShiftClickFromTheThirdToTheSeventhMarksFive) {
    addProducts(10);
    PickList p(m_ui, m_products, m_spec);
    fill(p);
    p.click(0, PickClick::Plain);
    p.click(9, PickClick::Ctrl);
    p.click(2, PickClick::Plain);
    EXPECT_EQ(marks(p), (std::vector<std::size_t>{2}));
    p.click(6, PickClick::Shift);
    EXPECT_EQ(marks(p), (std::vector<std::size_t>{2, 3, 4, 5, 6}));
    p.click(4, PickClick::Ctrl);
    EXPECT_EQ(marks(p), (std::vector<std::size_t>{2, 3, 5, 6}));
    p.click(8, PickClick::Ctrl);
    EXPECT_EQ(marks(p), (std::vector<std::size_t>{2, 3, 5, 6, 8}));
    // The Ctrl click moved the anchor: Shift now spans from it.
    p.click(7, PickClick::Shift);
    EXPECT_EQ(marks(p), (std::vector<std::size_t>{7, 8}));
}

TEST_F(PickListTest, OkKeepsTheMarksForTheNextOpening) {
    addProducts(8);
    {
        PickList p(m_ui, m_products, m_spec);
        fill(p);
        p.click(1, PickClick::Plain);
        p.click(3, PickClick::Ctrl);
        EXPECT_EQ(p.ok(), 2u);
        EXPECT_EQ(glo.GlobalResponse, Response::Completed);
    }
    const auto entries = pick::Prd::Queue.entries();
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[1].MARKED, 1);
    EXPECT_EQ(entries[3].MARKED, 1);
    EXPECT_EQ(entries[2].MARKED, 0);
    // A product added meanwhile does not show: the kept list is shown as it was.
    m_products.clear();
    m_products.rec.PartNum = "Q001";
    ASSERT_EQ(m_products.add(), ErrorCode::None);
    PickList again(m_ui, m_products, m_spec);
    again.open();
    EXPECT_FALSE(again.isLoading());
    EXPECT_EQ(again.size(), 8u);
    EXPECT_EQ(marks(again), (std::vector<std::size_t>{1, 3}));
    EXPECT_EQ(again.current(), std::optional<std::size_t>(1));
}

TEST_F(PickListTest, CancelEmptiesTheListSoTheNextOpeningReadsTheTable) {
    addProducts(5);
    {
        PickList p(m_ui, m_products, m_spec);
        fill(p);
        p.click(2, PickClick::Plain);
        p.cancel();
        EXPECT_EQ(glo.GlobalResponse, Response::Cancelled);
    }
    EXPECT_EQ(pick::Prd::Queue.size(), 0u);
    PickList again(m_ui, m_products, m_spec);
    again.open();
    EXPECT_TRUE(again.isLoading());
    while (again.tick()) {
    }
    EXPECT_EQ(again.size(), 5u);
    EXPECT_TRUE(marks(again).empty());
}

TEST_F(PickListTest, OkWhileFillingReadsTheRestFirst) {
    addProducts(80);
    PickList p(m_ui, m_products, m_spec);
    p.open();
    p.tick();
    p.click(0, PickClick::Plain);
    EXPECT_EQ(p.ok(), 1u);
    EXPECT_EQ(pick::Prd::Queue.size(), 80u);
}

TEST_F(PickListTest, LocatorHighlightsTheFirstEntryAtOrAfterTheTypedText) {
    addProducts(30);
    PickList p(m_ui, m_products, m_spec);
    fill(p);
    p.click(0, PickClick::Plain);
    p.locate("p01");
    EXPECT_EQ(p.current(), std::optional<std::size_t>(10));
    p.locate("P0155");
    EXPECT_EQ(p.current(), std::optional<std::size_t>(16));
    p.locate("Z");
    EXPECT_EQ(p.current(), std::optional<std::size_t>(29));
    EXPECT_EQ(marks(p), (std::vector<std::size_t>{0}));  // locating marks nothing
}

TEST(PickSpecs, SixWindowsEachWithItsOwnSharedList) {
    ASSERT_EQ(pickSpecs().size(), 6u);
    EXPECT_EQ(pickSpec("PICKPRODUCTS")->title, "Pick Products");
    EXPECT_EQ(pickSpec("PICKPRODUCTS")->headings, (std::vector<std::string>{"Part#", "Description"}));
    EXPECT_TRUE(pickSpec("PICKSALESMEN")->hasLocator);
    EXPECT_FALSE(pickSpec("PICKCUSTOMERS")->hasLocator);
    EXPECT_EQ(pickSpec("PICKGROUPS")->source, &pick::Groups::Queue);
    EXPECT_EQ(pickSpec("NOPE"), nullptr);
}

TEST(PickProcedures, AnswerTheWindowsResponse) {
    ScriptedUi ui;
    ui.onWindow("PICKVENDORS", [](const WindowRequest&) { return WindowResponse{Response::Completed, 0, {}}; });
    EXPECT_EQ(PICKVENDORS(ui), Response::Completed);
    EXPECT_EQ(glo.GlobalResponse, Response::Completed);
}

}  // namespace
}  // namespace quay::core
