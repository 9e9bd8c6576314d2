// The engine's texts as a workstation words them in tallvane.ini, and the built-in texts
// wherever the file is silent, blank or missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine_test_support.h"
#include "quay/app/scripted_ui.h"
#include "quay/reports/run/report_runner.h"

namespace quay::reports {
namespace {

class ReportTextsFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quaytextsXXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::filesystem::path write(const std::string& content) {
        const auto path = m_dir / "tallvane.ini";
        std::ofstream(path) << content;
        return path;
    }
    std::filesystem::path m_dir;
};

TEST_F(ReportTextsFile, MissingFileGivesTheBuiltInTexts) {
    const ReportTexts t = ReportTexts::read(core::Settings(m_dir / "none.ini"));
    EXPECT_EQ(t.generating, "Generating Report");
    EXPECT_EQ(t.percentCompleted, "% Completed");
    EXPECT_EQ(t.cancelQuestion, "Are you sure you want to CANCEL this Report?");
    EXPECT_EQ(t.cancelPreviewQuestion, "Report Cancellation Requested!||Preview Report generated so far?");
    EXPECT_EQ(t.nothingToPreview, "Nothing to Preview.");
    EXPECT_EQ(t.nothingToPrint, "Nothing to Print.");
    EXPECT_EQ(t.noteTitle, "NOTE...");
}

TEST_F(ReportTextsFile, SectionWordsTheTextsAndBlankValuesKeepTheBuiltIn) {
    const auto path = write(
        "[Other]\nNoteTitle=Wrong section\n"
        "[display strings 2.0]\nNoteTitle=Hinweis\nNothingToPreview=Keine Seiten.\nGenerating=\n");
    const ReportTexts t = ReportTexts::read(core::Settings(path));
    EXPECT_EQ(t.noteTitle, "Hinweis");
    EXPECT_EQ(t.nothingToPreview, "Keine Seiten.");
    EXPECT_EQ(t.generating, "Generating Report");
}

TEST_F(ReportTextsFile, RunShowsTheWorkstationsWording) {
    const auto path = write("[DISPLAY STRINGS 2.0]\nNoteTitle=Note\nNothingToPreview=No pages.\n");
    core::Settings settings(path);
    core::ScriptedUi ui;
    RecordingReportOutput output;
    testing::FixedPitchMeasurer measurer;
    struct Empty final : ReportJob {
        std::string title() const override { return "Empty"; }
        ReportLayout layout() const override { return ReportLayout("Empty"); }
        bool open(core::UiPort&) override { return true; }
        bool loadCompany() override { return true; }
        bool begin(core::UiPort&, ReportRun&) override { return true; }
        std::int64_t recordCount() override { return 0; }
        JobStep next(core::UiPort&, ReportRun&) override { return JobStep::End; }
        void finish(core::UiPort&, ReportRun&) override {}
        void close() override {}
    } job;
    ReportRunner(ui, output, settings, measurer).run(job);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Note"});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"No pages."});
}

}  // namespace
}  // namespace quay::reports
