// A report as the next one is written: its selection (a date range, the customers pick
// list and a flag), its record set (invoices in the range, in date order) and its layout
// in the house style, run through the selection window's logic. Checked on what the user
// sees: the previewed pages as text, the messages, and the globals the report reads.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "order_data_support.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/engine/accumulator.h"
#include "quay/reports/run/house_layout.h"
#include "quay/reports/run/house_report.h"
#include "quay/reports/run/page_text.h"
#include "quay/reports/run/report_procedure.h"
#include "quay/reports/select/report_selection.h"
#include "quay/tools/pick_queues.h"
#include "quay/types/clock.h"

namespace quay::reports {
namespace {

using core::glo;
using testing::day;
using testing::money;

// --- the report: "Invoices by Date" -------------------------------------------------

SelectionSpec invoicesByDateSelection() {
    return SelectionSpec{
        .procedure = "InvoicesByDateSelect",
        .title = "Invoices by Date Selection",
        .dates = SelectionDates{.beginCalendarTitle = "Select Begin Date", .endCalendarTitle = "Select End Date"},
        .picks = {PickKind::Customers},
        .flags = {{.caption = "Include Order Discount", .global = &core::Globals::UseDiscount}},
    };
}

enum InvoiceBand { kHeading = 1, kInvoice, kTotals };

class InvoicesByDate final : public HouseReport {
public:
    explicit InvoicesByDate(core::Database& db) : HouseReport(db), m_orders(db) {}

    std::string title() const override { return "Invoices by Date"; }
    ReportLayout layout() const override {
        using namespace house;
        ReportLayout l = house::layout(title());
        Band& head = l.addBand(kHeading, BandKind::PageHeader, 700);
        head.add(textControl("company", 0, 0, 5000, kRow, "", kBold));
        head.add(textControl("", 0, 200, 5000, 320, "Invoices by Date", kTitle));
        addRunStamp(head);
        for (auto [x, caption] : {std::pair{0, "Date"}, {1000, "Invoice#"}, {2000, "Customer Name"}, {6000, "Amount"}})
            head.add(textControl("", x, 520, 1500, kRow, caption, kBold));
        Band& line = l.addBand(kInvoice, BandKind::Detail, 200);
        line.add(fieldControl("date", 0, 0, 900, kRow, "@d2", kText));
        line.add(fieldControl("invoice", 1000, 0, 900, kRow, "@n6", kText));
        line.add(textControl("customer", 2000, 0, 3900, kRow, "", kText));
        line.add(fieldControl("amount", 6000, 0, 1500, kRow, "@n$-14.2", kText, Alignment::Right));
        Band& totals = l.addBand(kTotals, BandKind::Totals, 300);
        totals.add(textControl("", 4000, 100, 1900, kRow, "Grand Total:", kBold));
        totals.add(fieldControl("total", 6000, 100, 1500, kRow, "@n$-14.2", kBold, Alignment::Right));
        return l;
    }

private:
    std::vector<core::Table*> tables() override { return {&m_orders}; }
    bool start(core::UiPort&, ReportRun& run) override {
        run.setText("company", company().COMPANYNAME.str());
        stampRun(run);
        m_picked = core::pick::Cust::Queue.entries();
        setRecords(m_orders, core::Orders::byOrdDate)
            .startAt([this] { m_orders.rec.OrdDate = glo.LowDate1; })
            .whileTrue([this] { return m_orders.rec.OrdDate <= glo.HiDate1; })
            .keepIf([this] { return m_orders.rec.Status == "I" && isPicked(m_orders.rec.CustName); });
        return true;
    }
    bool printRecord(core::UiPort&, ReportRun& run) override {
        const core::Orders& o = m_orders.rec;
        core::Decimal<15, 2> amount;
        (void)amount.assign(glo.UseDiscount ? o.SUBTOTAL - o.DISCOUNT : o.SUBTOTAL);
        m_total.add(amount);
        run.setValue("date", o.OrdDate);
        run.setValue("invoice", o.InvoiceNum);
        run.setText("customer", o.CustName.str());
        run.setValue("amount", amount);
        run.print(kInvoice);
        return true;
    }
    void finish(core::UiPort&, ReportRun& run) override {
        if (m_total.count() == 0) return;  // no invoice: "Nothing to Preview."
        run.setValue("total", m_total.sum());
        run.print(kTotals);
    }
    bool isPicked(const core::FixedString<35>& name) const {
        if (m_picked.empty()) return true;
        for (const auto& e : m_picked)
            if (e.MARKED != 0 && e.NAME == name) return true;
        return false;
    }

    core::Handle<core::Orders> m_orders;
    std::vector<core::pick::Cust::Entry> m_picked;
    Accumulator<core::Decimal<18, 2>> m_total;
};

// --- the tests ---------------------------------------------------------------------

class InvoicesByDateSelection : public ::testing::Test {
protected:
    InvoicesByDateSelection()
        : settings(std::filesystem::temp_directory_path() / "quay-select-test-absent.ini"),
          clock(core::DateTime{day(2026, 3, 16), *core::timeFromClock(14, 5)}),
          selection(ui, invoicesByDateSelection(), [this](core::UiPort& u, const RunOptions& options) {
              ReportContext ctx{
                  .ui = u, .output = output, .settings = settings, .measurer = &measurer, .logoDirectory = {}};
              return runReport(
                  data.db(), [](core::Database& db) { return std::make_unique<InvoicesByDate>(db); }, ctx, options);
          }) {
        glo.reset();
        core::pick::Cust::Queue.clear();
        data.add(testing::company());
        addInvoice(1, 11, day(2026, 2, 27), "Lee, Ann", "100.00");
        addInvoice(2, 12, day(2026, 3, 2), "Marsh & Daughters", "250.00");
        addInvoice(3, 13, day(2026, 3, 9), "Lee, Ann", "80.00");
        core::Orders quote = testing::order(4, "Q", "Lee, Ann");
        quote.OrdDate = day(2026, 3, 5);
        quote.SUBTOTAL = money("999.00");
        data.add(quote);
    }
    ~InvoicesByDateSelection() override { core::pick::Cust::Queue.clear(); }

    void addInvoice(std::int32_t ordNum, std::int32_t invoiceNum, std::int32_t date, const char* customer,
                    const char* subTotal) {
        core::Orders o = testing::order(ordNum, "I", customer);
        o.InvoiceNum = invoiceNum;
        o.OrdDate = date;
        o.SUBTOTAL = money(subTotal);
        o.DISCOUNT = money("10.00");
        data.add(o);
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
    ReportSelection selection;
};

TEST_F(InvoicesByDateSelection, PrintPreviewsTheInvoicesOfTheRangeAndTheWindowStaysOpen) {
    selection.open();
    selection.setBeginDate(day(2026, 3, 1));
    selection.setEndDate(day(2026, 3, 31));
    const std::optional<RunResult> r = selection.print();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome, RunOutcome::Previewed);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_FALSE(selection.isClosed());
    // The quote of 5 March and the invoice of February stay out.
    EXPECT_EQ(previewText(),
              "--- page 1\n"
              "Harbour Supply Co. | Run: | 03/16/2026 | 2:05 PM\n"
              "Invoices by Date | Page: | 1 of 1\n"
              "Date | Invoice# | Customer Name | Amount\n"
              "03/02/2026 | 12 | Marsh & Daughters | $250.00\n"
              "03/09/2026 | 13 | Lee, Ann | $80.00\n"
              "Grand Total: | $330.00\n");
    // A second Print runs the report again from the same window.
    ASSERT_TRUE(selection.print().has_value());
    EXPECT_EQ(output.previewed.size(), 2u);
}

TEST_F(InvoicesByDateSelection, PickedCustomersAndTheDiscountFlagShapeTheReport) {
    selection.open();
    EXPECT_FALSE(ReportSelection::isPicked(PickKind::Customers));
    core::pick::Cust::Queue.add({"Lee, Ann", 1});
    core::pick::Cust::Queue.add({"Marsh & Daughters", 0});
    EXPECT_TRUE(ReportSelection::isPicked(PickKind::Customers));  // the button's check mark
    selection.setFlag(0, true);
    EXPECT_EQ(glo.UseDiscount, 1);
    selection.setBeginDate(day(2026, 2, 1));
    selection.setEndDate(day(2026, 3, 31));
    ASSERT_TRUE(selection.print().has_value());
    const std::string text = previewText();
    EXPECT_NE(text.find("02/27/2026 | 11 | Lee, Ann | $90.00\n"), std::string::npos) << text;
    EXPECT_NE(text.find("03/09/2026 | 13 | Lee, Ann | $70.00\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("Marsh"), std::string::npos) << text;
    EXPECT_NE(text.find("Grand Total: | $160.00\n"), std::string::npos) << text;
}

TEST_F(InvoicesByDateSelection, OpeningClearsTheFlagsLeftByAnEarlierRun) {
    glo.UseDiscount = 1;
    selection.open();
    EXPECT_EQ(glo.UseDiscount, 0);
    EXPECT_FALSE(selection.flag(0));
}

TEST_F(InvoicesByDateSelection, AnEndBeforeTheBeginSaysSoAndRunsNothing) {
    selection.open();
    selection.setBeginDate(day(2026, 3, 31));
    selection.setEndDate(day(2026, 3, 1));
    EXPECT_FALSE(selection.print().has_value());
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"ERROR"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"End Date must be equal to or greater than Beginning Date"});
    EXPECT_TRUE(output.previewed.empty());
    EXPECT_EQ(selection.takeFocusRequest(), ReportSelection::Field::EndDate);
    EXPECT_EQ(glo.LowDate1, day(2026, 3, 31));  // the dates stay as typed
}

TEST_F(InvoicesByDateSelection, NoInvoiceInTheRangeSaysNothingToPreview) {
    selection.open();
    selection.setBeginDate(day(2025, 1, 1));
    selection.setEndDate(day(2025, 12, 31));
    const std::optional<RunResult> r = selection.print();
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->outcome, RunOutcome::NothingToPreview);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Nothing to Preview."});
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(InvoicesByDateSelection, TheCalendarOpensAtTodayForAnEmptyFieldUnderItsTitle) {
    std::int32_t openedAt = -1;
    ui.onWindow("DATESELECT", [&](const core::WindowRequest& request) {
        openedAt = request.number;
        return core::WindowResponse{core::Response::Completed, day(2026, 3, 2), {}};
    });
    selection.open();
    selection.calendar(ReportSelection::Field::BeginDate);
    EXPECT_EQ(openedAt, day(2026, 3, 16));
    EXPECT_EQ(glo.CalendarTitle, "Select Begin Date");
    EXPECT_EQ(glo.LowDate1, day(2026, 3, 2));
    selection.calendar(ReportSelection::Field::EndDate);
    EXPECT_EQ(glo.CalendarTitle, "Select End Date");
}

TEST_F(InvoicesByDateSelection, ATypedDateIsReadOrRefusedWithTheReason) {
    selection.open();
    EXPECT_EQ(selection.enterDate(ReportSelection::Field::BeginDate, "3/5/2026"), "");
    EXPECT_EQ(glo.LowDate1, day(2026, 3, 5));
    EXPECT_FALSE(selection.enterDate(ReportSelection::Field::BeginDate, "13/45/2026").empty());
    EXPECT_EQ(glo.LowDate1, day(2026, 3, 5));  // a refused entry keeps the date
    EXPECT_EQ(ReportSelection::dateText(glo.LowDate1), "03/05/2026");
}

TEST(SelectionDates, BothRequiredKeepsTheCursorInTheMissingOneAndRunsNothing) {
    core::ScriptedUi ui;
    int runs = 0;
    SelectionSpec spec{.procedure = "TaxSelect", .title = "Tax", .dates = SelectionDates{.requireBoth = true}};
    ReportSelection s(ui, spec, [&](core::UiPort&, const RunOptions&) {
        ++runs;
        return RunResult{};
    });
    glo.reset();
    s.open();
    s.setBeginDate(day(2026, 3, 1));
    EXPECT_FALSE(s.print().has_value());
    EXPECT_EQ(s.takeFocusRequest(), ReportSelection::Field::EndDate);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(runs, 0);
    s.setEndDate(day(2026, 3, 1));
    EXPECT_TRUE(s.print().has_value());
    EXPECT_EQ(runs, 1);
}

TEST(SelectionDates, OpeningAtThisMonthAndThePreviewQuestionReachTheRun) {
    core::ScopedClockOverride clock(core::DateTime{day(2026, 3, 16), 100});
    core::ScriptedUi ui;
    RunOptions seen;
    SelectionSpec spec{.procedure = "LabelsSelect",
                       .title = "Labels",
                       .dates = SelectionDates{.openAtMonthToDate = true},
                       .askPreview = true};
    ReportSelection s(ui, spec, [&](core::UiPort&, const RunOptions& o) {
        seen = o;
        return RunResult{};
    });
    glo.reset();
    s.open();
    EXPECT_EQ(glo.LowDate1, day(2026, 3, 1));
    EXPECT_EQ(glo.HiDate1, day(2026, 3, 16));
    ASSERT_TRUE(s.print().has_value());
    EXPECT_TRUE(seen.askPreview);
}

TEST(SelectionChoices, AChoiceStoresOnlyTheValuesItOffers) {
    core::ScriptedUi ui;
    SelectionSpec spec{.procedure = "CustListSelect", .title = "Customer List Selection"};
    spec.choices.push_back({.caption = "Cu&stomer Type",
                            .options = {{"Active", "ACTIVE"}, {"Inactive", "DEAD"}, {"All", "ALL"}},
                            .atOpen = "ACTIVE",
                            .store = [](const std::string& v) { glo.CustType = v; }});
    ReportSelection s(ui, spec, [](core::UiPort&, const RunOptions&) { return RunResult{}; });
    glo.reset();
    glo.CustType = "ALL";
    s.open();
    EXPECT_EQ(glo.CustType, "ACTIVE");
    s.setChoice(0, "DEAD");
    EXPECT_EQ(glo.CustType, "DEAD");
    s.setChoice(0, "GONE");
    EXPECT_EQ(glo.CustType, "DEAD");
    EXPECT_EQ(s.choice(0), "DEAD");
}

TEST(SelectionPickLists, OpeningAndClosingEmptyTheListsWhenTheWindowSaysSo) {
    core::ScriptedUi ui;
    SelectionSpec spec{.procedure = "PriceListSelect",
                       .title = "Price List Selection",
                       .picks = {PickKind::Products},
                       .clearPicksOnOpen = true,
                       .clearPicksOnClose = true};
    ReportSelection s(ui, spec, [](core::UiPort&, const RunOptions&) { return RunResult{}; });
    core::pick::Cust::Queue.add({"Lee, Ann", 1});
    s.open();
    EXPECT_FALSE(ReportSelection::isPicked(PickKind::Customers));  // every list, on opening
    core::pick::Prd::Queue.add({"CL-100", "Deck cleat", 1});
    core::pick::Cust::Queue.add({"Lee, Ann", 1});
    s.close();
    EXPECT_TRUE(s.isClosed());
    EXPECT_FALSE(ReportSelection::isPicked(PickKind::Products));  // its own, on closing
    EXPECT_TRUE(ReportSelection::isPicked(PickKind::Customers));
    core::pick::Cust::Queue.clear();
}

// Columns: preset, today, first day, last day.
TEST(SelectionPresets, EachPresetSetsBothDatesFromToday) {
    struct Case {
        DatePreset preset;
        std::int32_t today, begin, end;
    };
    const Case cases[] = {
        {DatePreset::MonthToDate, day(2026, 3, 14), day(2026, 3, 1), day(2026, 3, 14)},
        {DatePreset::YearToDate, day(2026, 3, 14), day(2026, 1, 1), day(2026, 3, 14)},
        {DatePreset::ThisMonth, day(2026, 2, 10), day(2026, 2, 1), day(2026, 2, 28)},
        {DatePreset::ThisYear, day(2026, 3, 14), day(2026, 1, 1), day(2026, 12, 31)},
        {DatePreset::LastMonth, day(2024, 3, 31), day(2024, 2, 1), day(2024, 2, 29)},
        {DatePreset::LastMonth, day(2026, 1, 15), day(2025, 12, 1), day(2025, 12, 31)},
        {DatePreset::LastYear, day(2026, 3, 14), day(2025, 1, 1), day(2025, 12, 31)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(presetCaption(c.preset));
        EXPECT_EQ(presetRange(c.preset, c.today), (DateRange{c.begin, c.end}));
    }
    EXPECT_EQ(presetRange(DatePreset::MonthToDate, 0), std::nullopt);
}

}  // namespace
}  // namespace quay::reports
