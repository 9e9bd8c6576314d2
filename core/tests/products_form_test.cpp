// The product windows on a real data set: the list's Price column following
// Glo:PriceClass, the class prices derived from the company's methods beside the
// stored ones and copied only on request, the price pictures by DEF:ROUNDPC, the
// vendor part numbers (numbered at once, removed on cancel, one per vendor), and
// renames and deletes that take the vendor part numbers along.
#include <gtest/gtest.h>

#include "masterlists_test_support.h"
#include "quay/products/product_browse.h"
#include "quay/products/product_form.h"
#include "quay/products/vendor_part_form.h"

namespace quay::core {
namespace {

using testing::MasterDataTest;
using testing::req;

Products productNumbered(const std::string& part, std::int64_t cost4, std::int64_t msrp4) {
    Products p;
    p.PartNum = part;
    p.Active = 1;
    p.COST = Decimal<13, 4>::fromScaled(cost4);
    p.MSRP = Decimal<13, 4>::fromScaled(msrp4);
    return p;
}

Vendors vendorNamed(const std::string& name) {
    Vendors v;
    v.NAME = name;
    v.Active = 1;
    return v;
}

class ProductWindows : public MasterDataTest {
protected:
    void SetUp() override {
        MasterDataTest::SetUp();
        m_prd = std::make_unique<Handle<Products>>(*db);
        open(prd());
        // The vendor part number form as the Vendors tab runs it: pick the vendor.
        ui.onWindow("VendorPartForm", [this](const WindowRequest& r) {
            VendorPartForm form(*db, ui, *r.table, r);
            if (!form.open()) return form.response();
            if (r.request == Request::Insert) {
                static_cast<VenProds*>(r.table->buffer())->Vendor = nextVendor;
                if (cancelPairs) {
                    form.cancel();
                    return form.response();
                }
            }
            form.ok();
            return form.response();
        });
    }
    void TearDown() override {
        m_prd.reset();
        MasterDataTest::TearDown();
    }
    Handle<Products>& prd() { return *m_prd; }
    void load(const std::string& part) {
        prd().clear();
        prd().rec.PartNum = part;
        ASSERT_EQ(prd().get(Products::byPartNum), ErrorCode::None);
    }
    static int f(const char* n) { return ProductForm::field(n); }

    std::unique_ptr<Handle<Products>> m_prd;
    std::string nextVendor = "Northwind";
    bool cancelPairs = false;
};

TEST_F(ProductWindows, PriceColumnFollowsThePriceClass) {
    company();
    Products p = productNumbered("A-1", 10000, 25000);
    p.PRICECLASS4 = Decimal<13, 4>::fromScaled(44000);
    store(p);
    // column: Glo:PriceClass, the price shown
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"C", "$1.0000"}, {"R", "$2.5000"}, {"4", "$4.4000"}, {"A", "$2.5000"}};
    for (const auto& [code, shown] : cases) {
        SCOPED_TRACE(code);
        glo.PriceClass = code;
        ListWindow list(ui, prd(), productBrowseSpec(), req(Request::None));
        list.open();
        ASSERT_EQ(list.rowCount(), 1u);
        std::string cell = list.row(0).cells[5];
        cell.erase(0, cell.find_first_not_of(' '));
        EXPECT_EQ(cell, shown);
    }
}

TEST_F(ProductWindows, FormWithoutCompanyRecordSaysSoAndCloses) {
    ProductForm form(*db, ui, prd(), req(Request::Insert, &prd()));
    EXPECT_FALSE(form.open());
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"ERROR"}));
    EXPECT_EQ(
        ui.texts(),
        (std::vector<std::string>{"Error reading Defaults.  Please run Utilities - Defaults to set system defaults."}));
}

TEST_F(ProductWindows, NewProductIsPrimedAndStoredAtOk) {
    company();
    ProductForm form(*db, ui, prd(), req(Request::Insert, &prd()));
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.rec().Active, 1);
    EXPECT_EQ(form.rec().ADJUSTSTOCK, 1);
    EXPECT_EQ(form.rec().SALESTAXABLE1, 1);
    EXPECT_EQ(form.rec().SALESTAXABLE2, 1);
    EXPECT_EQ(form.rec().TRACKSERIAL, "OPT");
    EXPECT_TRUE(all<Products>().empty());  // nothing stored before OK
    form.rec().PartNum = "W-100";
    EXPECT_TRUE(form.ok());
    ASSERT_EQ(all<Products>().size(), 1u);
    EXPECT_EQ(all<Products>()[0].PartNum, "W-100");
}

TEST_F(ProductWindows, TakenPartNumberNamesTheKey) {
    company();
    store(productNumbered("W-100", 0, 0));
    ProductForm form(*db, ui, prd(), req(Request::Insert, &prd()));
    ASSERT_TRUE(form.open());
    form.rec().PartNum = "w-100";
    EXPECT_FALSE(form.ok());
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Adding this record creates a duplicate entry for the key:by &Part#"}));
    EXPECT_EQ(form.takeFocusRequest(), f("PartNum"));
}

TEST_F(ProductWindows, DefaultsAreDerivedBesideAndCopiedOnlyOnRequest) {
    company([](Defaults& d) {
        d.PC1METHOD = "MARKUP";
        d.PRICECLASS1 = Decimal<9, 4>::fromScaled(500000);  // 50 %
        d.PC2METHOD = "DISCOUNT";
        d.PRICECLASS2 = Decimal<9, 4>::fromScaled(100000);  // 10 %
        d.PC3METHOD = "MARGIN";
        d.PRICECLASS3 = Decimal<9, 4>::fromScaled(1000000);  // 100 %: class kept
        d.ROUNDPC = "C";
    });
    Products p = productNumbered("A-1", 100000, 200000);  // cost 10, MSRP 20
    p.PRICECLASS3 = Decimal<13, 4>::fromScaled(123400);
    p.PRICECLASS5 = Decimal<13, 4>::fromScaled(99000);
    store(p);
    load("A-1");
    ProductForm form(*db, ui, prd(), req(Request::Change, &prd()));
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.pricePicture(), "@n$-11.2");
    EXPECT_EQ(form.defaultPrices()[0].toString(), "15.0000");
    EXPECT_EQ(form.defaultPrices()[1].toString(), "18.0000");
    EXPECT_EQ(form.defaultPrices()[2].toString(), "12.3400");  // MARGIN of 100: unchanged
    EXPECT_EQ(form.defaultPrices()[4].toString(), "9.9000");   // no method: its own price
    // A new cost refreshes the defaults only.
    form.rec().COST = Decimal<13, 4>::fromScaled(200000);
    form.accept(f("COST"));
    EXPECT_EQ(form.defaultPrices()[0].toString(), "30.0000");
    EXPECT_EQ(form.rec().PRICECLASS1.toString(), "0.0000");
    form.setPriceClassesToDefault();
    EXPECT_EQ(form.rec().PRICECLASS1.toString(), "30.0000");
    EXPECT_EQ(form.rec().PRICECLASS2.toString(), "18.0000");
    EXPECT_EQ(form.rec().PRICECLASS3.toString(), "12.3400");
    EXPECT_EQ(form.rec().PRICECLASS5.toString(), "9.9000");
    EXPECT_TRUE(form.ok());
    const Products stored = all<Products>()[0];
    EXPECT_EQ(stored.PRICECLASS1.toString(), "30.0000");
    EXPECT_EQ(stored.COST.toString(), "20.0000");
}

TEST_F(ProductWindows, WithoutMethodsTheDefaultsLeaveEveryClassAtZero) {
    company();
    ProductForm form(*db, ui, prd(), req(Request::Insert, &prd()));
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.pricePicture(), "@n$-11.2");  // a new company rounds to cents
    form.rec().COST = Decimal<13, 4>::fromScaled(50000);
    form.accept(f("COST"));
    form.setPriceClassesToDefault();
    for (const auto& price : form.defaultPrices()) EXPECT_EQ(price.toString(), "0.0000");
    EXPECT_EQ(form.rec().PRICECLASS6.toString(), "0.0000");
}

TEST_F(ProductWindows, FourPlacesShownUnlessRoundingToCents) {
    company([](Defaults& d) { d.ROUNDPC = "D"; });
    ProductForm form(*db, ui, prd(), req(Request::Insert, &prd()));
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.pricePicture(), "@n$-13.4");
}

TEST_F(ProductWindows, GroupAndManufacturerAreLookedUp) {
    company();
    Groups g;
    g.GROUP = "Valves";
    g.ACTIVE = 1;
    store(g);
    ProductForm form(*db, ui, prd(), req(Request::Insert, &prd()));
    ASSERT_TRUE(form.open());
    form.rec().Group = "VALVES";
    EXPECT_TRUE(form.accept(f("Group")));
    EXPECT_EQ(form.rec().Group, "Valves");
    ui.onWindow("MANUFACTBROWSE", [](const WindowRequest&) { return WindowResponse{Response::Cancelled, 0, {}}; });
    form.rec().MANUFACTURER = "Unknown Works";
    EXPECT_FALSE(form.accept(f("MANUFACTURER")));
    EXPECT_EQ(form.takeFocusRequest(), f("MANUFACTURER"));
    ASSERT_EQ(ui.windows().size(), 1u);
    EXPECT_EQ(ui.windows()[0].request.request, Request::Select);
}

TEST_F(ProductWindows, VendorPartNumberIsNumberedAtOnceAndRemovedOnCancel) {
    company();
    store(productNumbered("A-1", 0, 0));
    store(vendorNamed("Northwind"));
    Handle<VenProds> vpr(*db);
    open(vpr);
    VendorPartForm form(*db, ui, vpr, req(Request::Insert, &vpr, "A-1"));
    ASSERT_TRUE(form.open());
    ASSERT_EQ(all<VenProds>().size(), 1u);
    EXPECT_EQ(all<VenProds>()[0].VPRID, 1);
    EXPECT_EQ(vpr.rec.PartNum, "A-1");
    EXPECT_EQ(vpr.rec.VENPARTNUM, "A-1");
    vpr.rec.Vendor = "Northwind";
    ui.answer(Button::Yes);
    EXPECT_TRUE(form.cancel());
    EXPECT_TRUE(all<VenProds>().empty());
}

TEST_F(ProductWindows, OneVendorPartNumberPerProductAndVendor) {
    company();
    store(productNumbered("A-1", 0, 0));
    store(productNumbered("B-2", 0, 0));
    store(vendorNamed("Northwind"));
    store(vendorNamed("Contoso"));
    load("A-1");
    {
        ProductForm form(*db, ui, prd(), req(Request::Change, &prd()));
        ASSERT_TRUE(form.open());
        EXPECT_EQ(form.vendors().insert(form.owner()), Response::Completed);
        EXPECT_EQ(form.vendors().rowCount(), 1u);
        ui.clearRecord();
        // The same vendor again: refused, naming the key; the form's record goes on cancel.
        ui.onWindow("VendorPartForm", [this](const WindowRequest& r) {
            VendorPartForm second(*db, ui, *r.table, r);
            if (!second.open()) return second.response();
            static_cast<VenProds*>(r.table->buffer())->Vendor = "Northwind";
            EXPECT_FALSE(second.ok());
            ui.answer(Button::Yes);
            second.cancel();
            return second.response();
        });
        EXPECT_EQ(form.vendors().insert(form.owner()), Response::Cancelled);
        EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                                  "Adding this record creates a duplicate entry for the key:by &Part# / Vendor",
                                  "Are you sure you want to cancel?"}));
        EXPECT_EQ(form.vendors().rowCount(), 1u);
        EXPECT_TRUE(form.ok());
    }
    // The same vendor part number under another product, and under another vendor, is fine.
    Handle<VenProds> vpr(*db);
    open(vpr);
    vpr.rec.VPRID = 10;
    vpr.rec.PartNum = "B-2";
    vpr.rec.Vendor = "Contoso";
    vpr.rec.VENPARTNUM = "A-1";
    EXPECT_EQ(vpr.add(), ErrorCode::None);
    EXPECT_EQ(all<VenProds>().size(), 2u);
}

TEST_F(ProductWindows, CancelledNewProductLeavesNoVendorPartNumbers) {
    company();
    store(vendorNamed("Northwind"));
    ProductForm form(*db, ui, prd(), req(Request::Insert, &prd()));
    ASSERT_TRUE(form.open());
    form.rec().PartNum = "NEW-1";
    form.accept(f("PartNum"));
    EXPECT_EQ(form.vendors().insert(form.owner()), Response::Completed);
    EXPECT_EQ(all<VenProds>().size(), 1u);
    ui.answer(Button::Yes);
    EXPECT_TRUE(form.cancel());
    EXPECT_TRUE(all<VenProds>().empty());
    EXPECT_TRUE(all<Products>().empty());
}

TEST_F(ProductWindows, RenameMovesVendorPartNumbersAndScheduleDeleteRemovesThem) {
    company();
    store(productNumbered("A-1", 0, 0));
    VenProds pair;
    pair.VPRID = 1;
    pair.PartNum = "A-1";
    pair.Vendor = "Northwind";
    pair.VENPARTNUM = "NW-9";
    store(pair);
    Schedule entry;
    entry.SCHID = 1;
    entry.PRODUCT = "A-1";
    store(entry);
    load("A-1");
    {
        ProductForm form(*db, ui, prd(), req(Request::Change, &prd()));
        ASSERT_TRUE(form.open());
        form.rec().PartNum = "A-1X";
        EXPECT_TRUE(form.ok());
    }
    EXPECT_EQ(all<VenProds>()[0].PartNum, "A-1X");
    EXPECT_EQ(all<Schedule>()[0].PRODUCT, "A-1X");
    load("A-1X");
    ui.answer(Button::Ok);
    ProductForm doomed(*db, ui, prd(), req(Request::Delete, &prd()));
    EXPECT_FALSE(doomed.open());
    EXPECT_EQ(doomed.response().response, Response::Completed);
    EXPECT_TRUE(all<Products>().empty());
    EXPECT_TRUE(all<VenProds>().empty());
    EXPECT_TRUE(all<Schedule>().empty());
}

TEST_F(ProductWindows, CommentsAndRemarksAloneAreAChange) {
    company();
    store(productNumbered("A-1", 0, 0));
    load("A-1");
    ProductForm form(*db, ui, prd(), req(Request::Change, &prd()));
    ASSERT_TRUE(form.open());
    form.rec().Remarks = "Keep away from damp";
    EXPECT_TRUE(form.ok());
    EXPECT_EQ(all<Products>()[0].Remarks.view(), "Keep away from damp");
}

}  // namespace
}  // namespace quay::core
