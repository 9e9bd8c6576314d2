// The statements and the aging report on a small set of accounts whose figures were
// worked out by hand, on 30 April 2026 with the end date at its opening value, 31 March:
//   Lee, Ann           Current 100.00 (30 days), +30 40.00 (31 days), +60 60.00 (90 days),
//                      +90 120.00 (91 days, the rest of a 200.00 invoice); a paid charge
//                      and an applied payment that never show. Total Due 320.00.
//   Marsh & Daughters  +90 100.00, +30 80.00, 150.00 unapplied: +90 0.00, +30 30.00,
//                      Total Due 30.00, and the 30-day reminder (not the 90-day one).
//   Oakes Marine       Current 25.00 against 40.00 and 10.00 unapplied: every bucket 0.00,
//                      Total Due -25.00.
//   Pike, Sam          only a charge after the end date, and 20.00 unapplied: no statement.
// The aging report's grand totals: Current 100.00, +30 70.00, +60 60.00, +90 120.00,
// Total Due 325.00 (320.00 + 30.00 - 25.00).
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "order_data_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/accounts/ar_reports.h"
#include "quay/reports/run/page_text.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"

namespace quay::reports {
namespace {

using core::glo;
using testing::day;
using testing::money;

class Accounts : public ::testing::Test {
protected:
    Accounts()
        : settings(std::filesystem::temp_directory_path() / "quay-accounts-test-absent.ini"),
          clock(core::DateTime{day(2026, 4, 30), *core::timeFromClock(16, 45)}) {
        glo.reset();
        core::pick::Cust::Queue.clear();
        core::Defaults def = testing::company();
        def.PHONE2 = "(603)555-0101";
        def.FAX = "(603)555-0109";
        def.EMAIL = "accounts@harboursupply.example";
        def.BillingComments = "Thank you for your business.";
        def.Bill30Comments = "Your account is 30 days past due.";
        def.Bill60Comments = "Your account is 60 days past due.";
        def.Bill90Comments = "Your account is 90 days past due and on hold.";
        data.add(def);
        data.add(testing::person("Lee", "Ann"));
        core::Customer marsh = testing::companyCustomer("Marsh & Daughters");
        marsh.ADDRESS2 = "Attn: Accounts";
        data.add(marsh);
        data.add(testing::companyCustomer("Oakes Marine"));
        data.add(testing::person("Pike", "Sam"));

        const std::int32_t today = day(2026, 4, 30);
        addInvoice(101, "Lee, Ann", "Spring refit");
        addInvoice(102, "Lee, Ann", "");
        addCharge(1, "Lee, Ann", today - 30, "Invoice 101", "100.00", "100.00", 101);
        addCharge(2, "Lee, Ann", today - 31, "Freight and handling", "40.00", "40.00");
        addCharge(3, "Lee, Ann", today - 90, "Mooring fee", "60.00", "60.00");
        addCharge(4, "Lee, Ann", today - 91, "Invoice 102", "200.00", "120.00", 102);
        addCharge(5, "Lee, Ann", today - 200, "Winter storage", "50.00", "0.00", 0, 1);
        addCharge(6, "Marsh & Daughters", today - 120, "Old balance", "100.00", "100.00");
        addCharge(7, "Marsh & Daughters", today - 45, "Dock rent", "80.00", "80.00", 107);  // invoice 107 is gone
        addCharge(8, "Oakes Marine", today - 30, "Chart copies", "25.00", "25.00");
        addCharge(9, "Pike, Sam", today - 5, "Rope", "35.00", "35.00");
        addPayment(1, "Lee, Ann", today - 100, "Check", "80.00", "0.00", "Thank you");
        addPayment(2, "Marsh & Daughters", today - 5, "Check", "150.00", "150.00", "On account");
        addPayment(3, "Oakes Marine", today - 10, "Cash", "40.00", "40.00", "Deposit");
        addPayment(4, "Oakes Marine", today - 2, "Credit", "10.00", "10.00", "");
        addPayment(5, "Pike, Sam", today - 1, "Cash", "20.00", "20.00", "Advance");
    }
    ~Accounts() override { core::pick::Cust::Queue.clear(); }

    void addInvoice(std::int32_t number, const char* customer, const char* reference) {
        core::Orders o = testing::order(number, "I", customer);
        o.InvoiceNum = number;
        o.REFERENCE = reference;
        data.add(o);
    }
    void addCharge(std::int32_t id, const char* customer, std::int32_t date, const char* reason, const char* amount,
                   const char* unpaid, std::int32_t invoice = 0, std::uint8_t paid = 0) {
        core::Charges c{};
        c.Id = id;
        c.Customer = customer;
        c.Date = date;
        c.REASON = reason;
        c.AMOUNT = money(amount);
        c.UNPAIDBAL = money(unpaid);
        c.INVOICENUM = invoice;
        c.Paid = paid;
        data.add(c);
    }
    void addPayment(std::int32_t id, const char* customer, std::int32_t date, const char* method, const char* amount,
                    const char* unapplied, const char* comments) {
        core::Payments p{};
        p.Id = id;
        p.Customer = customer;
        p.Date = date;
        p.Method = method;
        p.AMOUNT = money(amount);
        p.UNAPPAMT = money(unapplied);
        p.Applied = p.UNAPPAMT.isZero() ? 1 : 0;
        p.COMMENTS = comments;
        if (std::string_view(method) == "Check") p.CHECKNUM = "2041", p.BANKID = "FNB";
        data.add(p);
    }

    // Opens the window as the menu does, lets the test choose, and prints.
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

    // The text of one page ("--- page N" up to the next page).
    static std::string page(const std::string& text, int n) {
        const std::string mark = "--- page " + std::to_string(n) + "\n";
        const std::size_t at = text.find(mark);
        if (at == std::string::npos) return {};
        const std::size_t end = text.find("--- page ", at + mark.size());
        return text.substr(at + mark.size(), end == std::string::npos ? std::string::npos : end - at - mark.size());
    }

    testing::OrderData data;
    core::Settings settings;
    core::ScopedClockOverride clock;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    testing::FixedPitchMeasurer measurer;
};

TEST_F(Accounts, SelectionOpensAtTheEndOfLastMonthForActiveCustomersAndCloseDropsThePicks) {
    ReportWindow window = customerBillingWindow();
    ReportSelection selection(ui, window.spec, [](core::UiPort&, const RunOptions&) { return RunResult{}; });
    glo.CustType = "ALL";
    selection.open();
    EXPECT_EQ(selection.endDate(), day(2026, 3, 31));
    EXPECT_EQ(glo.CustType.view(), "ACTIVE");
    core::pick::Cust::Queue.add({"Oakes Marine", 1});
    selection.close();
    EXPECT_EQ(core::pick::Cust::Queue.size(), 0u);
    // An empty end date keeps the cursor there and runs nothing.
    selection.setEndDate(0);
    EXPECT_FALSE(selection.print().has_value());
    EXPECT_EQ(selection.takeFocusRequest(), ReportSelection::Field::EndDate);
}

TEST_F(Accounts, EachCustomerWithOpenChargesGetsAStatementOnItsOwnPage) {
    const std::string text = print(customerBillingWindow());
    EXPECT_NE(page(text, 1).find("Lee, Ann"), std::string::npos) << text;
    EXPECT_NE(page(text, 2).find("Marsh & Daughters"), std::string::npos) << text;
    EXPECT_NE(page(text, 3).find("Oakes Marine"), std::string::npos) << text;
    EXPECT_TRUE(page(text, 4).empty()) << text;
    EXPECT_EQ(text.find("Pike"), std::string::npos) << text;  // only a charge after 31 March
}

TEST_F(Accounts, StatementOfAllFourAgesReadsAsTheCustomerReceivesIt) {
    const std::string lee = page(print(customerBillingWindow()), 1);
    const char* expected =
        "Statement | Date: | 04/30/2026\n"
        "Make Check Payable to:\n"
        "Harbour Supply Co. | Lee, Ann\n"
        "12 Quay Street | 4 Ropewalk Lane\n"
        "Portsmouth, NH  03801-1234 | Kittery, ME  03904\n"
        "(603)555-0100 - (603)555-0101\n"
        "FAX - (603)555-0109\n"
        "Date | Invoice# | Description | Amount | Balance Due\n"
        "01/29/2026 | 102 | Invoice 102 | $200.00 | $120.00\n"
        "01/30/2026 | Mooring fee | $60.00 | $60.00\n"
        "03/30/2026 | Freight and handling | $40.00 | $40.00\n"
        "03/31/2026 | 101 | Spring refit | $100.00 | $100.00\n"
        "Current | +30 Days | +60 Days | +90 Days | Total Due\n"
        "$100.00 | $40.00 | $60.00 | $120.00 | $320.00\n"
        "Negative Value Indicates Credit\n"
        "Your account is 90 days past due and on hold.\n";
    EXPECT_NE(lee.find(expected), std::string::npos) << lee;
    EXPECT_EQ(lee.find("Winter storage"), std::string::npos) << lee;     // paid
    EXPECT_EQ(lee.find("Payments to Apply"), std::string::npos) << lee;  // the payment is applied
    EXPECT_NE(lee.find("Please return this coupon with payment\n"
                       "Customer: | Lee, Ann | Total Due: | $320.00\n"
                       "Make Check Payable to: Harbour Supply Co.\n"
                       "Payment Amount:  __________________________\n"),
              std::string::npos)
        << lee;
}

TEST_F(Accounts, UnappliedPaymentGoesAgainstTheOldestBucketAndTheReminderFollows) {
    const std::string marsh = page(print(customerBillingWindow()), 2);
    EXPECT_NE(
        marsh.find(
            "Harbour Supply Co. | Marsh & Daughters\n12 Quay Street | Dock 4, North Pier\n"
            "Portsmouth, NH  03801-1234 | Attn: Accounts\n(603)555-0100 - (603)555-0101 | Gloucester, MA  01930\n"),
        std::string::npos)
        << marsh;
    // Invoice 107 no longer exists: the charge is described by its reason.
    EXPECT_NE(marsh.find("03/16/2026 | 107 | Dock rent | $80.00 | $80.00\n"), std::string::npos) << marsh;
    EXPECT_NE(marsh.find("Payments to Apply\n"
                         "Unused | Amount | Date | Method | Comments\n"
                         "$150.00 | $150.00 | 04/25/2026 | Check | On account\n"),
              std::string::npos)
        << marsh;
    EXPECT_NE(marsh.find("$0.00 | $30.00 | $0.00 | $0.00 | $30.00\n"), std::string::npos) << marsh;
    EXPECT_NE(marsh.find("Your account is 30 days past due.\n"), std::string::npos) << marsh;
    EXPECT_NE(marsh.find("Total Due: | $30.00\n"), std::string::npos) << marsh;
}

TEST_F(Accounts, PaymentsBeyondTheChargesShowACredit) {
    const std::string oakes = page(print(customerBillingWindow()), 3);
    EXPECT_NE(oakes.find("$40.00 | $40.00 | 04/20/2026 | Cash | Deposit\n"
                         "$10.00 | $10.00 | 04/28/2026 | Credit\n"),
              std::string::npos)
        << oakes;
    EXPECT_NE(oakes.find("$0.00 | $0.00 | $0.00 | $0.00 | -$25.00\n"), std::string::npos) << oakes;
    EXPECT_NE(oakes.find("Thank you for your business.\n"), std::string::npos) << oakes;
}

TEST_F(Accounts, PickListLimitsTheStatements) {
    const std::string text = print(customerBillingWindow(), [](ReportSelection&) {
        core::pick::Cust::Queue.add({"Marsh & Daughters", 1});
        core::pick::Cust::Queue.add({"Lee, Ann", 0});
    });
    EXPECT_NE(text.find("Marsh & Daughters"), std::string::npos) << text;
    EXPECT_EQ(text.find("Lee, Ann"), std::string::npos) << text;
    EXPECT_EQ(text.find("Oakes"), std::string::npos) << text;
    EXPECT_TRUE(page(text, 2).empty()) << text;
}

TEST_F(Accounts, AnEarlierEndDateLeavesOutLaterCharges) {
    const std::string text = print(customerBillingWindow(), [](ReportSelection& s) { s.setEndDate(day(2026, 1, 30)); });
    // Lee keeps the two January charges; Marsh its December balance less the 150.00.
    EXPECT_NE(text.find("$0.00 | $0.00 | $60.00 | $120.00 | $180.00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("$0.00 | $0.00 | $0.00 | $0.00 | -$50.00\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Oakes"), std::string::npos) << text;
}

TEST_F(Accounts, LongPaidHistoryAndPaymentsOfCustomersWithoutChargesAreSteppedOver) {
    // Forty paid charges after Lee's open ones, and a customer between Marsh and Oakes with
    // thirty unapplied payments and no charge: the walk seeks past both and every figure
    // stays as worked out.
    const std::int32_t today = day(2026, 4, 30);
    for (int i = 0; i < 40; ++i) addCharge(100 + i, "Lee, Ann", today - 300 + i, "Old invoice", "10.00", "0.00", 0, 1);
    data.add(testing::companyCustomer("Nash Boats"));
    for (int i = 0; i < 30; ++i) addPayment(100 + i, "Nash Boats", today - 20 - i, "Cash", "5.00", "5.00", "Advance");
    const std::string text = print(agingWindow());
    EXPECT_NE(text.find("Customer Totals: | $100.00 | $40.00 | $60.00 | $120.00 | $320.00\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Customer Totals: | $0.00 | $30.00 | $0.00 | $0.00 | $30.00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Customer Totals: | $0.00 | $0.00 | $0.00 | $0.00 | -$25.00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Grand Totals: | $100.00 | $70.00 | $60.00 | $120.00 | $325.00\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Nash"), std::string::npos) << text;
    EXPECT_EQ(text.find("Old invoice"), std::string::npos) << text;
}

TEST_F(Accounts, AChargeWhoseCustomerIsGoneStillPrintsUnderItsName) {
    // "Nye Boats" sorts between Marsh and Oakes but has no customer record.
    addCharge(50, "Nye Boats", day(2026, 3, 2), "Haul-out", "70.00", "70.00");
    const std::string text = print(customerBillingWindow());
    const std::string nye = page(text, 3);
    EXPECT_NE(nye.find("Harbour Supply Co. | Nye Boats\n12 Quay Street\n"), std::string::npos) << nye;
    EXPECT_NE(nye.find("$0.00 | $70.00 | $0.00 | $0.00 | $70.00\n"), std::string::npos) << nye;
    // The customer after it is still joined to its record.
    EXPECT_NE(page(text, 4).find("Harbour Supply Co. | Oakes Marine\n12 Quay Street | Dock 4, North Pier\n"),
              std::string::npos)
        << text;
}

TEST_F(Accounts, ALongStatementNamesTheCustomerOnFurtherPagesAndEndsWithOneCoupon) {
    // Sixty more open charges of 1.00 for Oakes: its statement runs over a page.
    for (int i = 0; i < 60; ++i) addCharge(300 + i, "Oakes Marine", day(2026, 3, 31), "Chart copy", "1.00", "1.00");
    const std::string text = print(customerBillingWindow());
    const std::string first = page(text, 3), second = page(text, 4);
    EXPECT_EQ(first.find("Statement (continued)"), std::string::npos) << first;
    EXPECT_EQ(first.find("Please return this coupon"), std::string::npos) << first;
    EXPECT_EQ(second.find("Oakes Marine | Statement (continued)\n"), 0u) << second;
    EXPECT_NE(second.find("$35.00 | $0.00 | $0.00 | $0.00 | $35.00\n"), std::string::npos) << second;  // 85.00 - 50.00
    EXPECT_NE(second.find("Customer: | Oakes Marine | Total Due: | $35.00\n"), std::string::npos) << second;
    EXPECT_TRUE(page(text, 5).empty()) << text;
    // Each statement's first page carries no continuation line.
    EXPECT_EQ(page(text, 1).find("continued"), std::string::npos);
}

TEST_F(Accounts, NoOpenChargeHasNothingToPreview) {
    const std::string text = print(customerBillingWindow(), [](ReportSelection& s) { s.setEndDate(day(2025, 1, 1)); });
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Nothing to Preview."});
}

TEST_F(Accounts, AgingGrandTotalsAreTheSumOfTheCustomers) {
    const std::string text = print(agingWindow());
    const char* marsh =
        "Customer: | Marsh & Daughters\n"
        "12/31/2025 | Old balance | $100.00\n"
        "03/16/2026 | Dock rent | $80.00\n"
        "Unapplied Payments\n"
        "04/25/2026 | Check | $150.00 | -$150.00\n"
        "Customer Totals: | $0.00 | $30.00 | $0.00 | $0.00 | $30.00\n";
    EXPECT_NE(text.find(marsh), std::string::npos) << text;
    EXPECT_NE(text.find("Customer Totals: | $100.00 | $40.00 | $60.00 | $120.00 | $320.00\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Customer Totals: | $0.00 | $0.00 | $0.00 | $0.00 | -$25.00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Grand Totals: | $100.00 | $70.00 | $60.00 | $120.00 | $325.00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Harbour Supply Co. | Run: | 04/30/2026 | 4:45 PM\nAging Summary Report | Page: | 1 of 1\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Pike"), std::string::npos) << text;
}

}  // namespace
}  // namespace quay::reports
