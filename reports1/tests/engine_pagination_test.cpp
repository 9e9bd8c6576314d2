// Placing bands on pages: breaking to a new page with footer and header, page numbers and
// the page count, bands taller than a page, explicit page ends and refused prints.
#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "quay/reports/engine/report_run.h"
#include "quay/reports/engine/text_dump.h"

namespace quay::reports {
namespace {

using testing::FixedPitchMeasurer;

enum : int { kHeader = 1, kFooter = 2, kDetail = 3, kTall = 4 };

// A small page: 5000 x 3000 with 500 margins. The header takes 300 and the footer 200, so
// bands go from y=800 down to y=2300: three 400-unit detail bands fit on a page.
ReportLayout smallPage() {
    PageGeometry g;
    g.width = 5000;
    g.height = 3000;
    g.leftMargin = g.topMargin = g.rightMargin = g.bottomMargin = 500;
    ReportLayout layout("Small", g);
    Band& h = layout.addBand(kHeader, BandKind::PageHeader, 300);
    h.add(textControl("title", 0, 0, 2000, 200, "Heading"));
    h.add(pageNumberControl("page", 3000, 0, 1000, 200, "Page: {page} of {pages}"));
    Band& f = layout.addBand(kFooter, BandKind::PageFooter, 200);
    f.add(pageNumberControl("foot", 0, 0, 1000, 200, "- {page} -"));
    Band& d = layout.addBand(kDetail, BandKind::Detail, 400);
    d.add(textControl("line", 0, 0, 3000, 200, ""));
    return layout;
}

std::vector<std::string> textsOn(const PageList& pages, int page) {
    std::vector<std::string> out;
    for (const PlacedItem& it : pages.page(page - 1).items)
        if (it.kind == ItemKind::Text) out.push_back(it.text);
    return out;
}

TEST(PageBreaks, ABandThatDoesNotFitGoesToTheNextPageWithFooterAndHeader) {
    FixedPitchMeasurer m;
    ReportRun run(smallPage(), m);
    for (int i = 1; i <= 4; ++i) {
        run.setText("line", "Line " + std::to_string(i));
        ASSERT_EQ(run.print(kDetail), RunStatus::Ok);
    }
    EXPECT_EQ(dumpText(run.finish()),
              "page 1 y=500 x=500 w=2000 h=200 text: Heading\n"
              "page 1 y=500 x=3500 w=1000 h=200 text: Page: 1 of 2\n"
              "page 1 y=800 x=500 w=3000 h=200 text: Line 1\n"
              "page 1 y=1200 x=500 w=3000 h=200 text: Line 2\n"
              "page 1 y=1600 x=500 w=3000 h=200 text: Line 3\n"
              "page 1 y=2300 x=500 w=1000 h=200 text: - 1 -\n"
              "page 2 y=500 x=500 w=2000 h=200 text: Heading\n"
              "page 2 y=500 x=3500 w=1000 h=200 text: Page: 2 of 2\n"
              "page 2 y=800 x=500 w=3000 h=200 text: Line 4\n"
              "page 2 y=2300 x=500 w=1000 h=200 text: - 2 -\n");
}

TEST(PageBreaks, ABandThatExactlyFillsThePageStaysOnIt) {
    ReportLayout layout = smallPage();
    layout.band(kDetail)->height = 500;  // three of them make exactly the 1500 of room
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    for (int i = 0; i < 3; ++i) run.print(kDetail);
    EXPECT_EQ(run.pageCount(), 1);
    EXPECT_EQ(run.remainingHeight(), 0);
    run.print(kDetail);
    EXPECT_EQ(run.pageCount(), 2);
}

TEST(PageBreaks, AStretchedBandMovesWholeToTheNextPage) {
    ReportLayout layout = smallPage();
    Band& d = *layout.band(kDetail);
    d.controls[0].wraps = true;
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.setText("line", "one");
    run.print(kDetail);
    run.print(kDetail);
    // Three words of 20 on a line of 30 characters: three lines, 600 high, so the band is
    // 800 and only 700 are left.
    run.setText("line", std::string(20, 'a') + " " + std::string(20, 'b') + " " + std::string(20, 'c'));
    run.print(kDetail);
    PageList pages = run.finish();
    ASSERT_EQ(pages.pageCount(), 2);
    EXPECT_EQ(textsOn(pages, 1), (std::vector<std::string>{"Heading", "Page: 1 of 2", "one", "one", "- 1 -"}));
    EXPECT_EQ(textsOn(pages, 2), (std::vector<std::string>{"Heading", "Page: 2 of 2", std::string(20, 'a'),
                                                           std::string(20, 'b'), std::string(20, 'c'), "- 2 -"}));
}

TEST(PageBreaks, EndPageStartsTheNextBandOnANewPage) {
    FixedPitchMeasurer m;
    ReportRun run(smallPage(), m);
    run.print(kDetail);
    run.endPage();
    EXPECT_FALSE(run.isPageOpen());
    run.endPage();  // a second end with no page open adds nothing
    run.print(kDetail);
    PageList pages = run.finish();
    EXPECT_EQ(pages.pageCount(), 2);
    EXPECT_EQ(textsOn(pages, 2)[1], "Page: 2 of 2");
}

TEST(PageBreaks, TheFooterShowsItsControlsAsTheyAreWhenThePageCloses) {
    FixedPitchMeasurer m;
    ReportRun run(smallPage(), m);
    run.setText("foot", "carried {page}");
    run.print(kDetail);
    run.setText("foot", "total {page}");
    PageList pages = run.finish();
    EXPECT_EQ(textsOn(pages, 1).back(), "total 1");
}

TEST(TallBands, ABandTallerThanAPageIsSplitAtLineBoundaries) {
    ReportLayout layout = smallPage();
    Band& tall = layout.addBand(kTall, BandKind::Detail, 200);
    tall.add(lineControl("rule", 0, 0, 0, 200));
    tall.add(wrappedText("memo", 100, 0, 1000, 200, ""));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.print(kDetail);  // the page is used, so the tall band starts on page 2
    // Ten lines of 200 = 2000 high; a page holds 1500, that is seven lines and a half.
    std::string memo;
    for (int i = 0; i < 10; ++i) memo += "word" + std::to_string(i) + "     ";
    run.setText("memo", memo);
    ASSERT_EQ(run.print(kTall), RunStatus::Ok);
    PageList pages = run.finish();
    ASSERT_EQ(pages.pageCount(), 3);
    PageList lastTwo({pages.page(1), pages.page(2)});
    EXPECT_EQ(dumpText(lastTwo),
              "page 1 y=500 x=500 w=2000 h=200 text: Heading\n"
              "page 1 y=500 x=3500 w=1000 h=200 text: Page: 2 of 3\n"
              "page 1 y=800 x=500 w=0 h=1400 line\n"
              "page 1 y=800 x=600 w=1000 h=200 text: word0\n"
              "page 1 y=1000 x=600 w=1000 h=200 text: word1\n"
              "page 1 y=1200 x=600 w=1000 h=200 text: word2\n"
              "page 1 y=1400 x=600 w=1000 h=200 text: word3\n"
              "page 1 y=1600 x=600 w=1000 h=200 text: word4\n"
              "page 1 y=1800 x=600 w=1000 h=200 text: word5\n"
              "page 1 y=2000 x=600 w=1000 h=200 text: word6\n"
              "page 1 y=2300 x=500 w=1000 h=200 text: - 2 -\n"
              "page 2 y=500 x=500 w=2000 h=200 text: Heading\n"
              "page 2 y=500 x=3500 w=1000 h=200 text: Page: 3 of 3\n"
              "page 2 y=800 x=500 w=0 h=600 line\n"
              "page 2 y=800 x=600 w=1000 h=200 text: word7\n"
              "page 2 y=1000 x=600 w=1000 h=200 text: word8\n"
              "page 2 y=1200 x=600 w=1000 h=200 text: word9\n"
              "page 2 y=2300 x=500 w=1000 h=200 text: - 3 -\n");
}

TEST(TallBands, ALineTallerThanThePageIsCutRatherThanLoopingForever) {
    ReportLayout layout = smallPage();
    Band& big = layout.addBand(kTall, BandKind::Detail, 0);
    big.add(imageControl("picture", 0, 0, 1000, 4000, "huge.png"));
    big.add(textControl("after", 0, 4000, 1000, 200, "after"));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    ASSERT_EQ(run.print(kTall), RunStatus::Ok);
    PageList pages = run.finish();
    // The image cannot be divided: it stays on the first page; what follows goes on.
    ASSERT_GE(pages.pageCount(), 2);
    EXPECT_EQ(pages.page(0).items[2].kind, ItemKind::Image);
    EXPECT_EQ(textsOn(pages, pages.pageCount())[2], "after");
}

TEST(KeepWithNext, AHeadingThatFitsAloneMovesWithItsFirstLine) {
    ReportLayout layout = smallPage();
    Band& heading = layout.addBand(kTall, BandKind::GroupHeader, 200);
    heading.keepWithNext = true;
    heading.add(textControl("group", 0, 0, 2000, 200, ""));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.setText("line", "first");
    run.print(kDetail);
    run.print(kDetail);
    run.print(kDetail);  // 300 left: the heading fits, the heading and a line do not
    run.setText("group", "Bayside");
    run.print(kTall);
    run.setText("group", "changed after printing");  // the heading keeps its text
    run.setText("line", "second");
    run.print(kDetail);
    PageList pages = run.finish();
    ASSERT_EQ(pages.pageCount(), 2);
    EXPECT_EQ(textsOn(pages, 1),
              (std::vector<std::string>{"Heading", "Page: 1 of 2", "first", "first", "first", "- 1 -"}));
    EXPECT_EQ(textsOn(pages, 2), (std::vector<std::string>{"Heading", "Page: 2 of 2", "Bayside", "second", "- 2 -"}));
    EXPECT_EQ(pages.page(1).items[3].y, 1000);  // the line right below the heading
}

TEST(KeepWithNext, AHeadingWithNothingAfterItIsStillPrinted) {
    ReportLayout layout = smallPage();
    Band& heading = layout.addBand(kTall, BandKind::GroupHeader, 200);
    heading.keepWithNext = true;
    heading.add(textControl("group", 0, 0, 2000, 200, "Last group"));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.print(kTall);
    EXPECT_EQ(run.pageCount(), 0);  // still waiting for its line
    run.endPage();
    run.print(kTall);
    PageList pages = run.finish();
    ASSERT_EQ(pages.pageCount(), 2);
    EXPECT_EQ(textsOn(pages, 1)[2], "Last group");
    EXPECT_EQ(textsOn(pages, 2)[2], "Last group");
}

TEST(BandsAcross, LabelsFillEachRowBeforeTheNextAndBreakPages) {
    ReportLayout layout = smallPage();
    Band& label = layout.addBand(kTall, BandKind::Detail, 600);
    label.across = 3;
    label.columnWidth = 1300;
    label.add(textControl("name", 0, 0, 1200, 200, ""));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    for (int i = 1; i <= 7; ++i) {
        run.setText("name", "L" + std::to_string(i));
        ASSERT_EQ(run.print(kTall), RunStatus::Ok);
    }
    run.setText("line", "after the labels");
    run.print(kDetail);
    PageList pages = run.finish();
    // Two rows of 600 fit in the 1500 of a page; the third row and the line go on page 2.
    std::string dump = dumpText(pages);
    EXPECT_NE(dump.find("page 1 y=800 x=500 w=1200 h=200 text: L1\n"
                        "page 1 y=800 x=1800 w=1200 h=200 text: L2\n"
                        "page 1 y=800 x=3100 w=1200 h=200 text: L3\n"
                        "page 1 y=1400 x=500 w=1200 h=200 text: L4\n"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("page 2 y=800 x=500 w=1200 h=200 text: L7\n"
                        "page 2 y=1400 x=500 w=3000 h=200 text: after the labels\n"),
              std::string::npos)
        << dump;
}

TEST(BandsAcross, AnotherBandBetweenLabelsStartsANewRow) {
    ReportLayout layout = smallPage();
    Band& label = layout.addBand(kTall, BandKind::Detail, 400);
    label.across = 2;
    label.columnWidth = 2000;
    label.add(textControl("name", 0, 0, 1000, 200, "label"));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.print(kTall);
    run.print(kDetail);
    run.print(kTall);
    PageList pages = run.finish();
    std::vector<Units> xs;
    for (const PlacedItem& it : pages.page(0).items)
        if (it.text == "label") xs.push_back(it.x);
    EXPECT_EQ(xs, (std::vector<Units>{500, 500}));
}

TEST(RunLifecycle, NothingPrintedGivesNoPages) {
    FixedPitchMeasurer m;
    ReportRun run(smallPage(), m);
    run.endPage();
    PageList pages = run.finish();
    EXPECT_TRUE(pages.isEmpty());
    EXPECT_EQ(dumpText(pages), "");
}

TEST(RunLifecycle, RefusedPrintsLeaveThePagesAlone) {
    FixedPitchMeasurer m;
    ReportRun run(smallPage(), m);
    EXPECT_EQ(run.print(99), RunStatus::UnknownBand);
    EXPECT_EQ(run.print(kHeader), RunStatus::AutomaticBand);
    EXPECT_EQ(run.print(kFooter), RunStatus::AutomaticBand);
    EXPECT_EQ(run.pageCount(), 0);
    run.print(kDetail);
    PageList pages = run.finish();
    EXPECT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(run.print(kDetail), RunStatus::Finished);
    EXPECT_TRUE(run.finish().isEmpty());
}

TEST(RunLifecycle, ThePageListCarriesTitlePaperCopiesAndPrinter) {
    FixedPitchMeasurer m;
    ReportRun run(smallPage(), m);
    run.print(kDetail);
    ASSERT_EQ(run.setCopies(3), RunStatus::Ok);
    run.setPrinterName("Office");
    PageList pages = run.finish();
    EXPECT_EQ(pages.title, "Small");
    EXPECT_EQ(pages.geometry.width, 5000);
    EXPECT_EQ(pages.copies, 3);
    EXPECT_EQ(pages.printerName, "Office");
}

TEST(RunLifecycle, RemainingHeightCountsDownAsBandsArePlaced) {
    FixedPitchMeasurer m;
    ReportRun run(smallPage(), m);
    EXPECT_EQ(run.remainingHeight(), 1500);
    run.print(kDetail);
    EXPECT_EQ(run.remainingHeight(), 1100);
}

TEST(Landscape, TurnedPaperSwapsWidthAndHeight) {
    PageGeometry g = PageGeometry{}.landscape();
    EXPECT_EQ(g.width, 11000);
    EXPECT_EQ(g.height, 8500);
    EXPECT_TRUE(g.isLandscape());
    EXPECT_EQ(g.landscape(), g);
}

}  // namespace
}  // namespace quay::reports
