// The quote reports: the sales reports over open quotes. Checked on a quote dated on
// each end of the range, an invoice in the range that stays out, and the figures of a
// quote against those the sales report shows for the same order as an invoice.
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

class QuoteData : public ::testing::Test {
protected:
    QuoteData()
        : settings(std::filesystem::temp_directory_path() / "quay-quotes-test-absent.ini"),
          clock(core::DateTime{day(2026, 4, 2), *core::timeFromClock(9, 30)}) {
        glo.reset();
        core::pick::Cust::Queue.clear();
        core::pick::SP::Queue.clear();
        data.add(testing::company());
        core::Salesmen s{};
        s.ACTIVE = 1, s.Initials = "AB", s.NAME = "Alice Brown";
        data.add(s);
        addOrder(1, "Q", 0, day(2026, 3, 1), "Lee, Ann", "240.00", "30.0000", "5");     // cost 150.00
        addOrder(2, "Q", 0, day(2026, 3, 31), "Marsh & Daughters", "80.00", "", "");    // no lines
        addOrder(3, "I", 301, day(2026, 3, 12), "Lee, Ann", "240.00", "30.0000", "5");  // an invoice
        addOrder(4, "Q", 0, day(2026, 4, 1), "Lee, Ann", "999.00", "", "");
        glo.LowDate1 = day(2026, 3, 1);
        glo.HiDate1 = day(2026, 3, 31);
    }
    ~QuoteData() override { core::pick::Cust::Queue.clear(); }

    void addOrder(std::int32_t ordNum, const char* status, std::int32_t invoiceNum, std::int32_t date,
                  const char* customer, const char* subTotal, const char* cost, const char* qty) {
        core::Orders o = testing::order(ordNum, status, customer);
        o.InvoiceNum = invoiceNum;
        o.OrdDate = date;
        o.Salesperson = "AB";
        o.REFERENCE = "ref " + std::to_string(ordNum);
        o.SUBTOTAL = money(subTotal);
        data.add(o);
        if (*cost) {
            core::ItemsOrd l = testing::line(ordNum, ordNum, "CL-100", "Deck cleat", qty, "1.0000", "1.00");
            l.COST = price(cost);
            data.add(l);
        }
    }
    std::string print(SalesDocuments documents, SalesGrouping grouping) {
        ReportWindow window = salesReportWindow(documents, grouping);
        ReportSelection selection(ui, window.spec, [this, job = window.report](core::UiPort& u, const RunOptions& o) {
            ReportContext ctx{
                .ui = u, .output = output, .settings = settings, .measurer = &measurer, .logoDirectory = {}};
            return runReport(data.db(), job, ctx, o);
        });
        const std::int32_t low = glo.LowDate1, high = glo.HiDate1;
        selection.open();
        selection.setBeginDate(low);
        selection.setEndDate(high);
        output.previewed.clear();
        EXPECT_TRUE(selection.print().has_value());
        return output.previewed.empty() ? std::string() : readingText(output.previewed.back());
    }

    testing::OrderData data;
    core::Settings settings;
    core::ScopedClockOverride clock;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    testing::FixedPitchMeasurer measurer;
};

TEST_F(QuoteData, QuotesByDateListsBothBoundaryQuotesAndNoInvoice) {
    const std::string text = print(SalesDocuments::Quotes, SalesGrouping::ByDate);
    const char* expected =
        "Date | Quote# | Customer Name | Reference | Sub Total | Order Cost | Profit | Margin\n"
        "03/01/2026 | 1 | Lee, Ann | ref 1 | $240.00 | $150.00 | $90.00 | 60.00%\n"
        "03/31/2026 | 2 | Marsh & Daughters | ref 2 | $80.00 | $0.00 | $80.00 | 0.00%\n"
        "Grand Totals: | $320.00 | $150.00 | $170.00 | 113.33%\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("Quotes by Date | Page:"), std::string::npos) << text;
    EXPECT_EQ(text.find("ref 3"), std::string::npos) << text;
    EXPECT_EQ(text.find("ref 4"), std::string::npos) << text;
}

TEST_F(QuoteData, AQuoteShowsTheFiguresOfTheSameOrderAsAnInvoice) {
    const std::string quotes = print(SalesDocuments::Quotes, SalesGrouping::BySalesperson);
    const std::string sales = print(SalesDocuments::Invoices, SalesGrouping::BySalesperson);
    const char* figures = "| Lee, Ann | ref 1 | $240.00 | $150.00 | $90.00 | 60.00%\n";
    EXPECT_NE(quotes.find(std::string("03/01/2026 | 0 ") + figures), std::string::npos) << quotes;
    EXPECT_NE(sales.find("03/12/2026 | 301 | Lee, Ann | ref 3 | $240.00 | $150.00 | $90.00 | 60.00%\n"),
              std::string::npos)
        << sales;
    EXPECT_NE(quotes.find("Salesperson: | AB  Alice Brown\n"), std::string::npos) << quotes;
    EXPECT_NE(quotes.find("Salesperson Totals: | $320.00 | $150.00 | $170.00 | 113.33%\n"), std::string::npos)
        << quotes;
}

}  // namespace
}  // namespace quay::reports
