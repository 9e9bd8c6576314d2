// A report run from start to preview:
//   1. the engine's texts from tallvane.ini;
//   2. the default printer; without one the warning "Warning:  No DEFAULT Printer Driver
//      Found!" asks whether to go on (No ends the run);
//   3. the copy count set to 1, the report's tables opened, the company record loaded
//      ("Please set company defaults first", caption "Error", when there is none);
//   4. for reports that print directly, "Do you wish to PREVIEW this Report?";
//   5. the record walk with its progress; Cancel asks "Are you sure you want to CANCEL
//      this Report?" and, with pages already generated, whether to preview them
//      (Yes previews them, No discards them, Cancel goes on);
//   6. pages that could not be stored (a full disk): "Report Error" with the reason, and
//      nothing is previewed or printed; no pages: "Nothing to Preview."; otherwise the
//      preview, which prints the pages with the report's copy count when the user asks
//      (and stays open, saying why, when the printer refuses); direct printing sends the
//      pages to the printer, through the copy handling when the printer cannot make the
//      copies itself, and says so when the printer refuses.
// The runner is window logic: it talks to the user through the UI port and to the preview
// and printer through a ReportOutput, so every path runs in tests without a display.
#pragma once

#include "quay/app/settings.h"
#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/reports/engine/page_list.h"
#include "quay/reports/engine/report_output.h"
#include "quay/reports/engine/text_measurer.h"
#include "quay/reports/run/progress_sink.h"
#include "quay/reports/run/report_job.h"
#include "quay/reports/run/report_texts.h"

namespace quay::reports {

enum class RunOutcome {
    Previewed,         // the pages were shown and the preview was left without printing
    Printed,           // the pages went to the printer (from the preview or directly)
    PrintFailed,       // the user asked to print and the printer refused (the response
                       // stays Cancelled: nothing was printed)
    NothingToPreview,  // the walk produced no page; "Nothing to Preview." was shown
    Cancelled,         // the user cancelled the run and discarded what was generated
    Declined,          // No to the missing-printer warning
    Failed,            // no company record, the report's own check ended it, or its pages
                       // could not be stored ("Report Error" shown)
    ProgramEnded,      // the open routine ended the program
};

struct RunOptions {
    // Ask "Do you wish to PREVIEW this Report?" first; No prints without the preview.
    bool askPreview = false;
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Failed;
    // GlobalResponse: Completed when the pages went to the printer, Cancelled otherwise.
    core::Response response = core::Response::Cancelled;
    // The pages that were previewed or printed; empty for the other outcomes.
    PageList pages;
    // Records the walk read.
    long long recordsRead = 0;
};

class QUAY_EXPORT ReportRunner {
public:
    // REQUIRES: ui, output, settings and measurer outlive the runner; so does progress
    // when given.
    ReportRunner(core::UiPort& ui, ReportOutput& output, const core::Settings& settings, const TextMeasurer& measurer,
                 ProgressSink* progress = nullptr);

    RunResult run(ReportJob& job, const RunOptions& options = {});

    const ReportTexts& texts() const { return m_texts; }

private:
    enum class CancelChoice { GoOn, Discard, PreviewSoFar };
    CancelChoice askCancel(bool havePages);
    RunResult deliver(ReportJob& job, PageList pages, bool preview, long long read);
    RunResult notStored(const ReportRun& run, long long read);

    core::UiPort& m_ui;
    ReportOutput& m_output;
    ReportTexts m_texts;
    ProgressSink* m_progress;
    const TextMeasurer& m_measurer;
};

}  // namespace quay::reports
