// Physical counts on a real data set: a count changes only the quantities typed,
// an untouched form writes nothing, inserts and deletes never make or remove a
// product, and the list shows every product with its figures.
#include <gtest/gtest.h>

#include <cstring>

#include "counts/prod_counts.h"
#include "quay/tables/products.h"
#include "quay/tables/ven_prods.h"
#include "quay/testing/data_set_test.h"

namespace quay::desk {
namespace {

using core::Button;
using core::Handle;
using core::Products;
using core::Request;
using core::WindowRequest;
using quay::testing::money;

class ProductCounts : public quay::testing::DataSetTest {
protected:
    ProductCounts() : DataSetTest("quay-counts") {}

    void SetUp() override {
        DataSetTest::SetUp();
        Products p;
        p.PartNum = "BOLT-10";
        p.Active = 1;
        p.DESCRIPTION = "Bronze bolt";
        p.OnHand = money("5");
        p.OnOrder = money("12");
        p.MinQty = money("2");
        store(p);
        p.PartNum = "ANCHOR";
        p.Active = 0;
        p.DESCRIPTION = "Danforth anchor";
        p.OnHand = money("1");
        store(p);
        prd = std::make_unique<Handle<Products>>(*db);
        open(*prd);
    }
    void TearDown() override {
        prd.reset();
        DataSetTest::TearDown();
    }
    void load(const char* part) {
        prd->clear();
        prd->rec.PartNum = part;
        ASSERT_EQ(prd->get(Products::byPartNum), core::ErrorCode::None);
    }
    Products stored(const char* part) {
        for (const Products& p : all<Products>())
            if (p.PartNum.str() == part) return p;
        ADD_FAILURE() << part << " is gone";
        return {};
    }
    WindowRequest req(Request r) { return WindowRequest{r, prd.get(), 0, {}}; }

    std::unique_ptr<Handle<Products>> prd;
};

TEST_F(ProductCounts, CountStoresOnlyTheNewQuantity) {
    load("BOLT-10");
    const Products before = stored("BOLT-10");
    ProdCountsForm form(*db, ui, *prd, req(Request::Change));
    ASSERT_TRUE(form.open());
    prd->rec.OnHand = money("3");
    ASSERT_TRUE(form.accept(core::fieldOf(&Products::OnHand)));
    ASSERT_TRUE(form.ok());
    EXPECT_EQ(form.response().response, core::Response::Completed);

    Products after = stored("BOLT-10");
    EXPECT_EQ(after.OnHand, money("3"));
    after.OnHand = before.OnHand;
    EXPECT_EQ(std::memcmp(&after.PartNum, &before.PartNum, sizeof after.PartNum), 0);
    EXPECT_EQ(after.OnOrder, before.OnOrder);
    EXPECT_EQ(after.MinQty, before.MinQty);
    EXPECT_EQ(after.DESCRIPTION.str(), before.DESCRIPTION.str());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(ProductCounts, UntouchedFormWritesAndAsksNothing) {
    load("BOLT-10");
    ProdCountsForm form(*db, ui, *prd, req(Request::Change));
    ASSERT_TRUE(form.open());
    EXPECT_TRUE(form.cancel());
    EXPECT_EQ(form.response().response, core::Response::Cancelled);
    ProdCountsForm again(*db, ui, *prd, req(Request::Change));
    ASSERT_TRUE(again.open());
    EXPECT_TRUE(again.ok());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(stored("BOLT-10").OnHand, money("5"));
}

TEST_F(ProductCounts, CancelAfterAChangeAsksAndNoKeepsTheForm) {
    load("BOLT-10");
    ProdCountsForm form(*db, ui, *prd, req(Request::Change));
    ASSERT_TRUE(form.open());
    prd->rec.MinQty = money("-4");
    ui.answers({Button::No, Button::Yes});
    EXPECT_FALSE(form.cancel());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Update Cancelled");
    EXPECT_EQ(ui.messages()[0].text, "Are you sure you want to cancel?");
    EXPECT_TRUE(form.cancel());
    EXPECT_EQ(stored("BOLT-10").MinQty, money("2"));
}

TEST_F(ProductCounts, InsertAndDeleteAreRefusedAndChangeNothing) {
    // request, the text of the refusal
    const std::vector<std::pair<Request, const char*>> cases = {
        {Request::Insert,
         "This procedure was called to insert a record, however inserts are not allowed for this procedure.  Press OK "
         "to return to the calling procedure"},
        {Request::Delete,
         "This procedure was called to delete a record, however deletions are not allowed for this procedure.  Press "
         "OK to return to the calling procedure"}};
    for (const auto& [request, text] : cases) {
        SCOPED_TRACE(text);
        ui.clearRecord();
        load("BOLT-10");
        ProdCountsForm form(*db, ui, *prd, req(request));
        EXPECT_FALSE(form.open());
        EXPECT_EQ(form.response().response, core::Response::Cancelled);
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].caption, "Invalid Request");
        EXPECT_EQ(ui.messages()[0].text, text);
        EXPECT_EQ(all<Products>().size(), 2u);
    }
}

TEST_F(ProductCounts, ListShowsEveryProductWithItsFigures) {
    core::ListWindow list(ui, *prd, prodCountsSpec(), WindowRequest{Request::None, nullptr, 0, {}});
    list.open();
    ASSERT_EQ(list.rowCount(), 2u);  // the inactive anchor is counted too
    EXPECT_EQ(list.row(0).cells[0], "ANCHOR");
    EXPECT_EQ(list.row(1).cells, (std::vector<std::string>{"BOLT-10", "Bronze bolt", "5.00", "12.00", "2.00"}));
    list.selectTab(1);
    EXPECT_EQ(list.row(0).cells[1], "Bronze bolt");
}

}  // namespace
}  // namespace quay::desk
