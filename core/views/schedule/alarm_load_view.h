// AlarmLoadView: the loader's window "Loading Schedule Information" ("Please Wait
// . . . . . . . ", Cancel). It runs an AlarmLoadJob on a worker thread and closes
// itself when the job ends; the frame goes on meanwhile. Cancel stops the read,
// keeps the alarms read so far and says "Loading schedule is incomplete.  All
// alarms may not be set."
#pragma once

#include <memory>
#include <string>

#include <QWidget>

#include "quay/app/ui_port.h"
#include "quay/ui/worker.h"

namespace quay::core {

class AlarmLoadView : public QWidget {
    Q_OBJECT
public:
    AlarmLoadView(UiPort& ui, const std::string& dataDirectory, const std::string& userId, QWidget* parent = nullptr);
    ~AlarmLoadView() override;

    void start();
    WorkerOutcome outcome() const;

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void onEnded();
    void cancelLoad();

    UiPort& m_ui;
    WorkerThread m_thread;
    bool m_ended = false;
};

}  // namespace quay::core
