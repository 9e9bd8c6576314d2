// The "Purchase Order" print on a real data set: the page list of a PO read as text, the
// preview question (No prints at once), and the report's own failures.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine_test_support.h"
#include "order_data_support.h"
#include "qt_test_app.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/po/po_print.h"
#include "quay/reports/run/page_text.h"
#include "quay/tables/po.h"
#include "quay/tables/po_items.h"
#include "quay/tables/vendors.h"

namespace quay::reports {
namespace {

using namespace testing;

class PoPrint : public ::testing::Test {
protected:
    PoPrint() : settings(std::filesystem::path(data.dir()) / "tallvane.ini") {}

    void SetUp() override {
        core::Defaults d = company();
        d.FAX = "(603)555-0199";
        d.EMAIL = "orders@harbour.example";
        d.POComment = "Please quote our PO number on every delivery.";
        data.add(d);
        data.add(product("CL-100", "Deck cleat, galvanised"));
        data.add(product("RP-12", "Mooring rope 12 mm"));
        core::Vendors v{};
        v.NAME = "Northwind Parts";
        v.COMPANY = 1;
        v.FIRSTNAME = "Dana";
        v.LASTNAME = "Moss";
        v.ADD2 = "PO Box 88";  // no first address line: the block closes up
        v.CITY = "Bath";
        v.STATE = "ME";
        v.ZIPCODE = "04530";
        v.PHONE1 = "(207)555-0101";
        v.PHONE2 = "(207)555-0102";
        data.add(v);
        core::PO po{};
        po.PoNum = 12;
        po.Status = "Open";
        po.Vendor = "Northwind Parts";
        po.PODATE = day(2026, 3, 14);
        po.SHIPDATE = day(2026, 3, 21);
        po.SHIPAMT = money("4.50");
        po.ORDERTOTAL = money("42.50");
        po.SHIPTO = "Harbour Supply Co.";
        po.ADDRESS = "12 Quay Street";
        po.CITYSTZIP = "Portsmouth, NH 03801";
        po.Comments = "Deliver to the back door.";
        data.add(po);
        data.add(poLine(1, "CL-100", "NW-CL", "2", "4.00", "8.00"));
        data.add(poLine(2, "RP-12", "NW-RP12", "10", "3.00", "30.00"));
    }

    static core::POItems poLine(std::int32_t n, const char* part, const char* venPart, const char* qty,
                                const char* cost, const char* ext) {
        core::POItems l{};
        l.POINUM = n;
        l.PoNum = 12;
        l.PartNum = part;
        l.VenPartNum = venPart;
        l.QTY = money(qty);
        l.COST = money(cost);
        l.LINECOST = money(ext);
        return l;
    }

    RunResult print(std::int32_t poNum) {
        return PRINTPO(data.db(), poNum,
                       ReportContext{.ui = ui,
                                     .output = output,
                                     .settings = settings,
                                     .progress = nullptr,
                                     .measurer = &measurer,
                                     .logoDirectory = data.dir()});
    }

    OrderData data;
    core::Settings settings;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    FixedPitchMeasurer measurer;
};

TEST_F(PoPrint, APoPrintsItsVendorShipToLinesAndTotals) {
    ui.answer(core::Button::Yes);  // preview
    const RunResult r = print(12);
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Preview");
    EXPECT_EQ(ui.messages()[0].text, "Do you wish to PREVIEW this Report?");
    ASSERT_EQ(output.previewed.size(), 1u);
    EXPECT_EQ(output.previewTitles[0], "Purchase Order# 12");
    // The vendor block closes up over the missing first address line; the phones stand
    // 22 characters apart; the company's fax and e-mail follow its address.
    EXPECT_EQ(readingText(output.previewed[0]),
              "--- page 1\n"
              "Harbour Supply Co. | Purchase Order\n"
              "12 Quay Street\n"
              "Portsmouth, NH 03801-1234 | Purchase Order#: | 12\n"
              "FAX: (603)555-0199 | 03/14/2026\n"
              "eMail: orders@harbour.example | Expected Ship Date: | 03/21/2026\n"
              "Vendor: | Ship To:\n"
              "Northwind Parts | Harbour Supply Co.\n"
              "PO Box 88 | 12 Quay Street\n"
              "Bath, ME 04530 | Portsmouth, NH 03801\n"
              "ATTN: Dana Moss\n"
              "(207)555-0101         (207)555-0102\n"
              "Qty. | Part# | Description | Unit Price | Ext.\n"
              "2.00 | NW-CL | Deck cleat, galvanised | $4.00 | $8.00\n"
              "10.00 | NW-RP12 | Mooring rope 12 mm | $3.00 | $30.00\n"
              "SubTotal: | $38.00\n"
              "Shipping: | $4.50\n"
              "Order Total: | $42.50\n"
              "Comments: | Deliver to the back door.\n"
              "Please quote our PO number on every delivery.\n"
              "Page: | 1 of 1\n");
}

TEST_F(PoPrint, NoToThePreviewQuestionPrintsAtOnce) {
    ui.answer(core::Button::No);
    const RunResult r = print(12);
    EXPECT_EQ(r.outcome, RunOutcome::Printed);
    EXPECT_TRUE(output.previewed.empty());
    ASSERT_EQ(output.printed.size(), 1u);
}

TEST_F(PoPrint, AMissingVendorOrPoEndsThePrint) {
    data.erase<core::Vendors>([](const core::Vendors&) { return true; });
    ui.setDefaultAnswer(core::Button::Yes);
    EXPECT_EQ(print(12).outcome, RunOutcome::Failed);
    ASSERT_FALSE(ui.messages().empty());
    EXPECT_EQ(ui.messages().back().caption, "Error");
    EXPECT_EQ(ui.messages().back().text, "Referential Integrity error finding Vendor Information");
    EXPECT_TRUE(output.previewed.empty());
    ui.clearRecord();
    EXPECT_EQ(print(99).outcome, RunOutcome::Failed);
    EXPECT_EQ(ui.messages().back().caption, "Record Retrieval Error");
}

}  // namespace
}  // namespace quay::reports
