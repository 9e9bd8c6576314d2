// The report run. The order of the steps matters to the user: the printer warning comes
// before any table is opened, so answering No leaves nothing open; the company check
// comes before the report's own checks, so a fresh data set always says what to set up
// first; a cancel is answered between two records, never in the middle of a band. A run
// whose pages could not be stored (a full disk) ends at the next record with the reason:
// an incomplete report is neither previewed nor printed.
#include "quay/reports/run/report_runner.h"

#include <memory>
#include <optional>

namespace quay::reports {

ReportJob::~ReportJob() = default;
ProgressSink::~ProgressSink() = default;
void ProgressSink::begin(const std::string&, const std::string&) {}
void ProgressSink::end() {}

int percentRead(long long read, long long total) {
    if (total <= 0) return 100;
    if (read <= 0) return 0;
    if (read >= total) return 100;
    return static_cast<int>(read * 100 / total);
}

namespace {

constexpr const char* kNoCompanyText = "Please set company defaults first";
constexpr const char* kNoCompanyCaption = "Error";
constexpr const char* kPrintFailedText = "The report could not be printed.||No printer accepted the pages.";
constexpr const char* kNotStoredCaption = "Report Error";
constexpr const char* kNotStoredText = "The report could not be finished.||";

// Ends the progress window on every way out of the walk.
class ProgressScope {
public:
    explicit ProgressScope(ProgressSink* sink) : m_sink(sink) {}
    ~ProgressScope() {
        if (m_sink) m_sink->end();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    ProgressSink* m_sink;
};

RunResult ended(RunOutcome outcome, long long read = 0) {
    RunResult r;
    r.outcome = outcome;
    r.response = core::Response::Cancelled;
    r.recordsRead = read;
    return r;
}

}  // namespace

ReportRunner::ReportRunner(core::UiPort& ui, ReportOutput& output, const core::Settings& settings,
                           const TextMeasurer& measurer, ProgressSink* progress)
    : m_ui(ui), m_output(output), m_texts(ReportTexts::read(settings)), m_progress(progress), m_measurer(measurer) {}

ReportRunner::CancelChoice ReportRunner::askCancel(bool havePages) {
    const core::Button sure = m_ui.message(m_texts.noteTitle, m_texts.cancelQuestion, core::Icon::Question,
                                           core::Button::Yes | core::Button::No, core::Button::No);
    if (sure != core::Button::Yes) return CancelChoice::GoOn;
    if (!havePages) return CancelChoice::Discard;
    const core::Button keep =
        m_ui.message(m_texts.noteTitle, m_texts.cancelPreviewQuestion, core::Icon::Question,
                     core::Button::Yes | core::Button::No | core::Button::Cancel, core::Button::Yes);
    switch (keep) {
    case core::Button::Yes: return CancelChoice::PreviewSoFar;
    case core::Button::No: return CancelChoice::Discard;
    default: return CancelChoice::GoOn;
    }
}

RunResult ReportRunner::run(ReportJob& job, const RunOptions& options) {
    // The report goes to the default printer; without one the user may still preview.
    const std::string printer = m_output.defaultPrinter();
    if (printer.empty()) {
        const core::Button go = m_ui.message(m_texts.noteTitle, m_texts.noPrinterWarning, core::Icon::Warning,
                                             core::Button::Yes | core::Button::No, core::Button::Yes);
        if (go != core::Button::Yes) return ended(RunOutcome::Declined);
    }

    if (!job.open(m_ui)) {
        job.close();
        return ended(RunOutcome::ProgramEnded);
    }
    if (!job.loadCompany()) {
        job.close();
        m_ui.message(kNoCompanyCaption, kNoCompanyText, core::Icon::Error, core::Button::Ok, core::Button::Ok);
        return ended(RunOutcome::Failed);
    }

    bool preview = true;
    if (options.askPreview) {
        preview = m_ui.message(m_texts.previewCaption, m_texts.previewQuestion, core::Icon::Question,
                               core::Button::Yes | core::Button::No, core::Button::Yes) == core::Button::Yes;
    }

    auto run = std::make_unique<ReportRun>(job.layout(), m_measurer);
    run->setPrinterName(printer);
    run->setCopies(1);
    if (!job.begin(m_ui, *run)) {
        job.close();
        return ended(RunOutcome::Failed);
    }

    // Counting may cost a walk of the records: only a progress window needs it.
    const long long total = m_progress ? job.recordCount() : 0;
    long long read = 0;
    bool partial = false;
    {
        ProgressScope scope(m_progress);
        if (m_progress) m_progress->begin(m_texts.generating, m_texts.percentCompleted);
        for (;;) {
            const JobStep step = job.next(m_ui, *run);
            if (step == JobStep::Failed) {
                job.close();
                return ended(RunOutcome::Failed, read);
            }
            if (run->status() == RunStatus::PagesNotStored) {
                job.close();
                return notStored(*run, read);
            }
            if (step == JobStep::End) break;
            ++read;
            if (!m_progress) continue;
            m_progress->progress(percentRead(read, total));
            if (!m_progress->cancelRequested()) continue;
            const CancelChoice choice = askCancel(run->pageCount() > 0);
            if (choice == CancelChoice::Discard) {
                job.close();
                return ended(RunOutcome::Cancelled, read);
            }
            if (choice == CancelChoice::PreviewSoFar) {
                partial = true;
                break;
            }
        }
        if (!partial) job.finish(m_ui, *run);
        if (m_progress) m_progress->progress(100);
    }
    PageList pages = run->finish();
    pages.title = job.title();
    job.close();
    if (run->status() == RunStatus::PagesNotStored) return notStored(*run, read);
    return deliver(job, std::move(pages), preview, read);
}

RunResult ReportRunner::notStored(const ReportRun& run, long long read) {
    m_ui.message(kNotStoredCaption, kNotStoredText + run.failureText(), core::Icon::Error, core::Button::Ok,
                 core::Button::Ok);
    return ended(RunOutcome::Failed, read);
}

RunResult ReportRunner::deliver(ReportJob& job, PageList pages, bool preview, long long read) {
    RunResult r;
    r.recordsRead = read;
    if (pages.isEmpty()) {
        m_ui.message(m_texts.noteTitle, preview ? m_texts.nothingToPreview : m_texts.nothingToPrint,
                     core::Icon::Information, core::Button::Ok, core::Button::Ok);
        r.outcome = RunOutcome::NothingToPreview;
        return r;
    }
    const int copies = pages.copies;
    if (preview) {
        // The preview prints from inside itself and says there why a print failed.
        switch (m_output.preview(pages, job.title(), copies)) {
        case PreviewResult::Closed: r.outcome = RunOutcome::Previewed; break;
        case PreviewResult::Printed:
            r.response = core::Response::Completed;
            r.outcome = RunOutcome::Printed;
            break;
        case PreviewResult::PrintFailed: r.outcome = RunOutcome::PrintFailed; break;
        }
    } else {
        // Printers that make copies themselves get one set and the count; the others get
        // every set sent again.
        const bool bySets = copies > 1 && m_output.supported(copies) != 1;
        const int done = bySets ? m_output.handleCopies(pages, copies) : m_output.print(pages, copies);
        if (done == 1) {
            r.response = core::Response::Completed;
            r.outcome = RunOutcome::Printed;
        } else {
            // Never let a print that did not happen pass for one.
            r.outcome = RunOutcome::PrintFailed;
            m_ui.message(m_texts.noteTitle, kPrintFailedText, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        }
    }
    r.pages = std::move(pages);
    return r;
}

}  // namespace quay::reports
