// QUOTEPRINT on a real data set: the page list of a quote and of an invoice read as text
// and compared with what the customer should see, and the messages of the report's own
// failures. Every test fills its own data directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "engine_test_support.h"
#include "qt_test_app.h"
#include "order_data_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/quote/quote_print.h"
#include "quay/reports/run/page_text.h"

namespace quay::reports {
namespace {

using namespace testing;

class QuotePrint : public ::testing::Test {
protected:
    QuotePrint() : settings(std::filesystem::path(data.dir()) / "tallvane.ini") {}

    void SetUp() override {
        data.add(company());
        data.add(person("Lee", "Ann"));
        data.add(companyCustomer("Marsh & Daughters"));
        core::Products cleat = product("CL-100", "Deck cleat, galvanised");
        cleat.Comments = "Hot-dip galvanised steel.";
        data.add(cleat);
        data.add(product("RP-12", "Mooring rope 12 mm"));
    }

    // With realFonts the installed fonts measure, as on paper; otherwise the fixed pitch
    // that keeps the expected texts independent of the fonts.
    RunResult print(std::int32_t ordNum, bool realFonts = false) {
        return QUOTEPRINT(data.db(), ordNum,
                          ReportContext{.ui = ui,
                                        .output = output,
                                        .settings = settings,
                                        .progress = nullptr,
                                        .measurer = realFonts ? nullptr : &measurer,
                                        .logoDirectory = data.dir()});
    }

    std::string previewText() {
        EXPECT_EQ(output.previewed.size(), 1u);
        return output.previewed.empty() ? std::string() : readingText(output.previewed[0]);
    }

    // A quote of two lines for Ann Lee.
    void addQuote() {
        core::Orders o = order(7, "Q", "Lee, Ann");
        o.LISTSUB = money("38.50");
        o.SUBTOTAL = o.LISTSUB;
        o.TOTAL = money("38.50");
        o.TERMS = "Net 30";
        data.add(o);
        data.add(line(1, 7, "CL-100", "Deck cleat, galvanised", "2", "4.25", "8.50"));
        data.add(line(2, 7, "RP-12", "Mooring rope 12 mm", "10", "3", "30.00"));
    }

    // An invoice of the same two lines, numbered 1001, for the company customer.
    void addInvoice() {
        core::Orders o = order(8, "I", "Marsh & Daughters");
        o.InvoiceNum = 1001;
        o.LISTSUB = money("38.50");
        o.SUBTOTAL = o.LISTSUB;
        o.SLSTAXRATE1 = price("5.5");
        o.SALESTAX1 = money("2.12");
        o.TOTAL = money("40.62");
        o.SHIPVIA = "Harbour Freight Lines";
        o.PONUM = "PO-77";
        o.Notes = "Leave at the harbour office.";
        data.add(o);
        data.add(line(3, 8, "CL-100", "Deck cleat, galvanised", "2", "4.25", "8.50"));
        data.add(line(4, 8, "RP-12", "Mooring rope 12 mm", "10", "3", "30.00"));
    }

    void addCharge(std::int32_t id, std::int32_t invoice, const char* amount) {
        core::Charges c{};
        c.Id = id;
        c.Customer = "Marsh & Daughters";
        c.INVOICENUM = invoice;
        c.Date = day(2026, 3, 14);
        c.REASON = "Invoice " + std::to_string(invoice);
        c.AMOUNT = money(amount);
        c.UNPAIDBAL = money(amount);
        data.add(c);
    }

    void addPayment(std::int32_t id, const char* method, const char* amount) {
        core::Payments p{};
        p.Id = id;
        p.Customer = "Marsh & Daughters";
        p.Date = day(2026, 3, 20);
        p.Method = method;
        p.CHECKNUM = "5521";
        p.CCNUM = "4111111111114242";
        p.EXPDATE = day(2028, 9, 30);
        p.CCAUTH = "A77";
        p.AMOUNT = money(amount);
        data.add(p);
    }

    void addApplied(std::int32_t payId, std::int32_t chgId, const char* amount) {
        core::Applied a{};
        a.PayId = payId;
        a.ChgId = chgId;
        a.DATEAPPLIED = day(2026, 3, 20);
        a.AMOUNT = money(amount);
        data.add(a);
    }

    void setCompany(const std::function<void(core::Defaults&)>& change) {
        data.erase<core::Defaults>([](const core::Defaults&) { return true; });
        core::Defaults d = company();
        change(d);
        data.add(d);
    }

    // The lines of the preview from the first that starts with `from` up to, not
    // including, the first after it that starts with `to`.
    std::string section(const std::string& from, const std::string& to) {
        const std::string text = previewText();
        const std::size_t a = text.find("\n" + from);
        if (a == std::string::npos) return "(no line " + from + ")";
        const std::size_t b = text.find("\n" + to, a + 1);
        return text.substr(a + 1, b == std::string::npos ? std::string::npos : b - a);
    }

    OrderData data;
    core::Settings settings;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    FixedPitchMeasurer measurer;
};

TEST_F(QuotePrint, QuoteHidesPaymentsAndBalanceAndPrintsNoPaymentLines) {
    addQuote();
    const RunResult r = print(7);
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(output.previewTitles[0], "Quote# 7");
    EXPECT_EQ(previewText(),
              "--- page 1\n"
              "Harbour Supply Co. | Quote\n"
              "12 Quay Street\n"
              "Portsmouth, NH 03801-1234 | Quote# 7\n"
              "March 14, 2026\n"
              "Bill To: | Ship To:\n"
              "Lee, Ann | Lee, Ann\n"
              "4 Ropewalk Lane | 4 Ropewalk Lane\n"
              "Kittery, ME 03904 | Kittery, ME 03904\n"
              "(207)555-0142 | (207)555-0142\n"
              "Part# | Description | Qty. | Unit Price | Ext.\n"
              "CL-100 | Deck cleat, galvanised | 2.00 | $4.25 | $8.50\n"
              "Hot-dip galvanised steel.\n"
              "RP-12 | Mooring rope 12 mm | 10.00 | $3.00 | $30.00\n"
              "Shipped Via: | Sub Total: | $38.50\n"
              "Shipment Track#: | Discount: | 0.00% | $0.00\n"
              "Reference: | Surcharge: | 0.00% | $0.00\n"
              "Purchase Order#: | Shipping: | $0.00\n"
              "Terms: | Net 30 | Handling: | $0.00\n"
              "COD: | $0.00\n"
              "Sales Tax 1: | 0.0000% | $0.00\n"
              "Sales Tax 2: | 0.0000% | $0.00\n"
              "Order Total: | $38.50\n"
              "Comments:\n"
              "Quote# 7 | Page 1 of 1\n");
    EXPECT_EQ(core::glo.GlobalResponse, core::Response::Cancelled);
}

TEST_F(QuotePrint, InvoiceWithoutChargePrintsZeroPaymentsAndTheWholeTotalDue) {
    addInvoice();
    print(8);
    EXPECT_EQ(output.previewTitles[0], "Invoice# 1001");
    EXPECT_EQ(section("Order Total:", "Comments:"),
              "Order Total: | $40.62\n"
              "Payments: | $0.00\n"
              "Balance Due: | $40.62\n");
    EXPECT_EQ(previewText().find("Payment Information"), std::string::npos);
}

TEST_F(QuotePrint, InvoiceListsItsAppliedPaymentsByMethodAndTheBalanceDue) {
    addInvoice();
    addCharge(3, 1001, "40.62");
    addCharge(4, 999, "12.00");  // another invoice's charge stays out of this one
    addPayment(11, "Check", "20.00");
    addPayment(12, "Credit", "10.00");
    addApplied(11, 3, "20.00");
    addApplied(12, 3, "10.00");
    addApplied(13, 3, "5.00");  // its payment has been deleted: counted, not described
    addApplied(11, 4, "12.00");
    print(8);
    EXPECT_EQ(section("Order Total:", "Quote#"),
              "Order Total: | $40.62\n"
              "Payments: | $35.00\n"
              "Balance Due: | $5.62\n"
              "Comments: | Leave at the harbour office.\n"
              "Payment Information\n"
              "Date | Amount\n"
              "03/20/2026  Check#5521 | $20.00\n"
              "03/20/2026  Credit Card# ************4242  Exp: 09/28  Auth# A77 | $10.00\n"
              "Invoice# 1001 | Page 1 of 1\n");
    EXPECT_EQ(section("Shipped Via:", "Shipment"), "Shipped Via: | Harbour Fr | Sub Total: | $38.50\n");
    EXPECT_EQ(section("Sales Tax 1:", "Sales Tax 2"), "Sales Tax 1: | 5.5000% | $2.12\n");
}

TEST_F(QuotePrint, LineBandsRunLineProductCommentSerialsLineCommentInThatOrder) {
    addQuote();
    data.erase<core::ItemsOrd>([](const core::ItemsOrd& l) { return l.IteNum == 2; });
    core::ItemsOrd l = line(2, 7, "RP-12", "Mooring rope 12 mm", "3", "3", "9.00");
    l.Comments = "Cut to 4 m lengths.";
    data.add(l);
    core::Products rope = product("RP-12", "Mooring rope 12 mm");
    data.erase<core::Products>([](const core::Products& p) { return p.PartNum == "RP-12"; });
    rope.Comments = "Polyester, UV stabilised.";
    data.add(rope);
    for (const char* sn : {"R-0003", "R-0001", "R-0002"}) {
        core::Serials s{};
        s.ITENUM = 2;
        s.SERIALNUMBER = sn;
        data.add(s);
    }
    print(7);
    EXPECT_EQ(section("RP-12", "Shipped Via:"),
              "RP-12 | Mooring rope 12 mm | 3.00 | $3.00 | $9.00\n"
              "Polyester, UV stabilised.\n"
              "Serial #: | R-0003\n"
              "Serial #: | R-0001\n"
              "Serial #: | R-0002\n"
              "Cut to 4 m lengths.\n");
}

TEST_F(QuotePrint, ColumnRulesRunUnbrokenThroughLinesCommentsAndSerials) {
    addQuote();
    core::Serials s{};
    s.ITENUM = 1;
    s.SERIALNUMBER = "C-1";
    data.add(s);
    print(7, true);
    ASSERT_EQ(output.previewed.size(), 1u);
    // Vertical segments of the rule between description and quantity, top to bottom.
    std::vector<std::pair<int, int>> segments;
    for (const PlacedItem& it : output.previewed[0].page(0).items)
        if (it.kind == ItemKind::Line && it.width == 0 && it.x == 500 + 4600)
            segments.push_back({it.y, it.y + it.height});
    std::sort(segments.begin(), segments.end());
    ASSERT_GE(segments.size(), 5u);  // heading, two lines, a comment, a serial, the closing bands
    for (std::size_t i = 1; i < segments.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_LE(segments[i].first, segments[i - 1].second);
    }
}

TEST_F(QuotePrint, BillToAccountIsBilledAndTheCustomerIsShippedTo) {
    data.erase<core::Customer>([](const core::Customer& c) { return c.Name == "Lee, Ann"; });
    core::Customer ann = person("Lee", "Ann");
    ann.BILLTO = "Marsh & Daughters";
    data.add(ann);
    addQuote();
    print(7);
    EXPECT_EQ(section("Bill To:", "Part#"),
              "Bill To: | Ship To:\n"
              "Marsh & Daughters | Lee, Ann\n"
              "Dock 4, North Pier | 4 Ropewalk Lane\n"
              "Gloucester, MA 01930 | Kittery, ME 03904\n"
              "ATTN: Nora Marsh | (207)555-0142\n"
              "(978)555-0199\n");
}

TEST_F(QuotePrint, UnitPricesFollowTheCompanysRounding) {
    setCompany([](core::Defaults& d) { d.ROUNDPC = "H"; });
    addQuote();
    print(7);
    EXPECT_EQ(section("CL-100", "Hot-dip"), "CL-100 | Deck cleat, galvanised | 2.00 | $4.2500 | $8.50\n");
}

TEST_F(QuotePrint, CompanyCommentsNoticeAndSignatureOnAQuoteThatAsksForThem) {
    setCompany([](core::Defaults& d) {
        d.SIGONQUOTES = 1;
        d.INVOICEAD = 1;
        d.InvComments = "Prices hold for 30 days.";
    });
    addQuote();
    print(7);
    EXPECT_EQ(section("Comments:", "Quote#"),
              "Comments:\n"
              "Prices hold for 30 days.\n"
              "Ann Lee | Date\n"
              "This Quote was generated with Billquay. Ask us about the program that keeps our quotes, invoices and "
              "accounts.\n");
}

TEST_F(QuotePrint, SignatureFollowsTheDocumentsOwnSetting) {
    setCompany([](core::Defaults& d) { d.SIGONINV = 1; });
    addQuote();
    addInvoice();
    print(7);
    EXPECT_EQ(previewText().find("| Date\n"), std::string::npos);
    output.previewed.clear();
    print(8);
    EXPECT_NE(previewText().find("Nora Marsh | Date\n"), std::string::npos);
}

TEST_F(QuotePrint, HeadingMovesToTheMarginWithoutALogoAndStaysBesideIt) {
    addQuote();
    auto headingX = [&] {
        for (const PlacedItem& it : output.previewed.back().page(0).items)
            if (it.text == "Harbour Supply Co.") return it.x;
        return -1;
    };
    auto hasImage = [&] {
        for (const PlacedItem& it : output.previewed.back().page(0).items)
            if (it.kind == ItemKind::Image) return true;
        return false;
    };
    print(7);
    EXPECT_EQ(headingX(), 500 + 63);
    EXPECT_FALSE(hasImage());

    std::ofstream(std::filesystem::path(data.dir()) / "logo.png") << "not read by the report itself";
    setCompany([](core::Defaults& d) { d.LOGOFILE = "logo.png"; });
    print(7);
    EXPECT_EQ(headingX(), 500 + 1563);
    EXPECT_TRUE(hasImage());

    // A logo name that reaches outside the program's folder is no logo.
    setCompany([](core::Defaults& d) { d.LOGOFILE = "../logo.png"; });
    print(7);
    EXPECT_EQ(headingX(), 500 + 63);
    EXPECT_FALSE(hasImage());
}

TEST_F(QuotePrint, LongOrderRunsOverPagesWithTotalsOnceAtTheEnd) {
    core::Orders o = order(9, "Q", "Lee, Ann");
    o.TOTAL = money("120.00");
    data.add(o);
    for (int i = 1; i <= 40; ++i) data.add(line(100 + i, 9, "RP-12", "Mooring rope 12 mm", "1", "3", "3.00"));
    const RunResult r = print(9);
    ASSERT_EQ(r.outcome, RunOutcome::Previewed);
    const std::string text = previewText();
    const int pages = output.previewed[0].pageCount();
    EXPECT_GE(pages, 2);
    EXPECT_NE(text.find("Quote# 9 | Page 1 of " + std::to_string(pages) + "\n"), std::string::npos);
    EXPECT_NE(text.find("Quote# 9 | Page " + std::to_string(pages) + " of " + std::to_string(pages) + "\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Order Total:"), text.rfind("Order Total:"));
    // The column headings open every page; the company heading stays on the first.
    const std::string headings = "Part# | Description | Qty. | Unit Price | Ext.\n";
    EXPECT_NE(text.find("--- page 2\n" + headings), std::string::npos);
    EXPECT_EQ(text.find(headings, text.find(headings) + 1), text.find("--- page 2\n") + 11);
    EXPECT_EQ(text.find("Harbour Supply Co."), text.rfind("Harbour Supply Co."));
    EXPECT_GT(text.find("Order Total:"), text.find("--- page " + std::to_string(pages)));
    EXPECT_EQ(r.recordsRead, 40);
}

TEST_F(QuotePrint, UnknownOrderNumberSaysSoAndPreviewsNothing) {
    addQuote();
    core::glo.GlobalResponse = core::Response::Completed;
    const RunResult r = print(77);
    EXPECT_EQ(r.outcome, RunOutcome::Failed);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"ERROR"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Invalid Global Order Number"});
    EXPECT_EQ(core::glo.GlobalResponse, core::Response::Cancelled);
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(QuotePrint, MissingCustomerSaysSoAndPreviewsNothing) {
    data.add(order(5, "Q", "Nobody Known"));
    data.add(line(50, 5, "RP-12", "Mooring rope 12 mm", "1", "3", "3.00"));
    EXPECT_EQ(print(5).outcome, RunOutcome::Failed);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Error"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Referential Integrity error finding ShipTo Information"});
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(QuotePrint, MissingCompanyRecordComesFirst) {
    data.erase<core::Defaults>([](const core::Defaults&) { return true; });
    EXPECT_EQ(print(77).outcome, RunOutcome::Failed);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Please set company defaults first"});
}

TEST_F(QuotePrint, OrderWithoutLinesHasNothingToPreview) {
    data.add(order(6, "Q", "Lee, Ann"));
    EXPECT_EQ(print(6).outcome, RunOutcome::NothingToPreview);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Nothing to Preview."});
}

}  // namespace
}  // namespace quay::reports
