// Outputs of a page list: the text dump, PDF files, printing on a set-up printer, measuring
// with the installed fonts, and the recording output that report tests use.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <regex>

#include "engine_test_support.h"
#include "qt_test_app.h"
#include "quay/reports/engine/report_output.h"
#include "quay/reports/engine/report_run.h"
#include "quay/reports/engine/text_dump.h"
#include "quay/reports/output/font_measurer.h"
#include "quay/reports/output/page_painter.h"
#include "quay/reports/output/pdf_output.h"
#include "quay/reports/output/printing.h"

namespace quay::reports {
namespace {

using testing::FixedPitchMeasurer;

// Three pages: a header and one tall detail band per page.
PageList threePages() {
    ReportLayout layout("Three Pages");
    layout.addBand(1, BandKind::PageHeader, 300).add(pageNumberControl("p", 0, 0, 2000, 200, "Page: {page}"));
    Band& d = layout.addBand(2, BandKind::Detail, 6000);
    d.add(textControl("t", 0, 0, 3000, 200, "Invoice"));
    d.add(boxControl("b", 0, 300, 7500, 1000));
    d.add(lineControl("l", 0, 1500, 7500, 0));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    for (int i = 0; i < 3; ++i) run.print(2);
    return run.finish();
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Page objects of a PDF ("/Type /Page", not "/Type /Pages").
int pdfPageCount(const std::string& pdf) {
    static const std::regex page(R"(/Type\s*/Page(?![s\w]))");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST(TextDump, EveryItemKindHasItsLine) {
    PageList pages = threePages();
    std::string dump = dumpText(pages);
    EXPECT_EQ(dump.substr(0, dump.find("page 2 ")),
              "page 1 y=500 x=500 w=2000 h=200 text: Page: 1\n"
              "page 1 y=800 x=500 w=3000 h=200 text: Invoice\n"
              "page 1 y=1100 x=500 w=7500 h=1000 box\n"
              "page 1 y=2300 x=500 w=7500 h=0 line\n");
    std::vector<Page> twoPages(2);
    PlacedItem logo;
    logo.kind = ItemKind::Image;
    logo.x = 10;
    logo.y = 20;
    logo.width = 30;
    logo.height = 40;
    logo.imagePath = "logo.png";
    twoPages[1].items.push_back(logo);
    PageList withImage(std::move(twoPages));
    EXPECT_EQ(dumpText(withImage), "page 2 y=20 x=10 w=30 h=40 image: logo.png\n");
}

TEST(PdfOutput, WritesOnePdfPagePerPage) {
    QTemporaryDir dir;
    std::string path = dir.filePath("report.pdf").toStdString();
    std::string error;
    ASSERT_TRUE(writePdf(threePages(), path, &error)) << error;
    std::string pdf = readAll(path);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(pdfPageCount(pdf), 3);
    // Letter paper: 612 x 792 points.
    EXPECT_NE(pdf.find("/MediaBox [0 0 612.000000 792.000000]"), std::string::npos);
}

TEST(PdfOutput, LandscapePagesAreWrittenSideways) {
    ReportLayout layout("Wide", PageGeometry{}.landscape());
    layout.addBand(1, BandKind::Detail, 200).add(textControl("t", 0, 0, 3000, 200, "Wide"));
    FixedPitchMeasurer m;
    ReportRun run(layout, m);
    run.print(1);
    QTemporaryDir dir;
    std::string path = dir.filePath("wide.pdf").toStdString();
    ASSERT_TRUE(writePdf(run.finish(), path));
    EXPECT_NE(readAll(path).find("/MediaBox [0 0 792.000000 612.000000]"), std::string::npos);
}

TEST(PdfOutput, NothingToPrintLeavesAnExistingFileAlone) {
    QTemporaryDir dir;
    std::string path = dir.filePath("kept.pdf").toStdString();
    std::ofstream(path) << "earlier report";
    std::string error;
    EXPECT_FALSE(writePdf(PageList{}, path, &error));
    EXPECT_EQ(error, "Nothing to Print.");
    EXPECT_EQ(readAll(path), "earlier report");
}

TEST(PdfOutput, AnUnwritablePlaceIsReportedAndNothingIsWritten) {
    QTemporaryDir dir;
    std::string path = dir.filePath("missing/folder/report.pdf").toStdString();
    std::string error;
    EXPECT_FALSE(writePdf(threePages(), path, &error));
    EXPECT_EQ(error.rfind("Cannot write " + path, 0), 0u) << error;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
}

TEST(Printing, EveryPageIsPrintedOncePerCopy) {
    QTemporaryDir dir;
    QString path = dir.filePath("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ASSERT_TRUE(printPagesTo(printer, threePages(), 2));
    EXPECT_EQ(pdfPageCount(readAll(path.toStdString())), 6);
}

TEST(Printing, NoPagesOrNoCopiesPrintNothing) {
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("none.pdf"));
    EXPECT_FALSE(printPagesTo(printer, PageList{}, 1));
    EXPECT_FALSE(printPagesTo(printer, threePages(), 0));
    EXPECT_FALSE(QFile::exists(dir.filePath("none.pdf")));
    EXPECT_EQ(HANDLECOPIES(PageList{}, 1), 0);
}

TEST(Printing, WithoutAPrinterCopiesAreNotSupportedAndNothingPrints) {
    if (!defaultPrinterName().empty()) GTEST_SKIP() << "this machine has a printer";
    EXPECT_EQ(SUPPORTED(3), 0);
    EXPECT_EQ(HANDLECOPIES(threePages(), 2), 0);
    EXPECT_EQ(printDirect(threePages(), 1), 0);
}

TEST(FontMeasuring, InstalledFontsMeasureTheSameEveryTime) {
    QtTextMeasurer a;
    QtTextMeasurer b;
    FontSpec plain;
    FontSpec bold{.bold = true};
    FontSpec big{.pointSize = 20};
    double w = a.width(plain, "Balance Due:");
    EXPECT_GT(w, 0);
    EXPECT_EQ(w, b.width(plain, "Balance Due:"));
    EXPECT_GT(a.width(bold, "Balance Due:"), w);
    EXPECT_NEAR(a.width(big, "Balance Due:"), 2 * w, w * 0.05);  // widths scale with size
    // A 10-point line is a little over 10/72 inch.
    EXPECT_GE(a.lineHeight(plain), 139);
    EXPECT_LE(a.lineHeight(plain), 200);
}

TEST(FontMeasuring, ARunWithInstalledFontsWrapsLongText) {
    ReportLayout layout("Fonts");
    layout.addBand(1, BandKind::Detail, 200)
        .add(wrappedText("memo", 0, 0, 1000, 200,
                         "Deliver to the north pier before noon and ask for the harbour master"));
    QtTextMeasurer m;
    ReportRun run(layout, m);
    EXPECT_GT(run.lineCount("memo"), 3);
    run.print(1);
    PageList pages = run.finish();
    ASSERT_EQ(static_cast<int>(pages.page(0).items.size()), run.lineCount("memo"));
    for (const PlacedItem& it : pages.page(0).items) EXPECT_LE(m.width(it.font, it.text), 1000.0) << it.text;
}

// Renders page 1 at 10 pixels per 100 layout units (100 dpi).
QImage render(const PageList& pages) {
    QImage img(pages.geometry.width / 10, pages.geometry.height / 10, QImage::Format_RGB32);
    img.fill(Qt::gray);
    QPainter painter(&img);
    painter.scale(layoutToDeviceScale(100), layoutToDeviceScale(100));
    paintPage(painter, pages, 0);
    painter.end();
    return img;
}

bool isDark(QRgb c) { return qGray(c) < 128; }

TEST(PagePainting, DrawsEachItemWhereThePageListPutsIt) {
    QTemporaryDir dir;
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    QString redPath = dir.filePath("red.png");
    ASSERT_TRUE(red.save(redPath));

    PlacedItem box;
    box.kind = ItemKind::Box;
    box.x = box.y = 100;
    box.width = box.height = 800;
    box.penWidth = 20;
    PlacedItem text;
    text.text = "MMMM";
    text.x = 300;
    text.y = 400;
    text.width = 600;
    text.height = 300;
    text.font.pointSize = 14;
    PlacedItem logo;
    logo.kind = ItemKind::Image;
    logo.x = logo.y = 0;
    logo.width = logo.height = 50;
    logo.imagePath = redPath.toStdString();
    PlacedItem missing = logo;
    missing.x = 950;
    missing.imagePath = dir.filePath("none.png").toStdString();
    PageList pages(std::vector<Page>{Page{{box, text, logo, missing}}});
    pages.geometry.width = 1000;
    pages.geometry.height = 1000;

    QImage img = render(pages);
    EXPECT_EQ(img.pixel(50, 80), qRgb(255, 255, 255));  // white paper inside the box
    EXPECT_TRUE(isDark(img.pixel(10, 50)));             // the box's left side at x=100
    EXPECT_TRUE(isDark(img.pixel(50, 90)));             // its bottom at y=900
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 0, 0));        // the logo
    EXPECT_EQ(img.pixel(97, 2), qRgb(255, 255, 255));   // a missing image leaves its place empty
    int inked = 0;
    int strayed = 0;
    for (int y = 12; y < 88; ++y)
        for (int x = 12; x < 88; ++x) {
            if (!isDark(img.pixel(x, y))) continue;
            bool inTextLine = x >= 30 && y >= 40 && y < 40 + 30;
            (inTextLine ? inked : strayed)++;
        }
    EXPECT_GT(inked, 10);   // the text is drawn below its top, from its left edge
    EXPECT_EQ(strayed, 0);  // and nowhere else
}

TEST(RecordingOutput, KeepsWhatItIsGivenAndAnswersAsScripted) {
    RecordingReportOutput out;
    out.previewAnswer = 1;
    PageList pages = threePages();
    // Print pressed in the preview: the copies go through HANDLECOPIES from there.
    EXPECT_EQ(out.preview(pages, "Invoice# 5", 2), PreviewResult::Printed);
    ASSERT_EQ(out.previewed.size(), 1u);
    EXPECT_EQ(out.previewTitles[0], "Invoice# 5");
    ASSERT_EQ(out.printed.size(), 1u);
    EXPECT_EQ(out.printed[0].copies, 2);
    EXPECT_EQ(out.print(pages, 3), 1);  // the printer cannot make copies: through HANDLECOPIES
    ASSERT_EQ(out.printed.size(), 2u);
    EXPECT_TRUE(out.printed[1].throughHandleCopies);
    EXPECT_EQ(out.printed[1].copies, 3);
    out.supportedAnswer = 1;
    out.print(pages, 2);
    EXPECT_FALSE(out.printed[2].throughHandleCopies);
    EXPECT_EQ(out.print(PageList{}, 1), 0);
    EXPECT_EQ(out.printed.size(), 3u);
    out.previewAnswer = 0;
    EXPECT_EQ(out.preview(pages, "Invoice# 5", 1), PreviewResult::Closed);
    EXPECT_EQ(out.printed.size(), 3u);
}

}  // namespace
}  // namespace quay::reports
