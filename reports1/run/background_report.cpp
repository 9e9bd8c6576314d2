// The report run on a worker thread. Threads:
//   GUI thread     owns the progress window, the caller's UI port and report output; it
//                  runs a local event loop until the worker is done.
//   worker thread  opens its own Database, makes the job, runs the ReportRunner with a
//                  measurer of its own.
// Everything the worker asks of the user or the output goes through GuiPort/GuiOutput,
// which run the call on the GUI thread and wait for its answer (a blocking queued call),
// so the questions keep their order and the worker never touches a widget. Progress goes
// the other way as queued calls that do not wait.
#include "quay/reports/run/background_report.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QObject>
#include <thread>

#include "progress_window.h"
#include "quay/reports/output/font_measurer.h"

namespace quay::reports {
namespace {

// Runs fn on the thread of `context` and waits for it.
template <class Fn>
void onGuiThread(QObject* context, Fn&& fn) {
    QMetaObject::invokeMethod(context, std::forward<Fn>(fn), Qt::BlockingQueuedConnection);
}

class GuiPort final : public core::UiPort {
public:
    GuiPort(QObject* context, core::UiPort& target) : m_context(context), m_target(target) {}

    core::Button message(std::string_view caption, std::string_view text, core::Icon icon, core::ButtonSet buttons,
                         core::Button defaultButton) override {
        core::Button answer = core::Button::None;
        onGuiThread(m_context, [&] { answer = m_target.message(caption, text, icon, buttons, defaultButton); });
        return answer;
    }
    void beep(int frequency, int duration) override {
        onGuiThread(m_context, [&] { m_target.beep(frequency, duration); });
    }
    void setBusy(bool on) override {
        onGuiThread(m_context, [&] { m_target.setBusy(on); });
    }
    void endProgram(std::string_view text) override {
        onGuiThread(m_context, [&] { m_target.endProgram(text); });
    }
    core::WindowResponse runWindow(core::WindowName window, const core::WindowRequest& request) override {
        core::WindowResponse response;
        onGuiThread(m_context, [&] { response = m_target.runWindow(window, request); });
        return response;
    }

private:
    QObject* m_context;
    core::UiPort& m_target;
};

class GuiOutput final : public ReportOutput {
public:
    GuiOutput(QObject* context, ReportOutput& target) : m_context(context), m_target(target) {}

    PreviewResult preview(const PageList& pages, const std::string& title, int copies) override {
        PreviewResult result = PreviewResult::Closed;
        onGuiThread(m_context, [&] { result = m_target.preview(pages, title, copies); });
        return result;
    }
    int handleCopies(const PageList& pages, int copies) override {
        return call([&] { return m_target.handleCopies(pages, copies); });
    }
    int supported(int copies) override {
        return call([&] { return m_target.supported(copies); });
    }
    int print(const PageList& pages, int copies) override {
        return call([&] { return m_target.print(pages, copies); });
    }
    std::string defaultPrinter() override {
        std::string name;
        onGuiThread(m_context, [&] { name = m_target.defaultPrinter(); });
        return name;
    }

private:
    template <class Fn>
    int call(Fn fn) {
        int result = 0;
        onGuiThread(m_context, [&] { result = fn(); });
        return result;
    }
    QObject* m_context;
    ReportOutput& m_target;
};

// The worker's view of the progress window: updates are posted, Cancel is collected.
class WindowProgress final : public ProgressSink {
public:
    explicit WindowProgress(detail::ProgressWindow& window) : m_window(window) {}

    void begin(const std::string& title, const std::string& percentText) override {
        QMetaObject::invokeMethod(
            &m_window,
            [w = &m_window, t = QString::fromStdString(title), p = QString::fromStdString(percentText)] {
                w->begin(t, p);
                w->show();
            },
            Qt::QueuedConnection);
    }
    void progress(int percent) override {
        if (percent == m_last) return;  // one update per step of the bar, not per record
        m_last = percent;
        QMetaObject::invokeMethod(
            &m_window, [w = &m_window, percent] { w->setPercent(percent); }, Qt::QueuedConnection);
    }
    bool cancelRequested() override { return m_window.takeCancel(); }
    void end() override {
        QMetaObject::invokeMethod(
            &m_window, [w = &m_window] { w->hide(); }, Qt::QueuedConnection);
    }

private:
    detail::ProgressWindow& m_window;
    int m_last = -1;
};

}  // namespace

RunResult runReportInBackground(const std::string& directory, const ReportJobFactory& makeJob, core::UiPort& ui,
                                ReportOutput& output, const core::Settings& settings, const RunOptions& options) {
    QObject context;  // lives on the GUI thread: the target of the worker's calls
    detail::ProgressWindow window(QApplication::activeWindow());
    GuiPort guiUi(&context, ui);
    GuiOutput guiOutput(&context, output);
    WindowProgress progress(window);
    QEventLoop loop;
    RunResult result;

    std::thread worker([&] {
        core::Database db(directory);
        if (!db.isOpen()) {
            guiUi.message("Report Error",
                          "The data set in " + directory + " cannot be opened.||" + db.driverErrorText(),
                          core::Icon::Error, core::Button::Ok, core::Button::Ok);
        } else {
            std::unique_ptr<ReportJob> job = makeJob(db);
            QtTextMeasurer measurer;
            ReportRunner runner(guiUi, guiOutput, settings, measurer, &progress);
            result = runner.run(*job, options);
        }
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    window.hide();
    return result;
}

}  // namespace quay::reports
