// Laying out one band: wrapping at word boundaries, the band growing, controls below a
// stretching text moving down, vertical rules stretching, hidden and changed controls.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "quay/reports/engine/report_run.h"
#include "quay/reports/engine/text_dump.h"
#include "text_wrapper.h"

namespace quay::reports {
namespace {

using testing::FixedPitchMeasurer;

// A page with a 1000-unit margin all round and no page header or footer, so a band
// printed first sits at y=1000, x=1000.
ReportLayout plainPage() {
    PageGeometry g;
    g.leftMargin = g.topMargin = g.rightMargin = g.bottomMargin = 1000;
    return ReportLayout("Test", g);
}

std::string runOnce(const ReportLayout& layout, int band) {
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    EXPECT_EQ(run.print(band), RunStatus::Ok);
    return dumpText(run.finish());
}

TEST(TextWrapping, BreaksAtWordBoundaries) {
    FixedPitchMeasurer m;
    // 10 characters to the line.
    auto lines = detail::wrapText("the quick brown fox jumps over", 1000, {}, m);
    EXPECT_EQ(lines, (std::vector<std::string>{"the quick", "brown fox", "jumps over"}));
}

TEST(TextWrapping, CutsAWordWiderThanTheLine) {
    FixedPitchMeasurer m;
    auto lines = detail::wrapText("ab abcdefghijklmn xy", 500, {}, m);
    EXPECT_EQ(lines, (std::vector<std::string>{"ab", "abcde", "fghij", "klmn", "xy"}));
}

TEST(TextWrapping, KeepsHardLineBreaksAndEmptyLines) {
    FixedPitchMeasurer m;
    auto lines = detail::wrapText("Line one\r\n\nLine three\n", 2000, {}, m);
    EXPECT_EQ(lines, (std::vector<std::string>{"Line one", "", "Line three"}));
    EXPECT_TRUE(detail::wrapText("", 2000, {}, m).empty());
}

TEST(TextWrapping, NeverSplitsAUtf8Character) {
    FixedPitchMeasurer m;
    auto lines = detail::wrapText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 200, {}, m);  // four e-acute
    EXPECT_EQ(lines, (std::vector<std::string>{"\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9"}));
}

TEST(BandStretch, WrappedTextGrowsTheBandAndMovesControlsBelow) {
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(10, BandKind::Detail, 500);
    b.add(wrappedText("desc", 0, 0, 1000, 200, "the quick brown fox jumps over"));
    b.add(textControl("beside", 2000, 0, 500, 200, "beside"));
    b.add(textControl("below", 0, 300, 500, 200, "below"));
    b.add(lineControl("rule", 0, 450, 6000, 0));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    ASSERT_EQ(run.print(10), RunStatus::Ok);
    ASSERT_EQ(run.print(10), RunStatus::Ok);
    // Three lines (600) instead of 200: everything from the text's bottom down moves 400,
    // and the band is 900 high, so the second copy starts at 1000 + 900.
    EXPECT_EQ(dumpText(run.finish()),
              "page 1 y=1000 x=1000 w=1000 h=200 text: the quick\n"
              "page 1 y=1200 x=1000 w=1000 h=200 text: brown fox\n"
              "page 1 y=1400 x=1000 w=1000 h=200 text: jumps over\n"
              "page 1 y=1000 x=3000 w=500 h=200 text: beside\n"
              "page 1 y=1700 x=1000 w=500 h=200 text: below\n"
              "page 1 y=1850 x=1000 w=6000 h=0 line\n"
              "page 1 y=1900 x=1000 w=1000 h=200 text: the quick\n"
              "page 1 y=2100 x=1000 w=1000 h=200 text: brown fox\n"
              "page 1 y=2300 x=1000 w=1000 h=200 text: jumps over\n"
              "page 1 y=1900 x=3000 w=500 h=200 text: beside\n"
              "page 1 y=2600 x=1000 w=500 h=200 text: below\n"
              "page 1 y=2750 x=1000 w=6000 h=0 line\n");
}

TEST(BandStretch, TwoStretchingTextsStackTheirGrowth) {
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(1, BandKind::Detail, 600);
    b.add(wrappedText("a", 0, 0, 500, 200, "aaaa bbbb"));         // 2 lines: +200
    b.add(wrappedText("b", 0, 200, 500, 200, "cccc dddd eeee"));  // 3 lines: +400, moved 200
    b.add(textControl("c", 0, 400, 500, 200, "end"));
    EXPECT_EQ(runOnce(layout, 1),
              "page 1 y=1000 x=1000 w=500 h=200 text: aaaa\n"
              "page 1 y=1200 x=1000 w=500 h=200 text: bbbb\n"
              "page 1 y=1400 x=1000 w=500 h=200 text: cccc\n"
              "page 1 y=1600 x=1000 w=500 h=200 text: dddd\n"
              "page 1 y=1800 x=1000 w=500 h=200 text: eeee\n"
              "page 1 y=2000 x=1000 w=500 h=200 text: end\n");
}

TEST(BandStretch, VerticalRulesFollowTheBandBottom) {
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(1, BandKind::Detail, 250);
    b.add(lineControl("left", 0, 0, 0, 250));
    b.add(wrappedText("desc", 100, 20, 1000, 200, "one two three four five six seven"));
    b.add(lineControl("inner", 1200, 0, 0, 200));  // stops 50 above the bottom
    b.add(lineControl("fixed", 1300, 0, 0, 250));
    b.add(lineControl("bottom", 0, 250, 1400, 0));
    b.controls[3].stretches = false;
    // Four lines: 800 instead of 200, so the band grows by 600 to 850.
    EXPECT_EQ(runOnce(layout, 1),
              "page 1 y=1000 x=1000 w=0 h=850 line\n"
              "page 1 y=1020 x=1100 w=1000 h=200 text: one two\n"
              "page 1 y=1220 x=1100 w=1000 h=200 text: three four\n"
              "page 1 y=1420 x=1100 w=1000 h=200 text: five six\n"
              "page 1 y=1620 x=1100 w=1000 h=200 text: seven\n"
              "page 1 y=1000 x=2200 w=0 h=800 line\n"
              "page 1 y=1000 x=2300 w=0 h=250 line\n"
              "page 1 y=1850 x=1000 w=1400 h=0 line\n");
}

TEST(BandStretch, AShortTextKeepsTheBandAsLaidOut) {
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(1, BandKind::Detail, 300);
    b.add(wrappedText("desc", 0, 0, 1000, 200, "short"));
    b.add(lineControl("rule", 0, 0, 0, 300));
    EXPECT_EQ(runOnce(layout, 1),
              "page 1 y=1000 x=1000 w=1000 h=200 text: short\n"
              "page 1 y=1000 x=1000 w=0 h=300 line\n");
}

TEST(BandStretch, RulesSizedFromTheTextsExtentDoNotGrowTwice) {
    // A grid band whose rules the report sets to the description's line count times its
    // line height plus 30, as the invoice lines do, while the band also stretches.
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(1, BandKind::Detail, 230);
    b.add(lineControl("rule", 0, 0, 0, 230));
    b.add(wrappedText("desc", 100, 15, 1000, 200, "one two three four five six"));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    EXPECT_EQ(run.lineCount("desc"), 3);
    EXPECT_EQ(run.lineHeight("desc"), 200);
    EXPECT_EQ(run.lineCount("nosuch"), 0);
    ASSERT_EQ(run.setHeight("rule", run.lineCount("desc") * run.lineHeight("desc") + 30), RunStatus::Ok);
    run.print(1);
    run.print(1);
    PageList pages = run.finish();
    // Three lines from y=15 end at 615; the band ends 15 below at 630, and so does the rule.
    EXPECT_EQ(pages.page(0).items[0].height, 630);
    EXPECT_EQ(pages.page(0).items[4].y, 1630);  // the second band's rule starts 630 lower
    EXPECT_EQ(pages.page(0).items[4].height, 630);
}

TEST(ControlChanges, HiddenControlsAreAbsentAndDoNotStretch) {
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(1, BandKind::Detail, 200);
    b.add(textControl("label", 0, 0, 1000, 200, "Payments:"));
    b.add(wrappedText("long", 1000, 0, 500, 200, "a b c d e f g h"));
    b.add(textControl("after", 0, 200, 1000, 200, "after"));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    ASSERT_EQ(run.setHidden("long", true), RunStatus::Ok);
    ASSERT_EQ(run.setHidden("label", true), RunStatus::Ok);
    run.print(1);
    EXPECT_EQ(dumpText(run.finish()), "page 1 y=1200 x=1000 w=1000 h=200 text: after\n");
}

TEST(ControlChanges, MovedResizedAndRetextedControlsPrintAsChanged) {
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(1, BandKind::Detail, 200);
    b.add(textControl("title", 1000, 0, 2000, 200, "Quote"));
    b.add(lineControl("rule", 0, 0, 0, 200));
    b.add(imageControl("logo", 4000, 0, 1000, 200, ""));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.print(1);
    EXPECT_EQ(run.setX("title", 63), RunStatus::Ok);
    EXPECT_EQ(run.setText("title", "Invoice"), RunStatus::Ok);
    EXPECT_EQ(run.setHeight("rule", 150), RunStatus::Ok);
    EXPECT_EQ(run.setImage("logo", "/srv/logo.png"), RunStatus::Ok);
    run.print(1);
    EXPECT_EQ(dumpText(run.finish()),
              "page 1 y=1000 x=2000 w=2000 h=200 text: Quote\n"
              "page 1 y=1000 x=1000 w=0 h=200 line\n"
              "page 1 y=1200 x=1063 w=2000 h=200 text: Invoice\n"
              "page 1 y=1200 x=1000 w=0 h=150 line\n"
              "page 1 y=1200 x=5000 w=1000 h=200 image: /srv/logo.png\n");
}

TEST(ControlChanges, BadChangesAreRefusedAndChangeNothing) {
    ReportLayout layout = plainPage();
    Band& b = layout.addBand(1, BandKind::Detail, 200);
    b.add(textControl("title", 0, 0, 2000, 200, "Quote"));
    b.add(lineControl("rule", 0, 0, 0, 200));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    EXPECT_EQ(run.setText("nosuch", "x"), RunStatus::UnknownControl);
    EXPECT_EQ(run.setText("", "x"), RunStatus::UnknownControl);
    EXPECT_EQ(run.setWidth("title", -5), RunStatus::InvalidValue);
    EXPECT_EQ(run.setHeight("rule", -1), RunStatus::InvalidValue);
    EXPECT_EQ(run.setText("rule", "x"), RunStatus::WrongKind);
    EXPECT_EQ(run.setImage("title", "a.png"), RunStatus::WrongKind);
    EXPECT_EQ(run.setCopies(0), RunStatus::InvalidValue);
    EXPECT_EQ(run.copies(), 1);
    EXPECT_EQ(run.control("title")->width, 2000);
    EXPECT_EQ(run.control("rule")->height, 200);
    EXPECT_EQ(run.control("nosuch"), nullptr);
}

TEST(LayoutRules, ProblemsNameDuplicatesAndImpossibleSizes) {
    ReportLayout layout = plainPage();
    layout.addBand(1, BandKind::PageHeader, 100).add(textControl("a", 0, 0, 10, 10, "x"));
    layout.addBand(2, BandKind::PageHeader, 100).add(textControl("a", 0, 0, -10, 10, "x"));
    layout.addBand(3, BandKind::Detail, 100).across = 3;
    EXPECT_EQ(layout.problems(), (std::vector<std::string>{
                                     "band 2: second page header", "band 2: duplicate control name a",
                                     "band 2: negative size of control a", "band 3: columns without a column width"}));
    EXPECT_TRUE(plainPage().problems().empty());
}

TEST(LayoutRules, TheRunWorksOnItsOwnCopyOfTheLayout) {
    ReportLayout layout = plainPage();
    layout.addBand(1, BandKind::Detail, 200).add(textControl("t", 0, 0, 1000, 200, "first"));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.setText("t", "changed");
    EXPECT_EQ(layout.band(1)->controls[0].text, "first");
    ReportRun second(layout, m);
    second.print(1);
    EXPECT_EQ(dumpText(second.finish()), "page 1 y=1000 x=1000 w=1000 h=200 text: first\n");
}

}  // namespace
}  // namespace quay::reports
