// WorkerDialog: runs a WorkerJob on its own thread behind a progress dialog. The
// job's reports arrive on the window thread through queued signals; "Cancel" asks
// the job to stop and the dialog waits for it, so nothing is left half-running
// when the window goes.
#pragma once

#include <memory>

#include <QProgressDialog>

#include "quay/export.h"
#include "quay/ui/worker.h"

namespace quay::core {

class QUAY_EXPORT WorkerDialog : public QProgressDialog {
    Q_OBJECT
public:
    WorkerDialog(std::unique_ptr<WorkerJob> job, std::string dataDirectory, const QString& title,
                 QWidget* parent = nullptr);
    ~WorkerDialog() override;

    // Starts the job and shows the dialog until it ends; returns how it ended.
    WorkerOutcome run();
    const WorkerState& finalState() const { return m_final; }

signals:
    void progressed(long done, long total, const QString& text, int outcome);

private:
    void onProgress(long done, long total, const QString& text, int outcome);

    WorkerThread m_thread;
    WorkerState m_final;
    long m_shownDone = 0;
};

}  // namespace quay::core
