// The page store behind long reports: pages read back exactly as they were laid out, in
// any order and beyond the pages kept decoded; "{pages}" filled in when a page is read; a
// full disk ending the run with its reason; damaged records refused; the temporary file
// leaving no name behind; a run of thousands of pages.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine_test_support.h"
#include "page_canvas.h"
#include "page_store.h"
#include "qt_test_app.h"
#include "quay/reports/engine/report_run.h"
#include "quay/reports/engine/text_dump.h"
#include "quay/reports/output/pdf_output.h"

namespace quay::reports {
namespace {

using testing::FillingPageFile;
using testing::FixedPitchMeasurer;

// A page holding every kind of item with every field set, varied by n so that no two
// pages are alike.
Page samplePage(int n) {
    Page page;
    PlacedItem heading;
    heading.text = "Price List";
    heading.x = 500;
    heading.y = 500;
    heading.width = 4000;
    heading.height = 250;
    heading.font = FontSpec{.family = "DejaVu Serif", .pointSize = 14, .bold = true, .italic = n % 2 == 1};
    heading.alignment = Alignment::Center;
    page.items.push_back(heading);
    for (int row = 0; row < 5; ++row) {
        PlacedItem text;
        text.text = "PN-" + std::to_string(n * 100 + row) + " \xC3\xA9tag\xC3\xA8re";
        text.x = 500 + row;
        text.y = 800 + row * 200;
        text.width = 1200;
        text.height = 180;
        text.alignment = Alignment::Right;
        page.items.push_back(text);
    }
    PlacedItem rule;
    rule.kind = ItemKind::Line;
    rule.x = 500;
    rule.y = 2000;
    rule.width = 7500;
    rule.penWidth = 15;
    page.items.push_back(rule);
    PlacedItem box = rule;
    box.kind = ItemKind::Box;
    box.y = -40;  // boxes cut at a page break may start above the paper
    box.height = 1000 + n;
    page.items.push_back(box);
    PlacedItem logo;
    logo.kind = ItemKind::Image;
    logo.imagePath = "/opt/billquay/logo.png";
    logo.width = logo.height = 900;
    page.items.push_back(logo);
    PlacedItem empty;  // a blank field still takes its place
    empty.y = 10500;
    page.items.push_back(empty);
    return page;
}

TEST(PageStoreReading, PagesReadBackEqualWhatWasStored) {
    detail::PageStore store(std::make_unique<FillingPageFile>());
    for (int n = 0; n < 20; ++n) ASSERT_TRUE(store.append(samplePage(n), {}));
    EXPECT_EQ(store.pageCount(), 20);
    for (int n = 0; n < 20; ++n) {
        SCOPED_TRACE(n);
        std::shared_ptr<const Page> page = store.read(n);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(*page, samplePage(n));
    }
}

TEST(PageStoreReading, APageOfMoreShapesThanItNamesReadsBackWhole) {
    detail::PageStore store(std::make_unique<FillingPageFile>());
    Page page;
    // A staircase of boxes, no two alike, then the first ones again.
    for (int n = 0; n < 100; ++n) {
        PlacedItem box;
        box.kind = ItemKind::Box;
        box.x = 500 + n * 10;
        box.y = 500 + (n % 50) * 150;
        box.width = 100 + n;
        box.height = 100;
        box.penWidth = n % 3;
        page.items.push_back(box);
    }
    for (int n = 0; n < 40; ++n) {
        PlacedItem again = page.items[static_cast<std::size_t>(n)];
        again.y += 75;
        page.items.push_back(again);
    }
    ASSERT_TRUE(store.append(page, {}));
    ASSERT_TRUE(store.append(samplePage(1), {}));
    EXPECT_EQ(*store.read(0), page);
    EXPECT_EQ(*store.read(1), samplePage(1));
}

TEST(PageStoreReading, AnyOrderBeyondThePagesKeptDecoded) {
    detail::PageStore store(std::make_unique<FillingPageFile>());
    const int count = static_cast<int>(detail::PageStore::kCachedPages) * 3;
    for (int n = 0; n < count; ++n) ASSERT_TRUE(store.append(samplePage(n), {}));
    // Backwards, then striding through the list, then the first pages again after the cache
    // has long forgotten them.
    std::vector<int> order;
    for (int n = count - 1; n >= 0; --n) order.push_back(n);
    for (int n = 0; n < count; n += 7) order.push_back((n * 31) % count);
    for (int n = 0; n < 5; ++n) order.push_back(n);
    for (int n : order) {
        SCOPED_TRACE(n);
        std::shared_ptr<const Page> page = store.read(n);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(*page, samplePage(n));
    }
}

TEST(PageStoreReading, PageCountIsFilledInWhenAPageIsRead) {
    detail::PageStore store(std::make_unique<FillingPageFile>());
    Page page;
    page.items.resize(3);
    page.items[0].text = "Page {page} of {pages}";
    page.items[1].text = "{pages} pages";  // a plain text keeps its braces
    page.items[2].text = "{page}/{pages}";
    for (int n = 0; n < 4; ++n) ASSERT_TRUE(store.append(page, {0, 2}));
    std::shared_ptr<const Page> third = store.read(2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->items[0].text, "Page 3 of 4");
    EXPECT_EQ(third->items[1].text, "{pages} pages");
    EXPECT_EQ(third->items[2].text, "3/4");
    // Pages stored later change the count of a page read again, from its file record.
    for (std::size_t n = 0; n < detail::PageStore::kCachedPages + 1; ++n) ASSERT_TRUE(store.append(page, {0, 2}));
    for (int n = 4; n < store.pageCount(); ++n) ASSERT_NE(store.read(n), nullptr);
    EXPECT_EQ(store.read(2)->items[0].text, "Page 3 of " + std::to_string(store.pageCount()));
}

TEST(PageStoreReading, RepeatedTextsAreStoredOnce) {
    detail::PageStore store(std::make_unique<FillingPageFile>());
    Page page;
    page.items.resize(20);
    for (PlacedItem& it : page.items) it.text = "Galvanised mooring shackle with captive pin, 40 mm";
    ASSERT_TRUE(store.append(page, {}));
    const std::uint64_t first = store.storedBytes();
    for (int n = 0; n < 99; ++n) ASSERT_TRUE(store.append(page, {}));
    // Each later page names the text by number: a few bytes per item, not fifty.
    EXPECT_LT((store.storedBytes() - first) / 99, 20u * 10u);
    EXPECT_EQ(store.read(99)->items[19].text, page.items[19].text);
}

TEST(PageStoreReading, TheTextTableStopsGrowingAndLaterTextsStayWhole) {
    detail::PageStore store(std::make_unique<FillingPageFile>());
    const int pages = static_cast<int>(detail::PageCodec::kMaxTexts) / 5 + 50;
    for (int n = 0; n < pages; ++n) ASSERT_TRUE(store.append(samplePage(n), {}));
    for (int n : {0, pages / 2, pages - 1}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(*store.read(n), samplePage(n));
    }
}

TEST(PageStoreFailure, AFullDiskRefusesThePageAndKeepsThoseBefore) {
    detail::PageStore store(std::make_unique<FillingPageFile>(2));
    EXPECT_TRUE(store.append(samplePage(0), {}));
    EXPECT_TRUE(store.append(samplePage(1), {}));
    EXPECT_FALSE(store.hasFailed());
    EXPECT_FALSE(store.append(samplePage(2), {}));
    EXPECT_TRUE(store.hasFailed());
    EXPECT_EQ(store.error(),
              "The report's pages could not be stored in the temporary folder: No space left on device.");
    EXPECT_FALSE(store.append(samplePage(3), {}));
    EXPECT_EQ(store.pageCount(), 2);
    EXPECT_EQ(*store.read(1), samplePage(1));
}

TEST(PageStoreFailure, ADamagedRecordIsRefusedNotRead) {
    auto file = std::make_unique<FillingPageFile>();
    FillingPageFile* raw = file.get();
    detail::PageStore store(std::move(file));
    ASSERT_TRUE(store.append(samplePage(0), {}));
    const std::uint64_t second = raw->size();
    ASSERT_TRUE(store.append(samplePage(1), {}));
    raw->damage(second + 20);
    std::string error;
    EXPECT_EQ(store.read(1, &error), nullptr);
    EXPECT_EQ(error, "Page 2 of the report could not be read back: its record is damaged.");
    EXPECT_EQ(*store.read(0), samplePage(0));
}

TEST(PageStoreFailure, AMissingTemporaryFolderIsReportedAtTheFirstPage) {
    detail::PageStore store(nullptr, "/nonexistent/billquay");
    EXPECT_FALSE(store.append(samplePage(0), {}));
    EXPECT_EQ(store.error(),
              "The report's pages could not be stored: cannot make a temporary file in /nonexistent/billquay: "
              "No such file or directory.");
}

TEST(PageStoreFile, TheTemporaryFileHasNoNameInItsFolder) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    {
        detail::PageStore store(nullptr, folder);
        for (int n = 0; n < 30; ++n) ASSERT_TRUE(store.append(samplePage(n), {}));
        EXPECT_TRUE(std::filesystem::is_empty(folder));
        EXPECT_GT(store.storedBytes(), 0u);
        EXPECT_EQ(*store.read(29), samplePage(29));
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// A report whose rows fill pages of 45 lines, with "Page n of m" in the footer.
ReportLayout rowsLayout() {
    ReportLayout layout("Rows");
    layout.addBand(1, BandKind::Detail, 200).add(textControl("row", 0, 0, 3000, 200, ""));
    layout.addBand(2, BandKind::PageFooter, 1000)
        .add(pageNumberControl("page", 0, 500, 4000, 200, "Page {page} of {pages}"));
    return layout;
}

TEST(LongRun, ThousandsOfPagesReadBackWithTheirNumbers) {
    const ReportLayout layout = rowsLayout();
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    const int rows = 45 * 3000;
    for (int i = 1; i <= rows; ++i) {
        run.setText("row", "Row " + std::to_string(i));
        ASSERT_EQ(run.print(1), RunStatus::Ok);
    }
    PageList pages = run.finish();
    ASSERT_EQ(pages.pageCount(), 3000);
    EXPECT_GT(pages.storedBytes(), 0u);
    for (int p : {0, 1499, 2999}) {
        SCOPED_TRACE(p);
        const Page page = pages.page(p);
        ASSERT_EQ(page.items.size(), 46u);
        EXPECT_EQ(page.items[0].text, "Row " + std::to_string(p * 45 + 1));
        EXPECT_EQ(page.items[0].y, 500);
        EXPECT_EQ(page.items[44].text, "Row " + std::to_string(p * 45 + 45));
        EXPECT_EQ(page.items[45].text, "Page " + std::to_string(p + 1) + " of 3000");
        EXPECT_EQ(page.items[45].y, 10000);
    }
    std::ostringstream dump;
    ASSERT_TRUE(writeTextDump(pages, dump));
    const std::string text = dump.str();
    EXPECT_EQ(static_cast<long>(std::count(text.begin(), text.end(), '\n')), 3000L * 46);
    EXPECT_NE(text.find("page 3000 y=10000 x=500 w=4000 h=200 text: Page 3000 of 3000\n"), std::string::npos);
}

TEST(LongRun, AFullDiskEndsTheRunWithItsReason) {
    const ReportLayout layout = rowsLayout();
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.setPageFile(std::make_unique<FillingPageFile>(2));
    RunStatus last = RunStatus::Ok;
    int printed = 0;
    for (int i = 1; i <= 45 * 5 && last == RunStatus::Ok; ++i) {
        run.setText("row", "Row " + std::to_string(i));
        last = run.print(1);
        printed = i;
    }
    EXPECT_EQ(last, RunStatus::PagesNotStored);
    EXPECT_EQ(printed, 45 * 3 + 1);  // the row after the third page closed
    EXPECT_EQ(run.status(), RunStatus::PagesNotStored);
    EXPECT_EQ(run.failureText(),
              "The report's pages could not be stored in the temporary folder: No space left on device.");
    EXPECT_TRUE(run.finish().isEmpty());
}

TEST(StoredOutputs, APageThatCannotBeReadBackFailsTheOutputs) {
    auto file = std::make_unique<FillingPageFile>();
    FillingPageFile* raw = file.get();
    auto store = std::make_shared<detail::PageStore>(std::move(file));
    ASSERT_TRUE(store->append(samplePage(0), {}));
    const std::uint64_t second = raw->size();
    ASSERT_TRUE(store->append(samplePage(1), {}));
    raw->damage(second + 9);
    PageList pages{std::shared_ptr<const detail::PageStore>(store)};

    std::ostringstream out;
    std::string error;
    EXPECT_FALSE(writeTextDump(pages, out, &error));
    EXPECT_EQ(error, "Page 2 of the report could not be read back: its record is damaged.");
    EXPECT_EQ(out.str().rfind("page 1 ", 0), 0u);  // the first page went out
    EXPECT_EQ(out.str().find("page 2 "), std::string::npos);

    // An earlier PDF of the same name survives the failed write.
    QTemporaryDir dir;
    const std::string path = dir.filePath("report.pdf").toStdString();
    {
        std::ofstream earlier(path);
        earlier << "earlier";
    }
    error.clear();
    EXPECT_FALSE(writePdf(pages, path, &error));
    EXPECT_EQ(error, "Cannot write " + path + ": Page 2 of the report could not be read back: its record is damaged.");
    std::ifstream kept(path);
    std::string content;
    std::getline(kept, content);
    EXPECT_EQ(content, "earlier");
}

TEST(StoredOutputs, ThePreviewPaintsTheStoredPageInViewAndSaysWhenOneIsDamaged) {
    auto file = std::make_unique<FillingPageFile>();
    FillingPageFile* raw = file.get();
    auto store = std::make_shared<detail::PageStore>(std::move(file));
    Page framed;
    PlacedItem frame;
    frame.kind = ItemKind::Box;
    frame.x = frame.y = 500;
    frame.width = 7500;
    frame.height = 10000;
    frame.penWidth = 200;
    framed.items.push_back(frame);
    ASSERT_TRUE(store->append(framed, {}));
    const std::uint64_t second = raw->size();
    ASSERT_TRUE(store->append(framed, {}));
    raw->damage(second + 9);
    PageList pages{std::shared_ptr<const detail::PageStore>(store)};

    PreviewState state(pages.pageCount());
    detail::PageCanvas canvas(pages, state, nullptr);
    canvas.setScale(0.05);  // the page's left margin falls 25 pixels into the paper
    const QPoint frameEdge(static_cast<int>(detail::kPageGap) + 25, static_cast<int>(detail::kPageGap) + 275);
    EXPECT_LT(qGray(canvas.grab().toImage().pixel(frameEdge)), 128);
    ASSERT_TRUE(state.jumpTo(2));
    EXPECT_EQ(canvas.grab().toImage().pixel(frameEdge), qRgb(255, 255, 255));  // white paper with the reason
}

}  // namespace
}  // namespace quay::reports
