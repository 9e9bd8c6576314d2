// The product sales analysis and the payments received report on data whose figures were
// worked out by hand.
// Analysis, 15 March 2026 to 28 February 2027 (columns 03/2026 to 02/2027):
//   AN-200  March 199.98 (invoice 2; invoice 1 of 10 March is before the range), May 89.00,
//           total 288.98; as quantity 2.00 and 1.00, total 3.00; the quote of April and
//           the invoice of 2 March 2027 never count.
//   CL-100  March 25.96, February 60.00, total 85.96.   RP-050  no sales: all 0.00.
//   Grand   March 225.94, May 89.00, February 60.00, total 374.94.
// Payments received in March 2026: Cash 40.00, Check 160.00, Credit 250.00, grand 450.00.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "order_data_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/analysis/analysis_reports.h"
#include "quay/reports/run/page_text.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"

namespace quay::reports {
namespace {

using core::glo;
using testing::day;
using testing::money;

std::string zeros(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += " | 0.00";
    return s;
}

class Trade : public ::testing::Test {
protected:
    Trade()
        : settings(std::filesystem::temp_directory_path() / "quay-trade-test-absent.ini"),
          clock(core::DateTime{day(2027, 3, 5), *core::timeFromClock(8, 15)}) {
        glo.reset();
        clearPicks();
        data.add(testing::company());
        addProduct("AN-200", "Plow anchor", "ANCHORS", "Lewmar", "4");
        addProduct("CL-100", "Deck cleat", "HARDWARE", "Harken", "0");
        addProduct("RP-050", "Dock line", "ROPE", "Harken", "3");
        core::VenProds v{};
        v.VPRID = 1;
        v.PartNum = "AN-200";
        v.Vendor = "Bay Rigging";
        data.add(v);

        addOrder(1, "I", day(2026, 3, 10), "Lee, Ann");
        addLine(1, 1, "AN-200", "1", "99.99");
        addOrder(2, "I", day(2026, 3, 20), "Lee, Ann");
        addLine(2, 2, "AN-200", "2", "199.98");
        addLine(3, 2, "CL-100", "4", "25.96");
        addOrder(3, "I", day(2026, 5, 5), "Marsh & Daughters");
        addLine(4, 3, "AN-200", "1", "89.00");
        addOrder(4, "I", day(2027, 2, 28), "Marsh & Daughters");
        addLine(5, 4, "CL-100", "10", "60.00");
        addOrder(5, "Q", day(2026, 4, 1), "Lee, Ann");
        addLine(6, 5, "AN-200", "5", "500.00");
        addOrder(6, "I", day(2027, 3, 2), "Lee, Ann");
        addLine(7, 6, "AN-200", "1", "50.00");
        addLine(8, 99, "AN-200", "1", "7.00");  // its order is gone
    }
    ~Trade() override { clearPicks(); }

    static void clearPicks() {
        for (core::PickSource* q : std::initializer_list<core::PickSource*>{
                 &core::pick::Cust::Queue, &core::pick::Prd::Queue, &core::pick::Ven::Queue, &core::pick::Groups::Queue,
                 &core::pick::Mfr::Queue})
            q->clear();
    }
    void addProduct(const char* part, const char* description, const char* group, const char* maker,
                    const char* onHand) {
        core::Products p = testing::product(part, description);
        p.Group = group;
        p.MANUFACTURER = maker;
        p.OnHand = money(onHand);
        data.add(p);
    }
    void addOrder(std::int32_t n, const char* status, std::int32_t date, const char* customer) {
        core::Orders o = testing::order(n, status, customer);
        o.OrdDate = date;
        if (std::string_view(status) == "I") o.InvoiceNum = 100 + n;
        data.add(o);
    }
    void addLine(std::int32_t id, std::int32_t ordNum, const char* part, const char* qty, const char* total) {
        data.add(testing::line(id, ordNum, part, "", qty, "1", total));
    }
    void addPayment(std::int32_t id, const char* customer, std::int32_t date, const char* method, const char* amount) {
        core::Payments p{};
        p.Id = id;
        p.Customer = customer;
        p.Date = date;
        p.Method = method;
        p.AMOUNT = money(amount);
        p.Applied = 1;
        m_payment = p;
    }
    void storePayment() { data.add(m_payment); }

    std::string print(ReportWindow window, const std::function<void(ReportSelection&)>& choose) {
        ReportSelection selection(ui, window.spec, [this, job = window.report](core::UiPort& u, const RunOptions& o) {
            ReportContext ctx{
                .ui = u, .output = output, .settings = settings, .measurer = &measurer, .logoDirectory = {}};
            return runReport(data.db(), job, ctx, o);
        });
        selection.open();
        choose(selection);
        output.previewed.clear();
        const std::optional<RunResult> r = selection.print();
        EXPECT_TRUE(r.has_value());
        return output.previewed.empty() ? std::string() : readingText(output.previewed.back());
    }
    std::string analysis(std::int32_t low, std::int32_t high, const std::function<void(ReportSelection&)>& more = {}) {
        return print(productAnalysisWindow(), [&](ReportSelection& s) {
            s.setBeginDate(low);
            s.setEndDate(high);
            if (more) more(s);
        });
    }

    core::Payments m_payment{};
    testing::OrderData data;
    core::Settings settings;
    core::ScopedClockOverride clock;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    testing::FixedPitchMeasurer measurer;
};

TEST_F(Trade, AnalysisPutsEachInvoiceLineInItsMonthAndTheMonthsAddUpToTheTotal) {
    const std::string text = analysis(day(2026, 3, 15), day(2027, 2, 28));
    EXPECT_NE(text.find("Part# | Description | Group | 03/2026 | 04/2026 | 05/2026 | 06/2026 | 07/2026 | 08/2026 | "
                        "09/2026 | 10/2026 | 11/2026 | 12/2026 | 01/2027 | 02/2027 | Total\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("03/2026 - 02/2027, Showing Dollars\n"), std::string::npos) << text;
    EXPECT_NE(text.find("AN-200 | Plow anchor | ANCHORS | 199.98 | 0.00 | 89.00" + zeros(9) + " | 288.98\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("CL-100 | Deck cleat | HARDWARE | 25.96" + zeros(10) + " | 60.00 | 85.96\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("RP-050 | Dock line | ROPE" + zeros(13) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Grand Totals: | 225.94 | 0.00 | 89.00" + zeros(8) + " | 60.00 | 374.94\n"), std::string::npos)
        << text;
}

TEST_F(Trade, QuantitySoldAddsTheQuantities) {
    const std::string text =
        analysis(day(2026, 3, 15), day(2027, 2, 28), [](ReportSelection& s) { s.setChoice(0, "Q"); });
    EXPECT_NE(text.find(", Showing Qty Sold\n"), std::string::npos) << text;
    EXPECT_NE(text.find("AN-200 | Plow anchor | ANCHORS | 2.00 | 0.00 | 1.00" + zeros(9) + " | 3.00\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("CL-100 | Deck cleat | HARDWARE | 4.00" + zeros(10) + " | 10.00 | 14.00\n"), std::string::npos)
        << text;
}

TEST_F(Trade, RangeBeyondTwelveMonthsFillsOnlyTheFirstTwelve) {
    const std::string text = analysis(day(2026, 1, 1), day(2027, 12, 31));
    EXPECT_NE(text.find("| 01/2026 |"), std::string::npos) << text;
    EXPECT_NE(text.find("| 12/2026 | Total\n"), std::string::npos) << text;
    // March: 99.99 + 199.98; the invoices of 2027 have no column and count nowhere.
    EXPECT_NE(
        text.find("AN-200 | Plow anchor | ANCHORS | 0.00 | 0.00 | 299.97 | 0.00 | 89.00" + zeros(7) + " | 388.97\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("CL-100 | Deck cleat | HARDWARE | 0.00 | 0.00 | 25.96" + zeros(9) + " | 25.96\n"),
              std::string::npos)
        << text;
}

TEST_F(Trade, PickListsAndInStockChooseTheProductsAndInvoices) {
    std::string text = analysis(day(2026, 3, 15), day(2027, 2, 28), [](ReportSelection&) {
        core::pick::Ven::Queue.add({"Bay Rigging", 1});
    });
    EXPECT_NE(text.find("AN-200"), std::string::npos) << text;
    EXPECT_EQ(text.find("CL-100"), std::string::npos) << text;
    EXPECT_NE(text.find(", Restrict by Vendor\n"), std::string::npos) << text;

    text = analysis(day(2026, 3, 15), day(2027, 2, 28), [](ReportSelection& s) {
        core::pick::Mfr::Queue.add({"Harken", 1});
        core::pick::Cust::Queue.add({"Marsh & Daughters", 1});
        s.setFlag(0, true);  // In Stock Items Only: CL-100 has none
    });
    EXPECT_EQ(text.find("AN-200"), std::string::npos) << text;
    EXPECT_EQ(text.find("CL-100"), std::string::npos) << text;
    EXPECT_NE(text.find("RP-050 | Dock line | ROPE" + zeros(13) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Dollars, Restrict by Customer, Restrict by Manufacturer\n"), std::string::npos) << text;

    text = analysis(day(2026, 3, 15), day(2027, 2, 28), [](ReportSelection&) {
        core::pick::Groups::Queue.add({"HARDWARE", 1});
        core::pick::Cust::Queue.add({"Marsh & Daughters", 1});
    });
    EXPECT_NE(text.find("CL-100 | Deck cleat | HARDWARE | 0.00" + zeros(10) + " | 60.00 | 60.00\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("RP-050"), std::string::npos) << text;
}

TEST_F(Trade, AnalysisWindowStartsAfreshEachTime) {
    ReportWindow window = productAnalysisWindow();
    ReportSelection selection(ui, window.spec, [](core::UiPort&, const RunOptions&) { return RunResult{}; });
    core::pick::Prd::Queue.add({"AN-200", "Plow anchor", 1});
    glo.Dollars = "Q";
    glo.UseDiscount = 1;
    glo.UseSurcharge = 1;
    glo.InStockItems = 1;
    selection.open();
    EXPECT_EQ(core::pick::Prd::Queue.size(), 0u);
    EXPECT_EQ(glo.Dollars.view(), "D");
    EXPECT_EQ(glo.UseDiscount, 0);
    EXPECT_EQ(glo.UseSurcharge, 0);
    EXPECT_EQ(glo.InStockItems, 0);
}

TEST_F(Trade, PaymentsReceivedByMethodWithTheirDescriptions) {
    addPayment(1, "Lee, Ann", day(2026, 3, 1), "Check", "100.00");
    m_payment.CHECKNUM = "1042", m_payment.BANKID = "FNB";
    storePayment();
    addPayment(2, "Marsh & Daughters", day(2026, 3, 15), "Credit", "250.00");
    m_payment.CCNUM = "4111-XXXX-1111", m_payment.EXPDATE = day(2027, 8, 31), m_payment.CCAUTH = "A1B2";
    storePayment();
    addPayment(3, "Oakes Marine", day(2026, 3, 31), "Cash", "40.00");
    m_payment.COMMENTS = "Deposit";
    storePayment();
    addPayment(4, "Lee, Ann", day(2026, 3, 10), "Check", "60.00");
    m_payment.CHECKNUM = "1043", m_payment.BANKID = "FNB";
    storePayment();
    addPayment(5, "Lee, Ann", day(2026, 4, 1), "Cash", "5.00");
    storePayment();
    addPayment(6, "Marsh & Daughters", day(2026, 2, 28), "Check", "9.00");
    storePayment();

    const std::string text = print(paymentsReceivedWindow(), [](ReportSelection& s) {
        s.setBeginDate(day(2026, 3, 1));
        s.setEndDate(day(2026, 3, 31));
    });
    const char* expected =
        "Date | Customer | Amount | Description\n"
        "Payment Method: | Cash\n"
        "03/31/2026 | Oakes Marine | $40.00 | Deposit\n"
        "Total: | $40.00\n"
        "Payment Method: | Check\n"
        "03/01/2026 | Lee, Ann | $100.00 | Check# 1042, BankID# FNB\n"
        "03/10/2026 | Lee, Ann | $60.00 | Check# 1043, BankID# FNB\n"
        "Total: | $160.00\n"
        "Payment Method: | Credit\n"
        "03/15/2026 | Marsh & Daughters | $250.00 | Card# 4111-XXXX-1111, Exp. 08/2027, Auth# A1B2\n"
        "Total: | $250.00\n"
        "Grand Total: | $450.00\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("03/01/2026 to 03/31/2026"), std::string::npos) << text;

    const std::string lee = print(paymentsReceivedWindow(), [](ReportSelection& s) {
        s.setBeginDate(day(2026, 3, 1));
        s.setEndDate(day(2026, 4, 30));
        core::pick::Cust::Queue.add({"Lee, Ann", 1});
    });
    EXPECT_EQ(lee.find("Marsh"), std::string::npos) << lee;
    EXPECT_NE(lee.find("Grand Total: | $165.00\n"), std::string::npos) << lee;
}

}  // namespace
}  // namespace quay::reports
