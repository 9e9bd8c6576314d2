// The report run on a worker thread: the walk runs off the GUI thread while every
// question, the preview and the printing are answered on the GUI thread, in order; Cancel
// in the progress window reaches the run; a data set that cannot be opened is reported.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMetaObject>
#include <filesystem>
#include <thread>

#include "engine_test_support.h"
#include "qt_test_app.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/run/background_report.h"
#include "quay/reports/run/page_text.h"

namespace quay::reports {
namespace {

using core::Button;

// Records the thread of every step; at record `pressCancelAt` it presses Cancel in the
// progress window as a user would, through the GUI thread.
class ThreadedJob final : public ReportJob {
public:
    int pressCancelAt = 0;
    std::thread::id walkThread;

    std::string title() const override { return "Rows"; }
    ReportLayout layout() const override {
        ReportLayout l("Rows");
        l.addBand(1, BandKind::Detail, 200).add(textControl("row", 0, 0, 3000, 200, ""));
        return l;
    }
    bool open(core::UiPort&) override { return true; }
    bool loadCompany() override { return true; }
    bool begin(core::UiPort&, ReportRun&) override { return true; }
    std::int64_t recordCount() override { return 3; }
    JobStep next(core::UiPort&, ReportRun& run) override {
        walkThread = std::this_thread::get_id();
        if (m_read == 3) return JobStep::End;
        ++m_read;
        run.setText("row", "Row " + std::to_string(m_read));
        run.print(1);
        if (m_read == pressCancelAt) pressCancel();
        return JobStep::Record;
    }
    void finish(core::UiPort&, ReportRun&) override {}
    void close() override {}

private:
    static void pressCancel() {
        QMetaObject::invokeMethod(
            qApp,
            [] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* d = qobject_cast<QDialog*>(w);
                        d && d->isVisible() && d->windowTitle() == "Generating Report")
                        d->reject();
            },
            Qt::BlockingQueuedConnection);
    }
    int m_read = 0;
};

class BackgroundRun : public ::testing::Test {
protected:
    void SetUp() override {
        testing::qtApp();
        char pattern[] = "/tmp/quaybgXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    RunResult run(ThreadedJob& job) {
        return runReportInBackground(
            dir, [&job](core::Database&) { return std::unique_ptr<ReportJob>(new Borrowed(job)); }, ui, output,
            settings);
    }

    // Hands the runner a job the test keeps.
    struct Borrowed final : ReportJob {
        explicit Borrowed(ReportJob& j) : job(j) {}
        std::string title() const override { return job.title(); }
        ReportLayout layout() const override { return job.layout(); }
        bool open(core::UiPort& ui) override { return job.open(ui); }
        bool loadCompany() override { return job.loadCompany(); }
        bool begin(core::UiPort& ui, ReportRun& r) override { return job.begin(ui, r); }
        std::int64_t recordCount() override { return job.recordCount(); }
        JobStep next(core::UiPort& ui, ReportRun& r) override { return job.next(ui, r); }
        void finish(core::UiPort& ui, ReportRun& r) override { job.finish(ui, r); }
        void close() override { job.close(); }
        ReportJob& job;
    };

    std::string dir;
    core::ScriptedUi ui;
    RecordingReportOutput output;
    core::Settings settings{std::filesystem::temp_directory_path() / "quay-bg-test-absent.ini"};
};

TEST_F(BackgroundRun, WalkRunsOffTheGuiThreadAndThePreviewOnIt) {
    ThreadedJob job;
    output.printerAnswer.clear();
    ui.answer(Button::Yes);  // go on without a printer
    const RunResult r = run(job);
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    EXPECT_NE(job.walkThread, std::this_thread::get_id());
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"Warning:  No DEFAULT Printer Driver Found!||Continue with report anyway?"});
    ASSERT_EQ(output.previewed.size(), 1u);
    EXPECT_EQ(readingText(output.previewed[0]), "--- page 1\nRow 1\nRow 2\nRow 3\n");
}

TEST_F(BackgroundRun, CancelInTheProgressWindowAsksAndDiscards) {
    ThreadedJob job;
    job.pressCancelAt = 2;
    ui.answers({Button::Yes, Button::No});
    const RunResult r = run(job);
    EXPECT_EQ(r.outcome, RunOutcome::Cancelled);
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Are you sure you want to CANCEL this Report?",
                                        "Report Cancellation Requested!||Preview Report generated so far?"}));
    EXPECT_TRUE(output.previewed.empty());
}

TEST_F(BackgroundRun, CancelThenPreviewShowsWhatWasGenerated) {
    ThreadedJob job;
    job.pressCancelAt = 2;
    ui.answers({Button::Yes, Button::Yes});
    const RunResult r = run(job);
    EXPECT_EQ(r.outcome, RunOutcome::Previewed);
    ASSERT_EQ(output.previewed.size(), 1u);
    EXPECT_EQ(readingText(output.previewed[0]), "--- page 1\nRow 1\nRow 2\n");
}

TEST_F(BackgroundRun, DataSetThatCannotBeOpenedIsReported) {
    ThreadedJob job;
    const std::string missing = dir + "/no/such/folder";
    const RunResult r = runReportInBackground(
        missing, [&job](core::Database&) { return std::unique_ptr<ReportJob>(new Borrowed(job)); }, ui, output,
        settings);
    EXPECT_EQ(r.outcome, RunOutcome::Failed);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Report Error"});
    EXPECT_TRUE(output.previewed.empty());
}

}  // namespace
}  // namespace quay::reports
