// The copy runs on a QThread with its own connections; progress reaches the dialog
// through queued calls, and the window's thread waits in a local event loop so the
// frame keeps painting. The dialog has no Cancel: a copy stopped halfway would only
// be rolled back, and it takes seconds.
#include "backup/backup_runner.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QPointer>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QThread>

namespace quay::desk {

namespace fs = std::filesystem;

DataCommandServices desktopDataCommandServices(QWidget* parent) {
    DataCommandServices s;
    s.documentsFolder = [] {
        return fs::path(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
    };
    s.chooseFolder = [parent](const fs::path& start) -> std::optional<fs::path> {
        // A folder not made yet is proposed as its parent, where the user can make it.
        fs::path shown = start;
        std::error_code ec;
        if (!fs::exists(shown, ec) && shown.has_parent_path()) shown = shown.parent_path();
        const QString dir = QFileDialog::getExistingDirectory(parent, QObject::tr(kChooseFolderCaption),
                                                              QString::fromStdString(shown.string()));
        if (dir.isEmpty()) return std::nullopt;
        return fs::path(dir.toStdString());
    };
    s.chooseBackupFile = [parent](const fs::path& start) -> std::optional<fs::path> {
        const QString file = QFileDialog::getOpenFileName(parent, QObject::tr("Choose the Backup to Restore"),
                                                          QString::fromStdString(start.string()),
                                                          QObject::tr("Billquay backups (*.bqbackup)"));
        if (file.isEmpty()) return std::nullopt;
        return fs::path(file.toStdString());
    };
    s.runWithProgress = [parent](const std::string& title,
                                 const std::function<DataCopyResult(const CopyProgress&)>& job) {
        QProgressDialog dialog(QString::fromStdString(title) + "...", QString(), 0, 0, parent);
        dialog.setWindowTitle(QObject::tr("Billquay"));
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.setMinimumDuration(0);
        dialog.setMinimumWidth(360);
        dialog.show();
        QPointer<QProgressDialog> shown(&dialog);
        DataCopyResult result;
        QThread* worker = QThread::create([&result, job, shown] {
            result = job([shown](int done, int total) {
                QMetaObject::invokeMethod(
                    shown.data(),
                    [shown, done, total] {
                        if (!shown) return;
                        shown->setMaximum(total);
                        shown->setValue(done);
                    },
                    Qt::QueuedConnection);
            });
        });
        QEventLoop loop;
        QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
        worker->start();
        loop.exec();
        worker->wait();
        delete worker;
        return result;
    };
    return s;
}

}  // namespace quay::desk
