// Field controls shown through their pictures, and a grouped report with per-group and
// grand totals built from the accumulator and group-break helpers.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "quay/reports/engine/accumulator.h"
#include "quay/reports/engine/group_break.h"
#include "quay/reports/engine/report_run.h"
#include "quay/reports/engine/text_dump.h"
#include "quay/types/date.h"
#include "quay/types/decimal.h"

namespace quay::reports {
namespace {

using testing::FixedPitchMeasurer;
using Money = core::Decimal<11, 2>;
using Total = core::Decimal<15, 2>;

ReportLayout fieldPage() {
    PageGeometry g;
    g.leftMargin = g.topMargin = g.rightMargin = g.bottomMargin = 1000;
    ReportLayout layout("Fields", g);
    Band& b = layout.addBand(1, BandKind::Detail, 200);
    b.add(fieldControl("amount", 0, 0, 1500, 200, "@n$-13.2", {}, Alignment::Right));
    return layout;
}

std::string shown(ReportRun& run) { return run.control("amount")->text; }

TEST(FieldPictures, NumbersDatesAndStringsAreFormattedThroughThePicture) {
    FixedPitchMeasurer m;
    ReportRun run(fieldPage(), m);
    // Column: picture, the value set, the text shown (without the picture's padding).
    ASSERT_EQ(run.setValue("amount", Money::fromScaled(123450)), RunStatus::Ok);
    EXPECT_EQ(shown(run), "$1,234.50");
    run.setValue("amount", Money::fromScaled(-1200));
    EXPECT_EQ(shown(run), "-$12.00");
    ASSERT_EQ(run.setPicture("amount", "@n-14.2"), RunStatus::Ok);
    run.setValue("amount", core::Decimal<9, 2>(3));
    EXPECT_EQ(shown(run), "3.00");
    ASSERT_EQ(run.setPicture("amount", "@n9.2~%~"), RunStatus::Ok);
    run.setScaledValue("amount", 1250, 2);
    EXPECT_EQ(shown(run), "12.50%");
    ASSERT_EQ(run.setPicture("amount", "@d2"), RunStatus::Ok);
    run.setValue("amount", std::int64_t{*core::dateFromCivil(2026, 12, 8)});
    EXPECT_EQ(shown(run), "12/08/2026");
    run.setValue("amount", 0);
    EXPECT_EQ(shown(run), "");  // no date shows nothing
    ASSERT_EQ(run.setPicture("amount", "@s5"), RunStatus::Ok);
    run.setValue("amount", "Harbour Supply");
    EXPECT_EQ(shown(run), "Harbo");
}

TEST(FieldPictures, AFieldWithoutPictureShowsThePlainValue) {
    FixedPitchMeasurer m;
    ReportRun run(fieldPage(), m);
    ASSERT_EQ(run.setPicture("amount", ""), RunStatus::Ok);
    run.setScaledValue("amount", -5, 2);
    EXPECT_EQ(shown(run), "-0.05");
    run.setValue("amount", "as given");
    EXPECT_EQ(shown(run), "as given");
}

TEST(FieldPictures, ABadPictureIsRefusedAndTheFieldKeepsItsOwn) {
    FixedPitchMeasurer m;
    ReportRun run(fieldPage(), m);
    EXPECT_EQ(run.setPicture("amount", "@q7"), RunStatus::InvalidValue);
    EXPECT_EQ(run.control("amount")->picture, "@n$-13.2");
    EXPECT_EQ(run.setScaledValue("amount", 1, -1), RunStatus::InvalidValue);
    ReportLayout layout = fieldPage();
    layout.band(1)->add(textControl("label", 0, 0, 100, 100, "x"));
    ReportRun other(layout, m);
    EXPECT_EQ(other.setValue("label", 5), RunStatus::WrongKind);
    EXPECT_EQ(other.setPicture("label", "@n9.2"), RunStatus::WrongKind);
    EXPECT_EQ(other.control("label")->text, "x");
}

TEST(FieldPictures, TheFormattedValueIsPlacedByTheControlsAlignment) {
    FixedPitchMeasurer m;
    ReportRun run(fieldPage(), m);
    run.setValue("amount", Money::fromScaled(500));
    run.print(1);
    PageList pages = run.finish();
    ASSERT_EQ(pages.page(0).items.size(), 1u);
    EXPECT_EQ(pages.page(0).items[0].text, "$5.00");
    EXPECT_EQ(pages.page(0).items[0].alignment, Alignment::Right);
    EXPECT_EQ(pages.page(0).items[0].width, 1500);
}

TEST(Totals, AccumulatorSumsExactlyAndRefusesAnOverflowingSum) {
    Accumulator<core::Decimal<5, 2>> total;
    EXPECT_TRUE(total.add(Money::fromScaled(10)));  // 0.10
    EXPECT_TRUE(total.add(Money::fromScaled(20)));  // 0.20
    EXPECT_EQ(total.sum().scaled(), 30);            // exactly 0.30
    EXPECT_TRUE(total.add(Money::fromScaled(99900)));
    EXPECT_FALSE(total.add(Money::fromScaled(100)));  // 999.30 + 1.00 does not fit 5 digits
    EXPECT_EQ(total.sum().scaled(), 99930);
    EXPECT_EQ(total.count(), 3);
    total.reset();
    EXPECT_EQ(total.sum().scaled(), 0);
    EXPECT_EQ(total.count(), 0);
    Accumulator<long> lines;
    lines.add(2);
    lines.add(3);
    EXPECT_EQ(lines.sum(), 5);
}

TEST(Totals, GroupBreakReportsEachChangeOfTheGroupingValue) {
    GroupBreak<std::string> g;
    EXPECT_FALSE(g.isOpen());
    EXPECT_TRUE(g.changed("Acme"));
    EXPECT_FALSE(g.hadPrevious());
    EXPECT_FALSE(g.changed("Acme"));
    EXPECT_TRUE(g.changed("Bayside"));
    EXPECT_TRUE(g.hadPrevious());
    EXPECT_EQ(*g.current(), "Bayside");
    g.reset();
    EXPECT_TRUE(g.changed("Bayside"));
    EXPECT_FALSE(g.hadPrevious());
}

TEST(Totals, AGroupedReportPrintsHeadersFootersAndTotals) {
    enum : int { kCustomer = 1, kCharge = 2, kCustomerTotal = 3, kGrandTotal = 4 };
    PageGeometry g;
    g.leftMargin = g.topMargin = g.rightMargin = g.bottomMargin = 1000;
    ReportLayout layout("Charges", g);
    layout.addBand(kCustomer, BandKind::GroupHeader, 200).add(textControl("name", 0, 0, 3000, 200, ""));
    layout.addBand(kCharge, BandKind::Detail, 200)
        .add(fieldControl("amount", 3000, 0, 1500, 200, "@n$-13.2", {}, Alignment::Right));
    layout.addBand(kCustomerTotal, BandKind::GroupFooter, 200)
        .add(fieldControl("custTotal", 3000, 0, 1500, 200, "@n$-13.2", {}, Alignment::Right));
    layout.addBand(kGrandTotal, BandKind::Totals, 200)
        .add(fieldControl("grand", 3000, 0, 1500, 200, "@n$-15.2", {}, Alignment::Right));

    struct Charge {
        const char* customer;
        std::int64_t cents;
    };
    const Charge charges[] = {{"Acme", 1000}, {"Acme", 250}, {"Bayside", 99}, {"Cove", 100000}, {"Cove", 1}};
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    GroupBreak<std::string> byCustomer;
    Accumulator<Total> customerTotal;
    Accumulator<Total> grandTotal;
    auto closeCustomer = [&] {
        run.setValue("custTotal", customerTotal.sum());
        run.print(kCustomerTotal);
        customerTotal.reset();
    };
    for (const Charge& c : charges) {
        if (byCustomer.changed(c.customer)) {
            if (byCustomer.hadPrevious()) closeCustomer();
            run.setText("name", c.customer);
            run.print(kCustomer);
        }
        Money amount = Money::fromScaled(c.cents);
        ASSERT_TRUE(customerTotal.add(amount));
        ASSERT_TRUE(grandTotal.add(amount));
        run.setValue("amount", amount);
        run.print(kCharge);
    }
    if (byCustomer.isOpen()) closeCustomer();
    run.setValue("grand", grandTotal.sum());
    run.print(kGrandTotal);

    std::string dump = dumpText(run.finish());
    EXPECT_EQ(dump,
              "page 1 y=1000 x=1000 w=3000 h=200 text: Acme\n"
              "page 1 y=1200 x=4000 w=1500 h=200 text: $10.00\n"
              "page 1 y=1400 x=4000 w=1500 h=200 text: $2.50\n"
              "page 1 y=1600 x=4000 w=1500 h=200 text: $12.50\n"
              "page 1 y=1800 x=1000 w=3000 h=200 text: Bayside\n"
              "page 1 y=2000 x=4000 w=1500 h=200 text: $0.99\n"
              "page 1 y=2200 x=4000 w=1500 h=200 text: $0.99\n"
              "page 1 y=2400 x=1000 w=3000 h=200 text: Cove\n"
              "page 1 y=2600 x=4000 w=1500 h=200 text: $1,000.00\n"
              "page 1 y=2800 x=4000 w=1500 h=200 text: $0.01\n"
              "page 1 y=3000 x=4000 w=1500 h=200 text: $1,000.01\n"
              "page 1 y=3200 x=4000 w=1500 h=200 text: $1,013.50\n");
}

}  // namespace
}  // namespace quay::reports
