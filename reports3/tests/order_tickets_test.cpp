// The order detail ticket and the packing list on a real data set: the heading's
// document label and number, the estimated cost, sold-for and profit, the vendor list
// that stops at a vendor that cannot be read, the packing list's lines, the heading on
// every page, and the empty and unknown orders.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine_test_support.h"
#include "qt_test_app.h"
#include "order_data_support.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/run/page_text.h"
#include "quay/reports/tickets/order_tickets.h"
#include "quay/types/clock.h"

namespace quay::reports {
namespace {

using namespace testing;

class OrderTickets : public ::testing::Test {
protected:
    OrderTickets() : settings(std::filesystem::path(data.dir()) / "tallvane.ini") {}

    void SetUp() override {
        core::setClockOverride(core::DateTime{day(2026, 3, 16), *core::timeFromClock(14, 5)});
        data.add(company());
        core::Customer cus = companyCustomer("Marsh & Daughters");
        cus.FAX = "(978)555-0198";
        data.add(cus);
        core::Salesmen sp{};
        sp.ACTIVE = 1;
        sp.Initials = "JB";
        sp.NAME = "Jo Briggs";
        data.add(sp);
        data.add(product("CL-100", "Deck cleat, galvanised"));
        data.add(product("RP-12", "Mooring rope 12 mm"));

        core::Orders o = order(7, "Q", "Marsh & Daughters");
        o.Salesperson = "JB";
        o.PONUM = "PO-77";
        o.REFERENCE = "Spring refit";
        o.LISTSUB = money("60.00");
        o.DISCOUNT = money("5.00");
        o.Notes = "Deliver to dock 4.";
        data.add(o);
        core::ItemsOrd a = line(1, 7, "CL-100", "Deck cleat, galvanised", "3", "12", "36.00");
        a.COST = price("10.5");
        data.add(a);
        core::ItemsOrd b = line(2, 7, "RP-12", "Mooring rope 12 mm", "2", "12", "24.00");
        b.COST = price("4.25");
        data.add(b);
    }
    void TearDown() override { core::clearClockOverride(); }

    ReportContext context() {
        return ReportContext{.ui = ui,
                             .output = output,
                             .settings = settings,
                             .progress = nullptr,
                             .measurer = &measurer,
                             .logoDirectory = {}};
    }
    std::string previewText() {
        EXPECT_EQ(output.previewed.size(), 1u);
        return output.previewed.empty() ? std::string() : readingText(output.previewed[0]);
    }
    void addVendor(const char* name, const char* phone) {
        core::Vendors v{};
        v.Active = 1;
        v.COMPANY = 1;
        v.NAME = name;
        v.PHONE1 = phone;
        v.EXTENSION = "12";
        data.add(v);
    }
    void addVendorPart(std::int32_t id, const char* part, const char* vendor, const char* venPart) {
        core::VenProds vp{};
        vp.VPRID = id;
        vp.PartNum = part;
        vp.Vendor = vendor;
        vp.VENPARTNUM = venPart;
        data.add(vp);
    }

    OrderData data;
    core::Settings settings;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    FixedPitchMeasurer measurer;
};

TEST_F(OrderTickets, DetailTicketSumsCostAndShowsSoldForAndProfit) {
    const RunResult r = QUOTEPRINTDETAIL(data.db(), 7, context());
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(output.previewTitles[0], "Order Detail Ticket (Build Ticket)");
    EXPECT_EQ(previewText(),
              "--- page 1\n"
              "Order Detail Ticket (Build Ticket) | Run: | 03/16/2026 | 2:05 PM\n"
              "Page: | 1 of 1\n"
              "Customer: | Marsh & Daughters | Quote#: | 7\n"
              "Phone#: | (978)555-0199 | Order Date: | 03/14/2026\n"
              "Fax#: | (978)555-0198 | Salesperson: | Jo Briggs\n"
              "PO#: | PO-77 | Reference: | Spring refit\n"
              "Qty | Part# | Description | Cost\n"
              "3.00 | CL-100 | Deck cleat, galvanised | $10.5000\n"
              "2.00 | RP-12 | Mooring rope 12 mm | $4.2500\n"
              "Estimated Cost: | $40.00\n"
              "Sold For: | $55.00\n"
              "Profit: | $15.00\n"
              "Comments: | Deliver to dock 4.\n");
}

TEST_F(OrderTickets, QuoteShowsItsOrderNumberEvenWithAnOldInvoiceNumber) {
    data.erase<core::Orders>([](const core::Orders&) { return true; });
    core::Orders o = order(7, "Q", "Marsh & Daughters");
    o.InvoiceNum = 0;
    o.FLAG1 = 0;
    data.add(o);
    core::Orders reversed = order(9, "Q", "Marsh & Daughters");
    reversed.InvoiceNum = 1044;  // an invoice turned back into a quote
    data.add(reversed);
    data.add(line(5, 9, "RP-12", "Mooring rope 12 mm", "1", "12", "12.00"));
    QUOTEPACKINGLIST(data.db(), 9, context());
    EXPECT_NE(previewText().find("Customer: | Marsh & Daughters | Quote#: | 9\n"), std::string::npos);
}

TEST_F(OrderTickets, InvoiceShowsItsInvoiceNumber) {
    data.erase<core::Orders>([](const core::Orders&) { return true; });
    core::Orders o = order(7, "I", "Marsh & Daughters");
    o.InvoiceNum = 1001;
    data.add(o);
    QUOTEPRINTDETAIL(data.db(), 7, context());
    EXPECT_NE(previewText().find("Customer: | Marsh & Daughters | Invoice#: | 1001\n"), std::string::npos);
}

TEST_F(OrderTickets, VendorListStopsAtAVendorThatCannotBeRead) {
    addVendor("Alpha Marine", "(508)555-0101");
    addVendor("Coastal Fittings", "(508)555-0303");
    addVendorPart(1, "CL-100", "Alpha Marine", "AM-CL100");
    addVendorPart(2, "CL-100", "Gone Ltd", "GL-9");  // vendor deleted meanwhile
    addVendorPart(3, "CL-100", "Coastal Fittings", "CF-77");
    addVendorPart(4, "RP-12", "Coastal Fittings", "CF-R12");
    QUOTEPRINTDETAIL(data.db(), 7, context());
    const std::string text = previewText();
    const std::size_t from = text.find("3.00 | CL-100");
    const std::size_t to = text.find("Estimated Cost:");
    ASSERT_NE(from, std::string::npos);
    EXPECT_EQ(text.substr(from, to - from),
              "3.00 | CL-100 | Deck cleat, galvanised | $10.5000\n"
              "Vendor: | Alpha Marine | Phone#: | (508)555-0101 | Ext. | 12\n"
              "Vendor Part#: | AM-CL100\n"
              "2.00 | RP-12 | Mooring rope 12 mm | $4.2500\n"
              "Vendor: | Coastal Fittings | Phone#: | (508)555-0303 | Ext. | 12\n"
              "Vendor Part#: | CF-R12\n");
}

TEST_F(OrderTickets, PackingListHasEveryLineWithAPackedBox) {
    const RunResult r = QUOTEPACKINGLIST(data.db(), 7, context());
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    EXPECT_EQ(output.previewTitles[0], "Packing List");
    EXPECT_EQ(previewText(),
              "--- page 1\n"
              "Packing List | Run: | 03/16/2026 | 2:05 PM\n"
              "Page: | 1 of 1\n"
              "Customer: | Marsh & Daughters | Quote#: | 7\n"
              "Phone#: | (978)555-0199 | Order Date: | 03/14/2026\n"
              "Fax#: | (978)555-0198 | Salesperson: | Jo Briggs\n"
              "Qty | Part# | Description | Packed\n"
              "3.00 | CL-100 | Deck cleat, galvanised\n"
              "2.00 | RP-12 | Mooring rope 12 mm\n"
              "Comments: | Deliver to dock 4.\n");
    int boxes = 0;
    for (const PlacedItem& it : output.previewed[0].page(0).items) boxes += it.kind == ItemKind::Box;
    EXPECT_EQ(boxes, 2);
}

TEST_F(OrderTickets, EveryPageOfALongTicketNamesItsOrder) {
    for (int i = 0; i < 60; ++i) data.add(line(100 + i, 7, "RP-12", "Mooring rope 12 mm", "1", "12", "12.00"));
    QUOTEPACKINGLIST(data.db(), 7, context());
    const int pages = output.previewed.at(0).pageCount();
    ASSERT_GE(pages, 2);
    const std::string text = previewText();
    for (int p = 1; p <= pages; ++p) {
        SCOPED_TRACE(p);
        const std::size_t at = text.find("--- page " + std::to_string(p) + "\n");
        ASSERT_NE(at, std::string::npos);
        const std::string page = text.substr(at, text.find("--- page " + std::to_string(p + 1)) - at);
        EXPECT_NE(page.find("Page: | " + std::to_string(p) + " of " + std::to_string(pages) + "\n"), std::string::npos);
        EXPECT_NE(page.find("Customer: | Marsh & Daughters | Quote#: | 7\n"), std::string::npos);
    }
}

TEST_F(OrderTickets, OrderWithoutLinesHasNothingToPreview) {
    data.add(order(8, "Q", "Marsh & Daughters"));
    EXPECT_EQ(QUOTEPRINTDETAIL(data.db(), 8, context()).outcome, RunOutcome::NothingToPreview);
    EXPECT_EQ(QUOTEPACKINGLIST(data.db(), 8, context()).outcome, RunOutcome::NothingToPreview);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Nothing to Preview.", "Nothing to Preview."}));
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(OrderTickets, UnknownOrderAndMissingCompanySaySo) {
    EXPECT_EQ(QUOTEPACKINGLIST(data.db(), 99, context()).outcome, RunOutcome::Failed);
    data.erase<core::Defaults>([](const core::Defaults&) { return true; });
    EXPECT_EQ(QUOTEPRINTDETAIL(data.db(), 7, context()).outcome, RunOutcome::Failed);
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"ERROR", "Error"}));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Invalid Global Order Number", "Please set company defaults first"}));
    EXPECT_TRUE(output.previewed.empty());
}

}  // namespace
}  // namespace quay::reports
