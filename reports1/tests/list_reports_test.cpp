// The customer and vendor lists and the mailing labels over one small set of customers,
// notes and vendors: which records each type, price class and pick list lets through,
// the detail lines and notes of the customer list, the label lines and their sheet, and
// the counts at the end.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "order_data_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/lists/list_reports.h"
#include "quay/reports/run/page_text.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"

namespace quay::reports {
namespace {

using core::glo;
using testing::day;
using testing::money;

class ListData : public ::testing::Test {
protected:
    ListData()
        : settings(std::filesystem::temp_directory_path() / "quay-lists-test-absent.ini"),
          clock(core::DateTime{day(2026, 4, 2), *core::timeFromClock(9, 30)}) {
        glo.reset();
        clearPicks();
        data.add(testing::company());

        core::Customer abbot = testing::person("Abbot", "Carl");
        abbot.PRICECLASS = "R", abbot.TAXLIC1 = "NH-100", abbot.CREDITLIMIT = money("2500.00");
        abbot.BILLTO = "Marsh & Daughters", abbot.ZipCode = "03801", abbot.FAX = "(603)555-0111";
        data.add(abbot);
        data.add(testing::person("Lee", "Ann"));  // class 1, zip 03904, nothing else
        core::Customer marsh = testing::companyCustomer("Marsh & Daughters");
        marsh.PRICECLASS = "C";
        data.add(marsh);
        core::Customer zed = testing::person("Zed", "Old");
        zed.Active = 0, zed.PRICECLASS = "R", zed.ZipCode = "00501", zed.ADDRESS2 = "Box 9";
        data.add(zed);

        addNote(1, "Lee, Ann", day(2026, 2, 1), 9, 0, "Paid late");
        addNote(2, "Lee, Ann", day(2026, 3, 2), 10, 15, "Called about cleats");
        addNote(3, "Lee, Ann", day(2026, 3, 20), 8, 0, "");  // newest, but nothing to print

        addVendor("Bay Rigging", 1, "Net 30", "Ships Fridays");
        addVendor("Coastal Paint", 1, "", "");
        addVendor("Old Mill", 0, "COD", "");
    }
    ~ListData() override { clearPicks(); }

    static void clearPicks() {
        core::pick::Cust::Queue.clear();
        core::pick::Ven::Queue.clear();
    }
    void addNote(std::int32_t id, const char* customer, std::int32_t date, int h, int m, const char* note) {
        core::Comments c{};
        c.CMTID = id;
        c.Customer = customer;
        c.CMTDATE = date;
        c.CMTTIME = *core::timeFromClock(h, m);
        c.SUBJECT = "call";
        c.Notes = note;
        data.add(c);
    }
    void addVendor(const char* name, std::uint8_t active, const char* terms, const char* comments) {
        core::Vendors v{};
        v.Active = active;
        v.NAME = name;
        v.ADD1 = "1 Mill Road";
        v.CITY = "Dover";
        v.STATE = "NH";
        v.ZIPCODE = "03820";
        v.PHONE1 = "(603)555-0177";
        v.TERMS = terms;
        v.Comments = comments;
        data.add(v);
    }

    std::optional<RunResult> print(ReportWindow window, const std::function<void(ReportSelection&)>& choose = {}) {
        ReportSelection selection(ui, window.spec, [this, job = window.report](core::UiPort& u, const RunOptions& o) {
            ReportContext ctx{
                .ui = u, .output = output, .settings = settings, .measurer = &measurer, .logoDirectory = {}};
            return runReport(data.db(), job, ctx, o);
        });
        selection.open();
        if (choose) choose(selection);
        return selection.print();
    }
    std::string previewText() {
        EXPECT_EQ(output.previewed.size(), 1u);
        return output.previewed.empty() ? std::string() : readingText(output.previewed.back());
    }

    testing::OrderData data;
    core::Settings settings;
    core::ScopedClockOverride clock;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    testing::FixedPitchMeasurer measurer;
};

TEST_F(ListData, CustomerListShowsTheDetailLinesAndTheNotesNewestFirst) {
    glo.CustType = "ALL";  // left by an earlier window: opening sets "ACTIVE"
    ASSERT_TRUE(print(customerListWindow(), [](ReportSelection& s) { s.setFlag(0, true); }).has_value());
    const std::string text = previewText();
    const char* expected =
        "Abbot, Carl | (207)555-0142 | (603)555-0111\n"
        "4 Ropewalk Lane\n"
        "Kittery  ME  03801\n"
        "Tax License 1:  NH-100\n"
        "Price Class:  R\n"
        "Credit Limit:  2500.00\n"
        "Bill To:  Marsh & Daughters\n"
        "Lee, Ann | (207)555-0142\n"
        "4 Ropewalk Lane\n"
        "Kittery  ME  03904\n"
        "Price Class:  1\n"
        "Comments: | 03/02/2026 10:15 AM : Called about cleats\n"
        "02/01/2026 9:00 AM : Paid late\n"
        "Marsh & Daughters | (978)555-0199\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_EQ(text.find("Zed"), std::string::npos) << text;  // inactive
    EXPECT_NE(text.find("Customer List | Page: | 1 of 1\n"), std::string::npos) << text;
}

TEST_F(ListData, CustomerListByPriceClassAndPickList) {
    ASSERT_TRUE(print(customerListWindow(), [](ReportSelection& s) {
                    s.setChoice(0, "ALL");
                    s.setChoice(1, "R");
                }).has_value());
    std::string text = previewText();
    EXPECT_NE(text.find("Abbot, Carl"), std::string::npos) << text;
    EXPECT_NE(text.find("Zed, Old"), std::string::npos) << text;
    EXPECT_EQ(text.find("Lee, Ann"), std::string::npos) << text;
    EXPECT_EQ(text.find("Marsh & Daughters |"), std::string::npos) << text;
    EXPECT_EQ(text.find("Comments:"), std::string::npos) << text;

    output.previewed.clear();
    core::pick::Cust::Queue.add({"Marsh & Daughters", 1});
    core::pick::Cust::Queue.add({"Lee, Ann", 0});
    ASSERT_TRUE(print(customerListWindow()).has_value());
    text = previewText();
    EXPECT_NE(text.find("Marsh & Daughters | (978)555-0199\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Lee, Ann"), std::string::npos) << text;
    EXPECT_EQ(text.find("Abbot"), std::string::npos) << text;
}

TEST_F(ListData, LabelsAskToPreviewAndListInactiveCustomersByZip) {
    ui.answer(core::Button::Yes);  // "Do you wish to PREVIEW this Report?"
    ASSERT_TRUE(print(customerLabelsWindow(), [](ReportSelection& s) { s.setChoice(0, "DEAD"); }).has_value());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Do you wish to PREVIEW this Report?"});
    EXPECT_EQ(previewText(),
              "--- page 1\n"
              "Zed, Old\n"
              "4 Ropewalk Lane\n"
              "Box 9\n"
              "Kittery, ME  00501\n");
}

TEST_F(ListData, LabelsGoThreeAcrossInZipOrderOnTheSheet) {
    ui.answer(core::Button::Yes);
    ASSERT_TRUE(print(customerLabelsWindow(), [](ReportSelection& s) { s.setChoice(0, "ALL"); }).has_value());
    ASSERT_EQ(output.previewed.size(), 1u);
    const PageList& pages = output.previewed.back();
    const std::string text = readingText(pages);
    // 00501, 01930, 03801 on the first row, 03904 under the first.
    EXPECT_LT(text.find("Zed, Old"), text.find("Marsh & Daughters"));
    EXPECT_LT(text.find("Marsh & Daughters"), text.find("Abbot, Carl"));
    EXPECT_LT(text.find("Abbot, Carl"), text.find("Lee, Ann"));
    const LabelSheet sheet = mailingLabelSheet();
    EXPECT_EQ(sheet.page.leftMargin + sheet.across * sheet.labelWidth +
                  (sheet.across - 1) * (sheet.columnPitch - sheet.labelWidth) + sheet.page.rightMargin,
              sheet.page.width);
    EXPECT_EQ(sheet.down * sheet.labelHeight, sheet.page.bodyHeight());

    // With No the labels go straight to the printer.
    output.previewed.clear();
    ui.answer(core::Button::No);
    const std::optional<RunResult> r = print(customerLabelsWindow());
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome, RunOutcome::Printed);
    EXPECT_TRUE(output.previewed.empty());
    EXPECT_EQ(output.printed.size(), 1u);
}

TEST_F(ListData, OneLineListCountsTheCustomersPrinted) {
    ASSERT_TRUE(print(customerOneLineWindow(), [](ReportSelection& s) { s.setChoice(0, "ALL"); }).has_value());
    std::string text = previewText();
    EXPECT_NE(text.find("Name | Address | City | ST | Zip | Phone\n"
                        "Abbot, Carl | 4 Ropewalk Lane | Kittery | ME | 03801 | (207)555-0142\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Total Customers: | 4\n"), std::string::npos) << text;

    output.previewed.clear();
    ASSERT_TRUE(print(customerOneLineWindow(), [](ReportSelection& s) { s.setFlag(0, true); }).has_value());
    text = previewText();
    EXPECT_NE(text.find("Name | Address | City | ST | Zip | Phone | Phone 2 | Ext | Fax\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Abbot, Carl | 4 Ropewalk Lane | Kittery | ME | 03801 | (207)555-0142 | (603)555-0111\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Total Customers: | 3\n"), std::string::npos) << text;  // active only
}

TEST_F(ListData, VendorListPrintsTermsAndCommentsUnlessOneLine) {
    ASSERT_TRUE(print(vendorListWindow(), [](ReportSelection& s) { s.setFlag(1, true); }).has_value());
    std::string text = previewText();
    EXPECT_NE(text.find("Bay Rigging | 1 Mill Road | Dover | NH | 03820 | (603)555-0177\n"
                        "Terms:  Net 30\n"
                        "Comments: | Ships Fridays\n"
                        "Coastal Paint | 1 Mill Road"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Old Mill"), std::string::npos) << text;
    EXPECT_NE(text.find("Vendor Count: | 2\n"), std::string::npos) << text;

    output.previewed.clear();
    ASSERT_TRUE(print(vendorListWindow(), [](ReportSelection& s) {
                    s.setFlag(0, true);  // 1-Line Report
                    s.setFlag(1, true);  // Print Comments
                    s.setChoice(0, "DEAD");
                }).has_value());
    text = previewText();
    EXPECT_NE(text.find("Old Mill | 1 Mill Road"), std::string::npos) << text;
    EXPECT_EQ(text.find("Terms:"), std::string::npos) << text;
    EXPECT_NE(text.find("Vendor Count: | 1\n"), std::string::npos) << text;
}

TEST_F(ListData, APickListWithNothingMarkedSaysNothingToPreview) {
    core::pick::Ven::Queue.add({"Bay Rigging", 0});
    const std::optional<RunResult> r = print(vendorListWindow());
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome, RunOutcome::NothingToPreview);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Nothing to Preview."});
}

}  // namespace
}  // namespace quay::reports
