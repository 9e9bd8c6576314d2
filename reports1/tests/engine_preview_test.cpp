// The preview: paging, jumping, pages across and down and zoom in the preview state, and
// the window showing that state and answering print.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <thread>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>

#include "engine_test_support.h"
#include "preview_window.h"
#include "qt_test_app.h"
#include "quay/reports/engine/preview_state.h"
#include "quay/reports/output/print_preview.h"

namespace quay::reports {
namespace {

TEST(PreviewPaging, NextAndPreviousStopAtTheEnds) {
    PreviewState s(3);
    EXPECT_EQ(s.currentPage(), 1);
    EXPECT_FALSE(s.previous());
    EXPECT_TRUE(s.next());
    EXPECT_TRUE(s.next());
    EXPECT_EQ(s.currentPage(), 3);
    EXPECT_FALSE(s.canGoNext());
    EXPECT_FALSE(s.next());
    EXPECT_EQ(s.currentPage(), 3);
    EXPECT_TRUE(s.previous());
    EXPECT_EQ(s.currentPage(), 2);
}

TEST(PreviewPaging, JumpAcceptsOnlyPagesOfTheReport) {
    PreviewState s(5);
    EXPECT_TRUE(s.jumpTo(4));
    EXPECT_EQ(s.currentPage(), 4);
    EXPECT_FALSE(s.jumpTo(0));
    EXPECT_FALSE(s.jumpTo(6));
    EXPECT_EQ(s.currentPage(), 4);
    EXPECT_EQ(s.visiblePages(), std::vector<int>{4});
}

TEST(PreviewPaging, AnEmptyReportShowsNoPage) {
    PreviewState s(0);
    EXPECT_EQ(s.currentPage(), 0);
    EXPECT_TRUE(s.visiblePages().empty());
    EXPECT_FALSE(s.next());
    EXPECT_FALSE(s.jumpTo(1));
}

TEST(PreviewTiles, PagesAcrossAndDownPageByScreenfuls) {
    PreviewState s(7);
    ASSERT_TRUE(s.setTiles(2, 2));
    EXPECT_EQ(s.visiblePages(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(s.next());
    EXPECT_EQ(s.visiblePages(), (std::vector<int>{5, 6, 7}));
    EXPECT_FALSE(s.next());
    EXPECT_TRUE(s.previous());
    EXPECT_EQ(s.currentPage(), 1);
    s.jumpTo(2);
    EXPECT_TRUE(s.previous());  // from page 2 a screenful back is page 1, not before it
    EXPECT_EQ(s.currentPage(), 1);
    EXPECT_FALSE(s.setTiles(0, 1));
    EXPECT_FALSE(s.setTiles(1, PreviewState::kMaxTiles + 1));
    EXPECT_EQ(s.across(), 2);
    EXPECT_EQ(s.down(), 2);
}

TEST(PreviewZoom, FitModesAndPercentagesGiveTheirScale) {
    PreviewState s(2);
    // Column: what the test sets; a viewport of 1000 x 800 pixels, letter pages, no gap.
    EXPECT_DOUBLE_EQ(s.scale(1000, 800, 8500, 11000, 0, 96), 800.0 / 11000);  // fit page: the height limits
    s.setFitWidth();
    EXPECT_DOUBLE_EQ(s.scale(1000, 800, 8500, 11000, 0, 96), 1000.0 / 8500);
    ASSERT_TRUE(s.setPercent(100));
    EXPECT_DOUBLE_EQ(s.scale(1000, 800, 8500, 11000, 0, 96), 0.096);  // true size on a 96 dpi screen
    EXPECT_FALSE(s.setPercent(5));
    EXPECT_FALSE(s.setPercent(401));
    EXPECT_EQ(s.percent(), 100);
    s.setFitPage();
    s.setTiles(2, 1);
    EXPECT_DOUBLE_EQ(s.scale(1000, 800, 8500, 11000, 10, 96), std::min(480.0 / 8500, 780.0 / 11000));
}

PageList pagesOf(int count) {
    PageList pages(std::vector<Page>(static_cast<std::size_t>(count)));
    pages.title = "Sales";
    return pages;
}

TEST(PreviewWindowView, ShowsTheStateAndFollowsItsCommands) {
    PageList pages = pagesOf(5);
    detail::PreviewWindow w(pages, "Sales by Date");
    EXPECT_EQ(w.windowTitle(), "Report Preview");
    EXPECT_EQ(w.pageBox()->value(), 1);
    EXPECT_EQ(w.pageBox()->maximum(), 5);
    EXPECT_EQ(w.statusLabel()->text(), " Sales by Date    Page 1 of 5");
    w.goNext();
    EXPECT_EQ(w.pageBox()->value(), 2);
    w.pageBox()->setValue(5);  // typing a page number jumps there
    EXPECT_EQ(w.state().currentPage(), 5);
    w.goNext();
    EXPECT_EQ(w.state().currentPage(), 5);
    w.goToPage(1);
    w.chooseTiles(3);  // 2 x 2
    EXPECT_EQ(w.statusLabel()->text(), " Sales by Date    Page 1-4 of 5");
    w.chooseZoom(4);  // 100%
    EXPECT_EQ(w.state().zoomMode(), ZoomMode::Percent);
    EXPECT_EQ(w.state().percent(), 100);
    EXPECT_EQ(w.zoomBox()->currentText(), "100%");
    EXPECT_EQ(w.tilesBox()->currentText(), "2 x 2");
    EXPECT_FALSE(w.printRequested());
    w.requestPrint();
    EXPECT_TRUE(w.printRequested());
}

TEST(PreviewWindowView, AWorkerThreadsPreviewOpensOnTheGuiThread) {
    PageList pages = pagesOf(2);
    std::atomic<int> result{-1};
    std::atomic<bool> shownOnGuiThread{false};
    // Once the window shows, press Print in it.
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* preview = dynamic_cast<detail::PreviewWindow*>(w); preview && preview->isVisible()) {
                shownOnGuiThread = preview->thread() == QApplication::instance()->thread();
                preview->requestPrint();
            }
    });
    presser.start(20);
    std::thread worker([&] { result = PRINTPREVIEW(pages, "From a worker"); });
    QElapsedTimer clock;
    clock.start();
    while (result == -1 && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker.join();
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(shownOnGuiThread);
}

TEST(PreviewWindowView, AnEmptyReportOpensNoWindow) {
    EXPECT_EQ(PRINTPREVIEW(PageList{}, "Nothing"), 0);
    EXPECT_EQ(previewAndPrint(PageList{}, "Nothing", 1), PreviewResult::Closed);
}

// The message a problem opened over the preview, or "" when none is open.
QString problemShown(QWidget& window) {
    for (QMessageBox* box : window.findChildren<QMessageBox*>())
        if (box->isVisible()) return box->text();
    return {};
}

TEST(PreviewWindowView, OpensWithinTheScreenSoTheFootOfThePageCanBeReached) {
    PageList pages = pagesOf(1);
    detail::PreviewWindow w(pages, "Invoice# 12");
    w.show();
    QApplication::processEvents();
    const QRect free = w.screen()->availableGeometry();
    EXPECT_TRUE(free.contains(w.geometry())) << "screen " << free.width() << "x" << free.height() << ", window "
                                             << w.geometry().width() << "x" << w.geometry().height();
}

TEST(PreviewWindowView, AFailedPrintKeepsThePreviewOpenWithTheReason) {
    PageList pages = pagesOf(2);
    std::string answer = "The printer did not accept the pages.";
    int tries = 0;
    detail::PreviewWindow w(pages, "Invoice# 12", nullptr, [&] {
        ++tries;
        return answer;
    });
    w.show();
    w.requestPrint();
    EXPECT_EQ(tries, 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.printFailed());
    EXPECT_FALSE(w.printed());
    EXPECT_TRUE(w.statusLabel()->text().contains("The printer did not accept the pages."))
        << w.statusLabel()->text().toStdString();
    EXPECT_TRUE(problemShown(w).contains("The report could not be printed.")) << problemShown(w).toStdString();
    // Trying again once the printer is back: the pages go and the preview closes.
    answer.clear();
    w.requestPrint();
    EXPECT_EQ(tries, 2);
    EXPECT_TRUE(w.printed());
    EXPECT_FALSE(w.printFailed());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(PreviewWindowView, SaveAsPdfWritesTheWholeDocumentAndKeepsThePreviewOpen) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PageList pages = pagesOf(3);
    detail::PreviewWindow w(pages, "Invoice# 12");
    w.show();
    ASSERT_TRUE(w.saveAsPdf(dir.filePath("invoice-12")));  // the suffix is added
    QFile pdf(dir.filePath("invoice-12.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 3) << "three pages";
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.statusLabel()->text().contains("Saved as")) << w.statusLabel()->text().toStdString();
    EXPECT_TRUE(problemShown(w).isEmpty());
}

TEST(PreviewWindowView, APdfThatCannotBeWrittenSaysWhyAndTheWindowStays) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PageList pages = pagesOf(1);
    detail::PreviewWindow w(pages, "Invoice# 12");
    w.show();
    EXPECT_FALSE(w.saveAsPdf(dir.filePath("no-such-folder/invoice.pdf")));
    EXPECT_TRUE(problemShown(w).contains("The PDF file was not written.")) << problemShown(w).toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(dir.filePath("no-such-folder/invoice.pdf")));
}

}  // namespace
}  // namespace quay::reports
