// The report run as the user meets it: the missing-printer warning and its No, the
// company check, the cancel questions and their three answers, "Nothing to Preview.",
// the preview and the copies it prints, direct printing, and the progress shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/run/page_text.h"
#include "quay/reports/run/report_runner.h"

namespace quay::reports {
namespace {

using core::Button;
using testing::FixedPitchMeasurer;

enum { kRowBand = 1, kEndBand = 2 };

// A report of `records` rows; each row prints one band unless the job holds back its
// pages, and the end prints a closing line.
class RowsJob final : public ReportJob {
public:
    int records = 4;
    bool hasCompany = true;
    bool printsRows = true;
    bool beginOk = true;
    int copies = 1;
    int failAt = 0;        // 1-based record whose read fails; 0 none
    int pagesStored = -1;  // pages the disk takes before it is full; -1 no limit

    bool opened = false;
    bool closed = false;
    bool finished = false;
    int read = 0;

    std::string title() const override { return "Rows"; }
    ReportLayout layout() const override {
        ReportLayout l("Rows");
        l.addBand(kRowBand, BandKind::Detail, 200).add(textControl("row", 0, 0, 3000, 200, ""));
        l.addBand(kEndBand, BandKind::Totals, 200).add(textControl("", 0, 0, 3000, 200, "End of rows"));
        return l;
    }
    bool open(core::UiPort&) override { return opened = true; }
    bool loadCompany() override { return hasCompany; }
    bool begin(core::UiPort&, ReportRun& run) override {
        run.setCopies(copies);
        if (pagesStored >= 0) run.setPageFile(std::make_unique<testing::FillingPageFile>(pagesStored));
        return beginOk;
    }
    std::int64_t recordCount() override { return records; }
    JobStep next(core::UiPort&, ReportRun& run) override {
        if (read == records) return JobStep::End;
        ++read;
        if (read == failAt) return JobStep::Failed;
        if (printsRows) {
            run.setText("row", "Row " + std::to_string(read));
            run.print(kRowBand);
        }
        return JobStep::Record;
    }
    void finish(core::UiPort&, ReportRun& run) override {
        finished = true;
        run.print(kEndBand);
    }
    void close() override { closed = true; }
};

// Presses Cancel once, after record `at`, and keeps every percentage shown.
class ScriptedProgress final : public ProgressSink {
public:
    int cancelAt = 0;
    std::vector<int> shown;
    std::string title;
    bool ended = false;

    void begin(const std::string& t, const std::string&) override { title = t; }
    void progress(int percent) override { shown.push_back(percent); }
    bool cancelRequested() override { return cancelAt != 0 && static_cast<int>(shown.size()) == cancelAt; }
    void end() override { ended = true; }
};

// A printer that refuses every page; its preview is left after the failed print.
class FailingPrinter final : public ReportOutput {
public:
    PreviewResult preview(const PageList&, const std::string&, int) override { return PreviewResult::PrintFailed; }
    int handleCopies(const PageList&, int) override { return 0; }
    int supported(int) override { return 0; }
    int print(const PageList&, int) override { return 0; }
    std::string defaultPrinter() override { return "Office"; }
};

class ReportRunFixture : public ::testing::Test {
protected:
    ReportRunFixture() : settings(std::filesystem::temp_directory_path() / "quay-run-test-absent.ini") {}

    RunResult run(const RunOptions& options = {}) {
        ReportRunner runner(ui, output, settings, measurer, &progress);
        return runner.run(job, options);
    }

    core::ScriptedUi ui;
    RecordingReportOutput output;
    core::Settings settings;
    ScriptedProgress progress;
    FixedPitchMeasurer measurer;
    RowsJob job;
};

TEST_F(ReportRunFixture, PreviewShowsEveryRowAndTheEnd) {
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    EXPECT_EQ(r.response, core::Response::Cancelled);
    ASSERT_EQ(output.previewed.size(), 1u);
    EXPECT_EQ(output.previewTitles[0], "Rows");
    EXPECT_EQ(readingText(output.previewed[0]), "--- page 1\nRow 1\nRow 2\nRow 3\nRow 4\nEnd of rows\n");
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(output.printed.empty());
    EXPECT_TRUE(job.closed);
    EXPECT_EQ(progress.title, "Generating Report");
    EXPECT_EQ(progress.shown, (std::vector<int>{25, 50, 75, 100, 100}));
    EXPECT_TRUE(progress.ended);
}

TEST_F(ReportRunFixture, PrintFromThePreviewSendsTheReportsCopies) {
    output.previewAnswer = 1;
    job.copies = 3;
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Printed);
    EXPECT_EQ(r.response, core::Response::Completed);
    ASSERT_EQ(output.printed.size(), 1u);
    EXPECT_EQ(output.printed[0].copies, 3);
    EXPECT_TRUE(output.printed[0].throughHandleCopies);
    EXPECT_EQ(output.printed[0].pages.printerName, "Test Printer");
}

TEST_F(ReportRunFixture, NoPrinterWarningAnsweredNoEndsBeforeAnyTableOpens) {
    output.printerAnswer.clear();
    ui.answer(Button::No);
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Declined);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "NOTE...");
    EXPECT_EQ(ui.messages()[0].text, "Warning:  No DEFAULT Printer Driver Found!||Continue with report anyway?");
    EXPECT_EQ(ui.messages()[0].buttons, Button::Yes | Button::No);
    EXPECT_FALSE(job.opened);
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(ReportRunFixture, NoPrinterWarningAnsweredYesStillPreviews) {
    output.printerAnswer.clear();
    ui.answer(Button::Yes);
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    ASSERT_EQ(output.previewed.size(), 1u);
    EXPECT_EQ(output.previewed[0].printerName, "");
}

TEST_F(ReportRunFixture, MissingCompanyRecordSaysSoAndEnds) {
    job.hasCompany = false;
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Failed);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Error"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Please set company defaults first"});
    EXPECT_EQ(job.read, 0);
    EXPECT_TRUE(job.closed);
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(ReportRunFixture, ReportsOwnStartCheckEndsWithoutPreview) {
    job.beginOk = false;
    EXPECT_EQ(run().outcome, RunOutcome::Failed);
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_TRUE(output.previewed.empty());
    EXPECT_TRUE(job.closed);
}

TEST_F(ReportRunFixture, FailedReadEndsWithoutPreviewingAPartialReport) {
    job.failAt = 3;
    EXPECT_EQ(run().outcome, RunOutcome::Failed);
    EXPECT_TRUE(output.previewed.empty());
    EXPECT_FALSE(job.finished);
}

TEST_F(ReportRunFixture, AFullDiskEndsTheWalkAndPreviewsNothing) {
    job.records = 200;  // 50 rows a page
    job.pagesStored = 1;
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Failed);
    EXPECT_EQ(r.response, core::Response::Cancelled);
    EXPECT_TRUE(r.pages.isEmpty());
    EXPECT_EQ(job.read, 101);  // the row that closed the second page; the walk read no further
    EXPECT_TRUE(output.previewed.empty());
    EXPECT_TRUE(output.printed.empty());
    EXPECT_TRUE(job.closed);
    EXPECT_FALSE(job.finished);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Report Error"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{
                              "The report could not be finished.||The report's pages could not be stored in the "
                              "temporary folder: No space left on device."});
}

TEST_F(ReportRunFixture, AFullDiskAtTheLastPageIsReportedToo) {
    job.records = 10;
    job.pagesStored = 0;
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Failed);
    EXPECT_TRUE(job.finished);
    EXPECT_TRUE(output.previewed.empty());
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Report Error"});
}

TEST_F(ReportRunFixture, NoPagesSaysNothingToPreview) {
    struct Silent final : ReportJob {
        std::string title() const override { return "Empty"; }
        ReportLayout layout() const override { return ReportLayout("Empty"); }
        bool open(core::UiPort&) override { return true; }
        bool loadCompany() override { return true; }
        bool begin(core::UiPort&, ReportRun&) override { return true; }
        std::int64_t recordCount() override { return 0; }
        JobStep next(core::UiPort&, ReportRun&) override { return JobStep::End; }
        void finish(core::UiPort&, ReportRun&) override {}
        void close() override {}
    } silent;
    ReportRunner runner(ui, output, settings, measurer, &progress);
    const RunResult r = runner.run(silent);
    EXPECT_EQ(r.outcome, RunOutcome::NothingToPreview);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"NOTE..."});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Nothing to Preview."});
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(ReportRunFixture, CancelAnsweredNoGoesOnToTheWholeReport) {
    progress.cancelAt = 2;
    ui.answer(Button::No);
    const RunResult r = run();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Are you sure you want to CANCEL this Report?"});
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    EXPECT_EQ(r.recordsRead, 4);
    EXPECT_TRUE(job.finished);
}

TEST_F(ReportRunFixture, CancelWithPagesAnsweredYesPreviewsWhatWasGenerated) {
    progress.cancelAt = 2;
    ui.answers({Button::Yes, Button::Yes});
    const RunResult r = run();
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].caption, "NOTE...");
    EXPECT_EQ(ui.messages()[1].text, "Report Cancellation Requested!||Preview Report generated so far?");
    EXPECT_EQ(ui.messages()[1].buttons, Button::Yes | Button::No | Button::Cancel);
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    ASSERT_EQ(output.previewed.size(), 1u);
    EXPECT_EQ(readingText(output.previewed[0]), "--- page 1\nRow 1\nRow 2\n");
    EXPECT_FALSE(job.finished);
    EXPECT_TRUE(job.closed);
}

TEST_F(ReportRunFixture, CancelWithPagesAnsweredNoDiscardsThem) {
    progress.cancelAt = 2;
    ui.answers({Button::Yes, Button::No});
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Cancelled);
    EXPECT_TRUE(output.previewed.empty());
    EXPECT_TRUE(job.closed);
    EXPECT_TRUE(progress.ended);
}

TEST_F(ReportRunFixture, CancelWithPagesAnsweredCancelGoesOn) {
    progress.cancelAt = 1;
    ui.answers({Button::Yes, Button::Cancel});
    const RunResult r = run();
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    EXPECT_EQ(r.recordsRead, 4);
    EXPECT_TRUE(job.finished);
}

TEST_F(ReportRunFixture, CancelBeforeAnyPageAsksOnlyOnceAndDiscards) {
    job.printsRows = false;
    progress.cancelAt = 1;
    ui.answer(Button::Yes);
    const RunResult r = run();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Are you sure you want to CANCEL this Report?"});
    EXPECT_EQ(r.outcome, RunOutcome::Cancelled);
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(ReportRunFixture, DirectPrintingAfterNoToThePreviewQuestion) {
    job.copies = 2;
    ui.answer(Button::No);
    const RunResult r = run(RunOptions{.askPreview = true});
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Preview"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Do you wish to PREVIEW this Report?"});
    EXPECT_EQ(r.outcome, RunOutcome::Printed);
    EXPECT_TRUE(output.previewed.empty());
    ASSERT_EQ(output.printed.size(), 1u);
    // The test printer cannot make copies itself: the sets go through the copy handling.
    EXPECT_TRUE(output.printed[0].throughHandleCopies);
    EXPECT_EQ(output.printed[0].copies, 2);
}

TEST_F(ReportRunFixture, DirectPrintingLeavesCopiesToAPrinterThatMakesThem) {
    job.copies = 2;
    output.supportedAnswer = 1;
    ui.answer(Button::No);
    run(RunOptions{.askPreview = true});
    ASSERT_EQ(output.printed.size(), 1u);
    EXPECT_FALSE(output.printed[0].throughHandleCopies);
    EXPECT_EQ(output.printed[0].copies, 2);
}

TEST_F(ReportRunFixture, PrinterThatRefusesIsReportedNotPassedForPrinted) {
    FailingPrinter failing;
    ReportRunner runner(ui, failing, settings, measurer);
    // From the preview: the preview itself said why, and the run does not pass it off as printed.
    RunResult r = runner.run(job);
    EXPECT_EQ(r.outcome, RunOutcome::PrintFailed);
    EXPECT_EQ(r.response, core::Response::Cancelled);
    EXPECT_TRUE(ui.texts().empty());
    // Printing directly: the run says so.
    job.read = 0;
    ui.answer(Button::No);
    r = runner.run(job, RunOptions{.askPreview = true});
    EXPECT_EQ(r.outcome, RunOutcome::PrintFailed);
    EXPECT_EQ(r.response, core::Response::Cancelled);
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Do you wish to PREVIEW this Report?",
                                        "The report could not be printed.||No printer accepted the pages."}));
}

TEST(ReportProgress, PercentOfRecordsRead) {
    EXPECT_EQ(percentRead(0, 8), 0);
    EXPECT_EQ(percentRead(1, 8), 12);
    EXPECT_EQ(percentRead(8, 8), 100);
    EXPECT_EQ(percentRead(9, 8), 100);
    EXPECT_EQ(percentRead(3, 0), 100);
}

}  // namespace
}  // namespace quay::reports
