// The progress dialog of long work.
#include "quay/views/worker_dialog.h"

#include <QEventLoop>

namespace quay::core {

WorkerDialog::WorkerDialog(std::unique_ptr<WorkerJob> job, std::string dataDirectory, const QString& title,
                           QWidget* parent)
    : QProgressDialog(parent), m_thread(std::move(job), std::move(dataDirectory)) {
    setWindowTitle(title);
    setLabelText(title);
    setCancelButtonText(tr("Cancel"));
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
    setWindowModality(Qt::WindowModal);
    // The listener runs on the worker thread; the signal crosses to this one queued.
    connect(this, &WorkerDialog::progressed, this, &WorkerDialog::onProgress, Qt::QueuedConnection);
    m_thread.setListener([this](const WorkerState& s) {
        emit progressed(s.done, s.total, QString::fromStdString(s.text), static_cast<int>(s.outcome));
    });
    connect(this, &QProgressDialog::canceled, this, [this] { m_thread.cancel(); });
}

WorkerDialog::~WorkerDialog() {
    m_thread.cancel();
    m_thread.wait();
}

void WorkerDialog::onProgress(long done, long total, const QString& text, int outcome) {
    // setValue() of a modal progress dialog handles pending events, so later reports
    // may already have been shown by the time an earlier one gets here.
    if (done < m_shownDone) return;
    m_shownDone = done;
    if (!text.isEmpty()) setLabelText(text);
    if (total > 0) {
        setMaximum(static_cast<int>(std::min<long>(total, 1 << 30)));
        setValue(static_cast<int>(std::min<long>(done, 1 << 30)));
    } else {
        setMaximum(0);
    }
    if (static_cast<WorkerOutcome>(outcome) != WorkerOutcome::Running) {
        m_final = m_thread.state();
        accept();
    }
}

WorkerOutcome WorkerDialog::run() {
    m_thread.start();
    exec();
    m_thread.wait();
    m_final = m_thread.state();
    return m_final.outcome;
}

}  // namespace quay::core
