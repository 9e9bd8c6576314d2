// The purchasing windows driven through the scripted UI: a new PO primed from the
// company, its lines entered through the line form with their on-order quantities,
// the total, Save and Print, the ditto, cancelling and deleting a PO with its lines,
// the item look-up with "&All Products", the lists' tabs, and receiving from the
// receive window and the whole order.
#include <gtest/gtest.h>

#include <memory>

#include "po_test_support.h"
#include "quay/masterlists/related_list.h"
#include "quay/types/clock.h"
#include "quay/ui/record_fields.h"
#include "quay/util/po_form.h"
#include "quay/util/po_item_lookup.h"
#include "quay/util/po_lists.h"
#include "quay/util/receive_po_items.h"
#include "quay/util/update_po_items.h"

namespace quay::util {
namespace {

using core::Button;
using core::Handle;
using core::PO;
using core::POItems;
using core::Request;
using core::Response;
using core::WindowRequest;
using core::WindowResponse;
using quay::testing::money;

class PoWindows : public testing::PoDataTest {
protected:
    void SetUp() override {
        PoDataTest::SetUp();
        POForm::clearDitto();
        product("BOLT", "2", "0", "1.2350");
        product("NUT", "10", "4", "0.5000");
        product("CLEAT", "0", "0", "7.0000");
        vendor("Northwind Parts");
        vendor("Southern Fasteners");
        vendorPart(1, "Northwind Parts", "BOLT", "NW-B1");
        vendorPart(2, "Northwind Parts", "NUT", "NW-N7");
        vendorPart(3, "Southern Fasteners", "NUT", "SF-9");
        po = std::make_unique<Handle<PO>>(*db);
        open(*po);
        // The line form runs for real on the list's handle, entering `m_nextLine`.
        ui.onWindow("UpdatePOItems", [this](const WindowRequest& r) {
            UpdatePOItems form(*db, ui, *r.table, r);
            if (!form.open()) return form.response();
            if (r.request == Request::Delete) return form.response();
            form.rec().PartNum = m_nextPart;
            EXPECT_TRUE(form.accept(core::fieldOf(&POItems::PartNum)));
            form.rec().QTY = money(m_nextQty.c_str());
            EXPECT_TRUE(form.accept(core::fieldOf(&POItems::QTY)));
            EXPECT_TRUE(form.ok());
            return form.response();
        });
        ui.onWindow("PrintPO", [this](const WindowRequest& r) {
            printed.push_back(r.number);
            return WindowResponse{Response::Completed, 0, {}};
        });
    }
    void TearDown() override {
        po.reset();
        PoDataTest::TearDown();
    }
    void withCompany() {
        company([](core::Defaults& d) {
            d.COMPANYNAME = "Harbour Chandlery";
            d.ADD1 = "1 Quay Street";
            d.CITY = "Portsmouth";
            d.STATE = "NH";
            d.ZIPCODE = "03801";
        });
    }
    void enter(const char* part, const char* qty) {
        m_nextPart = part;
        m_nextQty = qty;
    }
    void load(std::int32_t poNum) {
        po->clear();
        po->rec.PoNum = poNum;
        ASSERT_EQ(po->get(PO::byPoNum), core::ErrorCode::None);
    }

    std::unique_ptr<Handle<PO>> po;
    std::vector<std::int32_t> printed;
    std::string m_nextPart = "BOLT";
    std::string m_nextQty = "5";
};

TEST_F(PoWindows, ANewPoNeedsTheCompanyDefaults) {
    NewPOForm form(*db, ui, *po);
    EXPECT_FALSE(form.open());
    EXPECT_EQ(form.response().response, Response::Cancelled);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Error");
    EXPECT_EQ(ui.messages()[0].text, "Please set company defaults first");
    EXPECT_TRUE(all<PO>().empty());
}

TEST_F(PoWindows, ANewPoIsPrimedFromTheCompanyAndStoredAtOnce) {
    withCompany();
    order(4, "Closed");
    NewPOForm form(*db, ui, *po);
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.windowTitle(), "Add New PO");
    const PO stored = orderNumbered(5);  // the highest number + 1, added at open
    EXPECT_EQ(stored.Status.view(), "Open");
    EXPECT_EQ(stored.SHIPTO.view(), "Harbour Chandlery");
    EXPECT_EQ(stored.ADDRESS.view(), "1 Quay Street");
    EXPECT_EQ(stored.CITYSTZIP.view(), "Portsmouth, NH 03801");
    EXPECT_EQ(stored.PODATE, core::today());
    EXPECT_EQ(form.layout().okCaption, "Save and Print");
}

TEST_F(PoWindows, LinesRaiseOnOrderAndTheTotalFollowsThemAndTheShipping) {
    withCompany();
    NewPOForm form(*db, ui, *po);
    ASSERT_TRUE(form.open());
    form.rec().Vendor = "northwind parts";
    ASSERT_TRUE(form.accept(core::fieldOf(&PO::Vendor)));
    EXPECT_EQ(form.rec().Vendor.view(), "Northwind Parts");  // the vendor's own spelling
    enter("bolt", "5");
    ASSERT_EQ(form.lines().insert(form.owner(), form.ownerNumber()), Response::Completed);
    enter("NUT", "3");
    ASSERT_EQ(form.lines().insert(form.owner(), form.ownerNumber()), Response::Completed);
    EXPECT_EQ(form.lines().rowCount(), 2u);
    form.rec().SHIPAMT = money("4.50");
    ASSERT_TRUE(form.accept(core::fieldOf(&PO::SHIPAMT)));
    // 5 x 1.24 (the cost to two places) + 3 x 0.50 + 4.50
    EXPECT_EQ(form.rec().ORDERTOTAL, money("12.20"));
    EXPECT_EQ(stock("BOLT"), "2.00 / 5.00");
    EXPECT_EQ(stock("NUT"), "10.00 / 7.00");
    const POItems bolt = lineNumbered(1);
    EXPECT_EQ(bolt.PartNum.view(), "BOLT");
    EXPECT_EQ(bolt.VenPartNum.view(), "NW-B1");
    EXPECT_EQ(bolt.COST, money("1.24"));
    EXPECT_EQ(bolt.LINECOST, money("6.20"));
    EXPECT_EQ(bolt.PoNum, form.rec().PoNum);

    ASSERT_TRUE(form.ok());
    EXPECT_EQ(form.response().response, Response::Completed);
    EXPECT_EQ(orderNumbered(1).ORDERTOTAL, money("12.20"));
    EXPECT_EQ(printed, std::vector<std::int32_t>{1});
}

TEST_F(PoWindows, CancellingANewPoLeavesOnOrderAsItWas) {
    withCompany();
    NewPOForm form(*db, ui, *po);
    ASSERT_TRUE(form.open());
    form.rec().Vendor = "Northwind Parts";
    ASSERT_TRUE(form.accept(core::fieldOf(&PO::Vendor)));
    enter("BOLT", "5");
    ASSERT_EQ(form.lines().insert(form.owner(), form.ownerNumber()), Response::Completed);
    enter("NUT", "2");
    ASSERT_EQ(form.lines().insert(form.owner(), form.ownerNumber()), Response::Completed);
    ui.answer(Button::Yes);  // "Are you sure you want to cancel?"
    ASSERT_TRUE(form.cancel());
    EXPECT_EQ(ui.messages().back().caption, "Update Cancelled");
    EXPECT_TRUE(all<PO>().empty());
    EXPECT_TRUE(all<POItems>().empty());
    EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
    EXPECT_EQ(stock("NUT"), "10.00 / 4.00");
    EXPECT_TRUE(printed.empty());
}

TEST_F(PoWindows, DittoCopiesTheFieldOfTheLastSavedPo) {
    withCompany();
    {
        NewPOForm first(*db, ui, *po);
        ASSERT_TRUE(first.open());
        // Nothing saved yet: the ditto empties the field.
        first.rec().Vendor = "Southern Fasteners";
        first.recallField(core::fieldOf(&PO::Vendor));
        EXPECT_TRUE(first.rec().Vendor.isBlank());
        first.rec().Vendor = "Southern Fasteners";
        first.rec().SHIPDATE = 81000;
        ASSERT_TRUE(first.ok());
    }
    NewPOForm second(*db, ui, *po);
    ASSERT_TRUE(second.open());
    second.recallField(core::fieldOf(&PO::Vendor));
    second.recallField(core::fieldOf(&PO::SHIPDATE));
    second.recallField(core::fieldOf(&PO::Comments));  // not a ditto field
    EXPECT_EQ(second.rec().Vendor.view(), "Southern Fasteners");
    EXPECT_EQ(second.rec().SHIPDATE, 81000);
    EXPECT_EQ(second.rec().PoNum, 2);
}

TEST_F(PoWindows, CancellingAChangeKeepsTheStoredLinesAndStoresTheirTotal) {
    withCompany();
    order(1);
    load(1);
    po->rec.SHIPAMT = money("2.00");
    po->rec.ORDERTOTAL = money("2.00");
    ASSERT_EQ(po->put(), core::ErrorCode::None);
    POForm form(*db, ui, *po, WindowRequest{Request::Change, po.get(), 0, {}});
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.lines().rowCount(), 0u);
    enter("BOLT", "10");
    ASSERT_EQ(form.lines().insert(form.owner(), form.ownerNumber()), Response::Completed);
    EXPECT_EQ(form.rec().ORDERTOTAL, money("14.40"));
    ui.answer(Button::Yes);
    ASSERT_TRUE(form.cancel());
    // The line is stored with its on order; the stored total is the lines' and shipping's.
    EXPECT_EQ(all<POItems>().size(), 1u);
    EXPECT_EQ(stock("BOLT"), "2.00 / 10.00");
    EXPECT_EQ(orderNumbered(1).ORDERTOTAL, money("14.40"));
    EXPECT_TRUE(printed.empty());
}

TEST_F(PoWindows, DeletingAPoTakesItsLinesScheduleAndOnOrder) {
    withCompany();
    order(1);
    line(1, 1, "BOLT", "5");
    core::Schedule s;
    s.SCHID = 1;
    s.PONUM = 1;
    store(s);
    {
        PoLedger ledger(*db, ui);
        ASSERT_EQ(ledger.saveLine(lineNumbered(1), true), LedgerOutcome::Done);
    }
    load(1);
    ui.answer(Button::Ok);  // "Confirm Delete"
    POForm form(*db, ui, *po, WindowRequest{Request::Delete, po.get(), 0, {}});
    EXPECT_FALSE(form.open());
    EXPECT_EQ(form.response().response, Response::Completed);
    EXPECT_EQ(ui.messages().back().caption, "Confirm Delete");
    EXPECT_TRUE(all<PO>().empty());
    EXPECT_TRUE(all<POItems>().empty());
    EXPECT_TRUE(all<core::Schedule>().empty());
    EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
}

TEST_F(PoWindows, TheLineFormPicksFromTheVendorsItemsAndCancelRemovesTheLine) {
    withCompany();
    order(1);
    Handle<POItems> lines(*db);
    open(lines);
    // A part the vendor does not sell opens the item list, here picking the vendor's nut.
    ui.onWindow("POItemLookup", [&](const WindowRequest& r) {
        auto& v = *static_cast<core::VenProds*>(r.table->buffer());
        EXPECT_EQ(v.Vendor.view(), "Northwind Parts");
        EXPECT_EQ(r.text, "CLEAT");
        v.PartNum = "NUT";
        v.VENPARTNUM = "NW-N7";
        return WindowResponse{Response::Completed, 0, {}};
    });
    UpdatePOItems form(*db, ui, lines, WindowRequest{Request::Insert, &lines, 1, "Northwind Parts"});
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.windowTitle(), "Update the PO Item");
    EXPECT_EQ(form.statusText(), "Adding a POItems Record");
    EXPECT_EQ(form.rec().QTY, money("1"));
    EXPECT_EQ(form.rec().PoNum, 1);
    ASSERT_EQ(all<POItems>().size(), 1u);  // added at open
    form.rec().PartNum = "CLEAT";
    ASSERT_TRUE(form.accept(core::fieldOf(&POItems::PartNum)));
    EXPECT_EQ(form.rec().PartNum.view(), "NUT");
    EXPECT_EQ(form.rec().VenPartNum.view(), "NW-N7");
    EXPECT_EQ(form.rec().COST, money("0.50"));
    EXPECT_EQ(form.rec().LINECOST, money("0.50"));
    // A blank part blanks the vendor's number and the cost.
    form.rec().PartNum = "";
    ASSERT_TRUE(form.accept(core::fieldOf(&POItems::PartNum)));
    EXPECT_TRUE(form.rec().VenPartNum.isBlank());
    EXPECT_TRUE(form.rec().COST.isZero());
    ui.answer(Button::Yes);
    ASSERT_TRUE(form.cancel());
    EXPECT_TRUE(all<POItems>().empty());
    EXPECT_EQ(stock("NUT"), "10.00 / 4.00");
}

TEST_F(PoWindows, APoWithoutAVendorGetsNoLine) {
    order(1, "Open", "");
    Handle<POItems> lines(*db);
    open(lines);
    UpdatePOItems form(*db, ui, lines, WindowRequest{Request::Insert, &lines, 1, ""});
    EXPECT_FALSE(form.open());
    EXPECT_EQ(form.response().response, Response::Cancelled);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Error");
    EXPECT_EQ(ui.messages()[0].text, UpdatePOItems::kNoVendorText);
    EXPECT_TRUE(all<POItems>().empty());
}

TEST_F(PoWindows, TheLineFormRefusesAPartNotPicked) {
    order(1);
    Handle<POItems> lines(*db);
    open(lines);
    ui.onWindow("POItemLookup", [](const WindowRequest&) { return WindowResponse{Response::Cancelled, 0, {}}; });
    UpdatePOItems form(*db, ui, lines, WindowRequest{Request::Insert, &lines, 1, "Northwind Parts"});
    ASSERT_TRUE(form.open());
    form.rec().PartNum = "CLEAT";
    EXPECT_FALSE(form.accept(core::fieldOf(&POItems::PartNum)));
    EXPECT_EQ(form.notice(), "Choose a part that Northwind Parts sells.");
    EXPECT_EQ(form.takeFocusRequest(), core::fieldOf(&POItems::PartNum));
}

TEST_F(PoWindows, ChangingALineMovesOnOrderByTheDifference) {
    order(1);
    line(1, 1, "BOLT", "5");
    {
        PoLedger ledger(*db, ui);
        ASSERT_EQ(ledger.saveLine(lineNumbered(1), true), LedgerOutcome::Done);
    }
    Handle<POItems> lines(*db);
    open(lines);
    lines.rec.POINUM = 1;
    ASSERT_EQ(lines.get(POItems::byPoiNum), core::ErrorCode::None);
    UpdatePOItems form(*db, ui, lines, WindowRequest{Request::Change, &lines, 1, "Northwind Parts"});
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.statusText(), "Changing a POItems Record");
    form.rec().QTY = money("2");
    ASSERT_TRUE(form.accept(core::fieldOf(&POItems::QTY)));
    ASSERT_TRUE(form.ok());
    EXPECT_EQ(stock("BOLT"), "2.00 / 2.00");
    EXPECT_EQ(lineNumbered(1).LINECOST, money("20.00"));
}

TEST_F(PoWindows, TheItemLookupListsTheVendorsItemsAndAddsAnyProduct) {
    POItemLookup lookup(*db, ui, "Northwind Parts");
    ASSERT_TRUE(lookup.isOpen());
    core::ListWindow list(ui, lookup.table(), lookup.spec(), WindowRequest{Request::Select, nullptr, 0, {}});
    list.open();
    ASSERT_EQ(list.rowCount(), 2u);
    EXPECT_EQ(list.row(0).cells, (std::vector<std::string>{"BOLT", "NW-B1", "Description of BOLT", "1.2350"}));
    EXPECT_EQ(list.row(1).cells[0], "NUT");
    list.selectTab(1);  // by the vendor's part number
    EXPECT_EQ(list.row(0).cells[1], "NW-B1");

    // "&All Products": the cleat is picked, paired with the vendor and highlighted.
    ui.onWindow("PRODUCTBROWSE", [](const WindowRequest& r) {
        auto& p = *static_cast<core::Products*>(r.table->buffer());
        p.PartNum = "CLEAT";
        return WindowResponse{Response::Completed, 0, {}};
    });
    ui.onWindow("VendorProductForm", [this](const WindowRequest& r) {
        VendorProductForm form(*db, ui, *r.table, r);
        if (!form.open()) return form.response();
        EXPECT_EQ(form.windowTitle(), "Vendor Product Form");
        auto& v = *static_cast<core::VenProds*>(r.table->buffer());
        EXPECT_EQ(v.VENPARTNUM.view(), "CLEAT");  // preset to our part number
        v.VENPARTNUM = "NW-CL";
        EXPECT_TRUE(form.ok());
        return form.response();
    });
    list.selectTab(0);
    list.command(0);
    ASSERT_EQ(list.rowCount(), 3u);
    ASSERT_TRUE(list.current());
    EXPECT_EQ(list.row(*list.current()).cells[0], "CLEAT");
    EXPECT_EQ(list.row(*list.current()).cells[1], "NW-CL");
    EXPECT_EQ(all<core::VenProds>().size(), 4u);

    // The same product again: the pairing exists, nothing is added.
    ui.onWindow("PRODUCTBROWSE", [](const WindowRequest& r) {
        static_cast<core::Products*>(r.table->buffer())->PartNum = "BOLT";
        return WindowResponse{Response::Completed, 0, {}};
    });
    ui.clearRecord();
    list.command(0);
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages()[0].caption, "Duplicate Key Error");
    EXPECT_NE(ui.messages()[0].text.find("by &Part# / Vendor"), std::string::npos);
    EXPECT_EQ(all<core::VenProds>().size(), 4u);
}

TEST_F(PoWindows, TheListsShowTheOrdersOfTheirTabs) {
    order(1, "Open", "Southern Fasteners");
    order(2, "Closed", "Northwind Parts");
    order(3, "Open", "Northwind Parts");
    BrowsePOs browse(*db, ui);
    ASSERT_TRUE(browse.isOpen());
    core::ListWindow list(ui, browse.table(), browse.spec(), WindowRequest{});
    list.open();
    auto numbers = [&] {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < list.rowCount(); ++i) out.push_back(list.row(i).cells[0]);
        return out;
    };
    EXPECT_EQ(list.spec().title, "Purchase Orders");
    EXPECT_EQ(numbers(), (std::vector<std::string>{"3", "1"}));  // open, by vendor
    list.selectTab(1);
    EXPECT_EQ(numbers(), std::vector<std::string>{"2"});
    list.selectTab(4);
    EXPECT_EQ(numbers(), (std::vector<std::string>{"2", "3", "1"}));
    list.selectTab(5);
    EXPECT_EQ(numbers(), (std::vector<std::string>{"1", "2", "3"}));

    core::ListWindow open(ui, browse.table(), browseNewPOsSpec(), WindowRequest{});
    open.open();
    EXPECT_EQ(open.spec().title, "Browse PO's");
    ASSERT_EQ(open.rowCount(), 2u);
    EXPECT_EQ(open.row(0).cells[0], "1");
    EXPECT_EQ(open.row(1).cells[0], "3");
    open.selectTab(1);
    EXPECT_EQ(open.row(0).cells[0], "3");
}

TEST_F(PoWindows, ReceivingTheEntireOrderAsksFirst) {
    order(1);
    line(1, 1, "BOLT", "5");
    line(2, 1, "GONE", "1");
    BrowsePOs browse(*db, ui);
    core::ListWindow list(ui, browse.table(), browse.spec(), WindowRequest{});
    list.open();
    ui.answer(Button::No);
    list.command(BrowsePOs::ReceiveEntireOrder);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "ARE YOU SURE");
    EXPECT_EQ(ui.messages()[0].text, BrowsePOs::kReceiveQuestion);
    EXPECT_EQ(ui.messages()[0].buttons, Button::Yes | Button::No);
    EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
    ui.answer(Button::Yes);
    list.command(BrowsePOs::ReceiveEntireOrder);
    EXPECT_EQ(stock("BOLT"), "7.00 / 0.00");
    EXPECT_EQ(orderNumbered(1).Status.view(), "Closed");
    EXPECT_EQ(lineNumbered(2).RECEIVED, 1);
    EXPECT_EQ(list.rowCount(), 0u);  // no longer open

    ui.onWindow("ReceivePOItems", [](const WindowRequest& r) {
        EXPECT_EQ(static_cast<const PO*>(r.table->buffer())->PoNum, 0);
        return WindowResponse{Response::Completed, 0, {}};
    });
    list.command(BrowsePOs::InsertCommand);  // an empty PO: nothing is created
    EXPECT_EQ(all<PO>().size(), 1u);
}

TEST_F(PoWindows, TheReceiveWindowMarksLinesAndTheStatusFollowsOnClose) {
    order(1, "Closed");
    line(1, 1, "BOLT", "5", true);
    line(2, 1, "NUT", "3", true);
    load(1);
    ReceivePOItems receive(*db, ui, po->rec);
    ASSERT_TRUE(receive.isOpen());
    core::ListWindow list(ui, receive.table(), receive.spec(), WindowRequest{Request::Change, nullptr, 0, {}});
    list.open();
    EXPECT_EQ(list.spec().title, "Receive Items into Inventory");
    ASSERT_EQ(list.rowCount(), 2u);
    EXPECT_EQ(list.row(0).cells[1], "1");  // ticked
    // Unmarking the first line (double-click does the same) takes its goods out again.
    list.setCurrent(0);
    list.activate();
    EXPECT_EQ(list.row(0).cells[1], "");
    EXPECT_EQ(lineNumbered(1).RECEIVED, 0);
    EXPECT_EQ(stock("BOLT"), "-3.00 / 5.00");
    list.close();
    EXPECT_EQ(orderNumbered(1).Status.view(), "Open");
}

}  // namespace
}  // namespace quay::util
