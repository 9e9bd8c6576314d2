// The progress window of a report run: the engine's "Generating Report" title, the
// percentage of records read with its caption ("42% Completed"), a bar and Cancel. It only
// shows what it is told and remembers a press of Cancel for the run to collect.
#pragma once

#include <QDialog>
#include <atomic>

class QLabel;
class QProgressBar;

namespace quay::reports::detail {

class ProgressWindow final : public QDialog {
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void begin(const QString& title, const QString& percentText);
    void setPercent(int percent);
    // True once for each press of Cancel since the last call. Any thread may ask.
    bool takeCancel() { return m_cancel.exchange(false); }
    // What pressing Cancel does; also for tests.
    void requestCancel() { m_cancel = true; }

protected:
    void reject() override;  // Escape and the close box count as Cancel; the window stays

private:
    QLabel* m_label;
    QProgressBar* m_bar;
    QString m_percentText;
    std::atomic<bool> m_cancel{false};
};

}  // namespace quay::reports::detail
