// The sales reports and the sales tax report over one small set of March invoices whose
// figures were worked out by hand: the lines as the preview shows them, group and grand
// totals to the cent with margins from the summed profit and cost, the range inclusive
// at both ends, the pick lists and flags honoured, and the messages for an empty or
// reversed range.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "order_data_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/run/page_text.h"
#include "quay/reports/sales/sales_reports.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"

namespace quay::reports {
namespace {

using core::glo;
using testing::day;
using testing::money;
using testing::price;

// March 2026: invoices 101 (1 March, the first day), 102, 106 and 103 (31 March, the
// last day); 104 and 105 fall just outside; order 6 is a quote.
class SalesData : public ::testing::Test {
protected:
    SalesData()
        : settings(std::filesystem::temp_directory_path() / "quay-sales-test-absent.ini"),
          clock(core::DateTime{day(2026, 4, 2), *core::timeFromClock(9, 30)}) {
        glo.reset();
        clearPicks();
        data.add(testing::company());
        addSalesman("AB", "Alice Brown");
        addSalesman("CD", "Carl Dent");

        core::Orders& o1 = addInvoice(1, 101, day(2026, 3, 1), "Lee, Ann", "AB", "100.00");
        o1.SLSTAXABLE1 = money("100.00"), o1.SALESTAX1 = money("5.00"), o1.SLSTAXRATE1 = price("5.0000");
        o1.SLSTAXABLE2 = money("100.00"), o1.SALESTAX2 = money("1.50"), o1.SLSTAXRATE2 = price("1.5000");
        addLine(1, "20.0000", "4");  // cost 80.00

        core::Orders& o2 = addInvoice(2, 102, day(2026, 3, 15), "Marsh & Daughters", "AB", "500.00");
        o2.DISCOUNT = money("50.00"), o2.SURCHARGE = money("10.00");
        o2.TAX1EXEMPT = 1, o2.TAXLIC1 = "NH-4471", o2.EXEMPT1 = money("450.00"), o2.NONTAXABLE1 = money("50.00");
        o2.NONTAXABLE2 = money("500.00");
        addLine(2, "12.5000", "8");  // 100.00
        addLine(2, "25.0000", "2");  // 50.00

        core::Orders& o3 = addInvoice(3, 103, day(2026, 3, 31), "Lee, Ann", "CD", "300.00");
        o3.SLSTAXABLE1 = money("200.00"), o3.NONTAXABLE1 = money("100.00"), o3.SALESTAX1 = money("10.00");
        o3.SLSTAXRATE1 = price("5.0000");
        addLine(3, "0.3333", "3");   // 0.9999 -> 1.00
        addLine(3, "49.0000", "3");  // 147.00

        addInvoice(4, 104, day(2026, 2, 28), "Lee, Ann", "AB", "999.00");
        addInvoice(5, 105, day(2026, 4, 1), "Marsh & Daughters", "CD", "888.00");

        core::Orders& o7 = addInvoice(7, 106, day(2026, 3, 20), "Oakes Marine", "CD", "75.00");
        o7.TAX1EXEMPT = 1, o7.EXEMPT1 = money("75.00");  // no lines: no cost

        core::Orders quote = testing::order(6, "Q", "Lee, Ann");
        quote.OrdDate = day(2026, 3, 10);
        quote.Salesperson = "AB";
        quote.SUBTOTAL = money("200.00");
        quote.SLSTAXABLE1 = money("200.00");
        m_orders.push_back(quote);
        addLine(6, "10.0000", "5");

        for (const core::Orders& o : m_orders) data.add(o);
        glo.LowDate1 = day(2026, 3, 1);
        glo.HiDate1 = day(2026, 3, 31);
    }
    ~SalesData() override { clearPicks(); }

    static void clearPicks() {
        core::pick::Cust::Queue.clear();
        core::pick::SP::Queue.clear();
    }
    void addSalesman(const char* initials, const char* name) {
        core::Salesmen s{};
        s.ACTIVE = 1;
        s.Initials = initials;
        s.NAME = name;
        data.add(s);
    }
    core::Orders& addInvoice(std::int32_t ordNum, std::int32_t invoiceNum, std::int32_t date, const char* customer,
                             const char* salesperson, const char* subTotal) {
        core::Orders o = testing::order(ordNum, "I", customer);
        o.InvoiceNum = invoiceNum;
        o.OrdDate = date;
        o.Salesperson = salesperson;
        o.REFERENCE = "ref " + std::to_string(invoiceNum);
        o.SUBTOTAL = money(subTotal);
        m_orders.push_back(o);
        return m_orders.back();
    }
    void addLine(std::int32_t ordNum, const char* cost, const char* qty) {
        core::ItemsOrd l = testing::line(++m_lines, ordNum, "CL-100", "Deck cleat", qty, "1.0000", "1.00");
        l.COST = price(cost);
        data.add(l);
    }

    // Runs the window's report through its logic: open, then Print.
    std::optional<RunResult> print(ReportWindow window, const std::function<void(ReportSelection&)>& choose = {}) {
        ReportSelection selection(ui, window.spec, [this, job = window.report](core::UiPort& u, const RunOptions& o) {
            ReportContext ctx{
                .ui = u, .output = output, .settings = settings, .measurer = &measurer, .logoDirectory = {}};
            return runReport(data.db(), job, ctx, o);
        });
        const std::int32_t low = glo.LowDate1, high = glo.HiDate1;
        selection.open();
        selection.setBeginDate(low);
        selection.setEndDate(high);
        if (choose) choose(selection);
        return selection.print();
    }
    std::string previewText() {
        EXPECT_EQ(output.previewed.size(), 1u);
        return output.previewed.empty() ? std::string() : readingText(output.previewed.back());
    }
    static ReportWindow sales(SalesGrouping g) { return salesReportWindow(SalesDocuments::Invoices, g); }

    std::vector<core::Orders> m_orders;
    std::int32_t m_lines = 0;
    testing::OrderData data;
    core::Settings settings;
    core::ScopedClockOverride clock;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    testing::FixedPitchMeasurer measurer;
};

constexpr const char* kHeading =
    "--- page 1\n"
    "Harbour Supply Co. | Run: | 04/02/2026 | 9:30 AM\n";

TEST_F(SalesData, ByDateListsTheInvoicesOfBothBoundaryDaysWithGrandTotals) {
    const std::optional<RunResult> r = print(sales(SalesGrouping::ByDate));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome, RunOutcome::Previewed);
    EXPECT_TRUE(ui.messages().empty());
    // 975.00 - 378.00 = 597.00; 597 x 100 / 378 = 157.94%, not the mean of the margins.
    EXPECT_EQ(previewText(),
              std::string(kHeading) +
                  "Sales by Date | Page: | 1 of 1\n"
                  "03/01/2026 to 03/31/2026\n"
                  "Date | Invoice# | Customer Name | Reference | Sub Total | Order Cost | Profit | Margin\n"
                  "03/01/2026 | 101 | Lee, Ann | ref 101 | $100.00 | $80.00 | $20.00 | 25.00%\n"
                  "03/15/2026 | 102 | Marsh & Daughters | ref 102 | $500.00 | $150.00 | $350.00 | 233.33%\n"
                  "03/20/2026 | 106 | Oakes Marine | ref 106 | $75.00 | $0.00 | $75.00 | 0.00%\n"
                  "03/31/2026 | 103 | Lee, Ann | ref 103 | $300.00 | $148.00 | $152.00 | 102.70%\n"
                  "Grand Totals: | $975.00 | $378.00 | $597.00 | 157.94%\n");
}

TEST_F(SalesData, ByCustomerTotalsEachCustomerFromItsSums) {
    ASSERT_TRUE(print(sales(SalesGrouping::ByCustomer)).has_value());
    const std::string text = previewText();
    const char* expected =
        "Customer: | Lee, Ann\n"
        "03/01/2026 | 101 | Lee, Ann | ref 101 | $100.00 | $80.00 | $20.00 | 25.00%\n"
        "03/31/2026 | 103 | Lee, Ann | ref 103 | $300.00 | $148.00 | $152.00 | 102.70%\n"
        "Customer Totals: | $400.00 | $228.00 | $172.00 | 75.44%\n"
        "Customer: | Marsh & Daughters\n"
        "03/15/2026 | 102 | Marsh & Daughters | ref 102 | $500.00 | $150.00 | $350.00 | 233.33%\n"
        "Customer Totals: | $500.00 | $150.00 | $350.00 | 233.33%\n"
        "Customer: | Oakes Marine\n"
        "03/20/2026 | 106 | Oakes Marine | ref 106 | $75.00 | $0.00 | $75.00 | 0.00%\n"
        "Customer Totals: | $75.00 | $0.00 | $75.00 | 0.00%\n"
        "Grand Totals: | $975.00 | $378.00 | $597.00 | 157.94%\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("Sales by Customer | Page: | 1 of 1\n"), std::string::npos) << text;
}

TEST_F(SalesData, BySalespersonGroupsInDateOrderWithTheDiscountAndSurchargeApplied) {
    ASSERT_TRUE(print(sales(SalesGrouping::BySalesperson), [](ReportSelection& s) {
                    s.setFlag(0, true);  // Include Order Discount
                    s.setFlag(1, true);  // Include Order Surcharge
                }).has_value());
    const std::string text = previewText();
    // Invoice 102: 500.00 - 50.00 + 10.00 = 460.00, profit 310.00.
    const char* expected =
        "Salesperson: | AB  Alice Brown\n"
        "03/01/2026 | 101 | Lee, Ann | ref 101 | $100.00 | $80.00 | $20.00 | 25.00%\n"
        "03/15/2026 | 102 | Marsh & Daughters | ref 102 | $460.00 | $150.00 | $310.00 | 206.67%\n"
        "Salesperson Totals: | $560.00 | $230.00 | $330.00 | 143.48%\n"
        "Salesperson: | CD  Carl Dent\n"
        "03/20/2026 | 106 | Oakes Marine | ref 106 | $75.00 | $0.00 | $75.00 | 0.00%\n"
        "03/31/2026 | 103 | Lee, Ann | ref 103 | $300.00 | $148.00 | $152.00 | 102.70%\n"
        "Salesperson Totals: | $375.00 | $148.00 | $227.00 | 153.38%\n"
        "Grand Totals: | $935.00 | $378.00 | $557.00 | 147.35%\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
}

TEST_F(SalesData, PickListsKeepOnlyTheMarkedCustomersAndSalespeople) {
    core::pick::Cust::Queue.add({"Lee, Ann", 1});
    core::pick::Cust::Queue.add({"Marsh & Daughters", 0});
    core::pick::SP::Queue.add({"CD", "Carl Dent", 1});
    ASSERT_TRUE(print(sales(SalesGrouping::ByDate)).has_value());
    const std::string text = previewText();
    EXPECT_NE(text.find("03/31/2026 | 103 | Lee, Ann"), std::string::npos) << text;
    EXPECT_EQ(text.find("| 101 |"), std::string::npos) << text;  // Lee, Ann but Alice Brown's
    EXPECT_EQ(text.find("Marsh"), std::string::npos) << text;
    EXPECT_EQ(text.find("Oakes"), std::string::npos) << text;  // not picked at all
    EXPECT_NE(text.find("Grand Totals: | $300.00 | $148.00 | $152.00 | 102.70%\n"), std::string::npos) << text;
}

TEST_F(SalesData, ARangeWithoutInvoicesOrAReversedRangeRunsNothing) {
    glo.LowDate1 = day(2025, 1, 1);
    glo.HiDate1 = day(2025, 12, 31);
    std::optional<RunResult> r = print(sales(SalesGrouping::ByCustomer));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome, RunOutcome::NothingToPreview);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Nothing to Preview."});

    glo.LowDate1 = day(2026, 3, 31);
    glo.HiDate1 = day(2026, 3, 1);
    EXPECT_FALSE(print(sales(SalesGrouping::ByDate)).has_value());
    EXPECT_EQ(ui.texts().back(), "End Date must be equal to or greater than Beginning Date");
    EXPECT_FALSE(print(salesTaxReportWindow()).has_value());
    EXPECT_EQ(ui.texts().back(), "Beginning Date cannot be later than Ending Date");
    EXPECT_EQ(ui.captions().back(), "ERROR");
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(SalesData, TaxReportDividesEachInvoiceByTheFirstTax) {
    ASSERT_TRUE(print(salesTaxReportWindow()).has_value());
    const std::string text = previewText();
    // Order Total = tax + taxable + non-taxable; the quote of 10 March is left out.
    const char* expected =
        "Order Date | Order/Inv# | Customer Name | Reference | Order Total | Non-Taxable | Taxable | Exempt | Tax | "
        "Rate\n"
        "03/01/2026 | 101 | Lee, Ann | ref 101 | $105.00 | $0.00 | $100.00 | $0.00 | $5.00 | 5.0000%\n"
        "03/15/2026 | 102 | Marsh & Daughters | ref 102 | $50.00 | $50.00 | Exempt: NH-4471 | $0.00 | $450.00 | $0.00 "
        "| "
        "0.0000%\n"
        "03/20/2026 | 106 | Oakes Marine | ref 106 | $0.00 | $0.00 | Exempt | $0.00 | $75.00 | $0.00 | 0.0000%\n"
        "03/31/2026 | 103 | Lee, Ann | ref 103 | $310.00 | $100.00 | $200.00 | $0.00 | $10.00 | 5.0000%\n"
        "Totals | $465.00 | $150.00 | $300.00 | $525.00 | $15.00\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("03/01/2026 to 03/31/2026 | Type: | Tax 1"), std::string::npos) << text;
}

TEST_F(SalesData, TaxReportByTheSecondTaxForThePickedCustomer) {
    core::pick::Cust::Queue.add({"Lee, Ann", 1});
    ASSERT_TRUE(print(salesTaxReportWindow(), [](ReportSelection& s) { s.setChoice(0, "2"); }).has_value());
    const std::string text = previewText();
    EXPECT_NE(text.find("Type: | Tax 2"), std::string::npos) << text;
    EXPECT_NE(
        text.find("03/01/2026 | 101 | Lee, Ann | ref 101 | $101.50 | $0.00 | $100.00 | $0.00 | $1.50 | 1.5000%\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("Totals | $101.50 | $0.00 | $100.00 | $0.00 | $1.50\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Marsh"), std::string::npos) << text;
}

}  // namespace
}  // namespace quay::reports
