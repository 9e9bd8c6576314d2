// The product lists over five products whose quantities and costs were worked out by
// hand: the below-minimum rule, "In Stock Items Only" against negative stock, the
// inventory cost's group and grand totals, the chosen price and its heading, the pick
// lists and the subtitle naming them.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "order_data_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/products/product_reports.h"
#include "quay/reports/run/page_text.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"

namespace quay::reports {
namespace {

using core::glo;
using testing::day;
using testing::money;
using testing::price;

class ProductData : public ::testing::Test {
protected:
    ProductData()
        : settings(std::filesystem::temp_directory_path() / "quay-products-test-absent.ini"),
          clock(core::DateTime{day(2026, 4, 2), *core::timeFromClock(9, 30)}) {
        glo.reset();
        clearPicks();
        data.add(testing::company());
        addProduct("AN-200", "ANCHORS", "Plow anchor", "Lewmar", "45.5000", "99.9900", "4", "6", "10");
        addProduct("AN-300", "ANCHORS", "Claw anchor", "Lewmar", "30.2500", "64.5000", "4", "5", "10");
        core::Products& cleat =
            addProduct("CL-100", "HARDWARE", "Deck cleat", "Harken", "2.3333", "6.4950", "12", "0", "5");
        cleat.PRICECLASS1 = price("5.1250");
        cleat.Comments = "Sold in pairs";
        addProduct("RP-050", "ROPE", "Dock line", "Harken", "8.0000", "19.9900", "-2", "0", "0");
        addProduct("RP-060", "ROPE", "Anchor rode", "Harken", "15.0000", "31.0000", "0", "0", "0");
        m_products[0].PRICECLASS1 = price("89.0000");
        for (const core::Products& p : m_products) data.add(p);
        addVendorPart(1, "AN-200", "Bay Rigging");
        addVendorPart(2, "CL-100", "Coastal Paint");
    }
    ~ProductData() override { clearPicks(); }

    static void clearPicks() {
        core::pick::Prd::Queue.clear();
        core::pick::Ven::Queue.clear();
        core::pick::Groups::Queue.clear();
        core::pick::Mfr::Queue.clear();
    }
    core::Products& addProduct(const char* part, const char* group, const char* description, const char* maker,
                               const char* cost, const char* msrp, const char* onHand, const char* onOrder,
                               const char* minQty) {
        core::Products p = testing::product(part, description);
        p.Group = group;
        p.MANUFACTURER = maker;
        p.COST = price(cost);
        p.MSRP = price(msrp);
        p.OnHand = money(onHand);
        p.OnOrder = money(onOrder);
        p.MinQty = money(minQty);
        m_products.push_back(p);
        return m_products.back();
    }
    void addVendorPart(std::int32_t id, const char* part, const char* vendor) {
        core::VenProds v{};
        v.VPRID = id;
        v.PartNum = part;
        v.Vendor = vendor;
        v.VENPARTNUM = "V-" + std::to_string(id);
        data.add(v);
    }

    // Opens the window, lets the test choose (pick lists are set up after opening, which
    // empties them), and prints.
    std::string print(ReportWindow window, const std::function<void(ReportSelection&)>& choose = {}) {
        ReportSelection selection(ui, window.spec, [this, job = window.report](core::UiPort& u, const RunOptions& o) {
            ReportContext ctx{
                .ui = u, .output = output, .settings = settings, .measurer = &measurer, .logoDirectory = {}};
            return runReport(data.db(), job, ctx, o);
        });
        selection.open();
        if (choose) choose(selection);
        output.previewed.clear();
        const std::optional<RunResult> r = selection.print();
        EXPECT_TRUE(r.has_value());
        return output.previewed.empty() ? std::string() : readingText(output.previewed.back());
    }

    std::vector<core::Products> m_products;
    testing::OrderData data;
    core::Settings settings;
    core::ScopedClockOverride clock;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    testing::FixedPitchMeasurer measurer;
};

TEST_F(ProductData, InventoryCostTotalsEachGroupAndLeavesOutWhatIsNotOnHand) {
    const std::string text = print(inventoryLevelsWindow(), [](ReportSelection& s) { s.setChoice(0, "I"); });
    // 45.50 x 4 = 182.00, 30.25 x 4 = 121.00; 2.3333 x 12 = 27.9996 -> 28.00.
    const char* expected =
        "Qty On Hand | Part# | Description | Group | Cost Each | Cost\n"
        "Group: | ANCHORS\n"
        "4.00 | AN-200 | Plow anchor | ANCHORS | $45.5000 | $182.00\n"
        "4.00 | AN-300 | Claw anchor | ANCHORS | $30.2500 | $121.00\n"
        "Group Total: | $303.00\n"
        "Group: | HARDWARE\n"
        "12.00 | CL-100 | Deck cleat | HARDWARE | $2.3333 | $28.00\n"
        "Group Total: | $28.00\n"
        "Grand Total: | $331.00\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_EQ(text.find("RP-0"), std::string::npos) << text;  // -2 and 0 on hand
    EXPECT_NE(text.find("Inventory Cost | Page: | 1 of 1"), std::string::npos) << text;
}

TEST_F(ProductData, BelowMinimumCountsWhatIsOnOrder) {
    const std::string text = print(inventoryLevelsWindow(), [](ReportSelection& s) { s.setChoice(0, "B"); });
    // AN-200: 10 > 4 + 6 fails; AN-300: 10 > 4 + 5; RP-050: 0 > -2.
    EXPECT_EQ(text.find("AN-200"), std::string::npos) << text;
    EXPECT_NE(text.find("AN-300 | Claw anchor | ANCHORS | 10.00 | $64.50 | 4.00 | 5.00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("RP-050 | Dock line | ROPE | 0.00 | $19.99 | -2.00 | 0.00\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("RP-060"), std::string::npos) << text;
    EXPECT_NE(text.find("Inventory Below Minimum Qty | Page:"), std::string::npos) << text;
}

TEST_F(ProductData, CountSheetInStockKeepsNegativeStockAndGroupsWhenAsked) {
    const std::string text = print(inventoryLevelsWindow(), [](ReportSelection& s) {
        s.setFlag(0, true);  // In Stock Items Only
        s.setChoice(1, "G");
    });
    EXPECT_NE(text.find("Product Count Sheets by Group | Page:"), std::string::npos) << text;
    EXPECT_NE(text.find("Group: | ROPE\nRP-050 | Dock line"), std::string::npos) << text;
    EXPECT_EQ(text.find("RP-060"), std::string::npos) << text;
    EXPECT_NE(text.find("Count | Part# | Description | Group | Min Qty | MSRP | On Hand | On Order\n"),
              std::string::npos)
        << text;
}

TEST_F(ProductData, VendorPickListLeavesOutProductsWithoutVendorAndNamesTheFilter) {
    const std::string text = print(inventoryLevelsWindow(), [](ReportSelection&) {
        core::pick::Ven::Queue.add({"Bay Rigging", 1});
        core::pick::Ven::Queue.add({"Coastal Paint", 0});
    });
    EXPECT_NE(text.find("Filters:  Vendors\n"), std::string::npos) << text;
    EXPECT_NE(text.find("AN-200"), std::string::npos) << text;
    for (const char* other : {"AN-300", "CL-100", "RP-050", "RP-060"})
        EXPECT_EQ(text.find(other), std::string::npos) << other;

    const std::string two = print(inventoryLevelsWindow(), [](ReportSelection&) {
        core::pick::Prd::Queue.add({"CL-100", "Deck cleat", 1});
        core::pick::Mfr::Queue.add({"Harken", 1});
    });
    EXPECT_NE(two.find("Filters:  Products, Manufacturers\n"), std::string::npos) << two;
    EXPECT_NE(two.find("CL-100"), std::string::npos) << two;
    EXPECT_EQ(two.find("RP-050"), std::string::npos) << two;
}

TEST_F(ProductData, CatalogAtAClassRoundsThePriceAndPrintsComments) {
    const std::string text = print(productCatalogWindow(), [](ReportSelection& s) {
        s.setFlag(1, true);  // Print Comments
        s.setChoice(0, "1");
    });
    EXPECT_NE(text.find("Part# | Description | Group | Sale Price | MSRP\n"), std::string::npos) << text;
    EXPECT_NE(text.find("CL-100 | Deck cleat | HARDWARE | $5.13 | $6.50\nSold in pairs\n"), std::string::npos) << text;
    EXPECT_NE(text.find("AN-200 | Plow anchor | ANCHORS | $89.00 | $99.99\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Product Catalog | Page:"), std::string::npos) << text;
}

TEST_F(ProductData, PriceListAtOneClassOrAllClasses) {
    std::string text = print(priceListWindow(), [](ReportSelection& s) { s.setChoice(0, "C"); });
    EXPECT_NE(text.find("Part# | Description | Group | MSRP | Cost\n"), std::string::npos) << text;
    EXPECT_NE(text.find("CL-100 | Deck cleat | HARDWARE | $6.50 | $2.33\n"), std::string::npos) << text;

    text = print(priceListWindow(), [](ReportSelection& s) { s.setChoice(0, "A"); });
    EXPECT_NE(text.find("Price List - All Classes (Confidential) | Page:"), std::string::npos) << text;
    EXPECT_NE(
        text.find("Part# | Description | Class 1 | Class 2 | Class 3 | Class 4 | Class 5 | Class 6 | Cost | MSRP\n"),
        std::string::npos)
        << text;
    EXPECT_NE(
        text.find("AN-200 | Plow anchor | 89.0000 | 0.0000 | 0.0000 | 0.0000 | 0.0000 | 0.0000 | 45.5000 | 99.9900\n"),
        std::string::npos)
        << text;
}

TEST_F(ProductData, NoProductLeftSaysNothingToPreview) {
    const std::string text = print(priceListWindow(), [](ReportSelection&) {
        core::pick::Groups::Queue.add({"SAILS", 1});
    });
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Nothing to Preview."});
}

}  // namespace
}  // namespace quay::reports
