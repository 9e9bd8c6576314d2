// The "Analyze AR files" window: what the run does, its status line and record
// counter, "&Ok" to start and Cancel to leave without doing anything. The run is
// redrawn from its progress every 10 records.
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "quay/util/verify_ar_files.h"
#include "quay/util/verify_windows.h"
#include "quay/views/placement_keeper.h"

namespace quay::util {

namespace {

core::WindowResponse runVerifyWindow(core::WindowContext& c, const core::WindowRequest&) {
    if (c.database == nullptr) return core::WindowResponse{};
    QDialog dialog(c.parent);
    dialog.setWindowTitle(VerifyArFiles::kTitle);
    dialog.setObjectName(VerifyArFiles::kProcedure);
    auto* layout = new QVBoxLayout(&dialog);
    auto* intro = new QLabel(VerifyArFiles::kIntro, &dialog);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* warning = new QLabel(VerifyArFiles::kWarning, &dialog);
    warning->setWordWrap(true);
    layout->addWidget(warning);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(QObject::tr("Status:"), &dialog));
    auto* status = new QLabel(&dialog);
    status->setMinimumWidth(320);
    statusRow->addWidget(status, 1);
    layout->addLayout(statusRow);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QObject::tr("Records:"), &dialog));
    auto* count = new QLabel(QStringLiteral("0"), &dialog);
    countRow->addWidget(count, 1);
    layout->addLayout(countRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QObject::tr("&Ok"), &dialog);
    auto* cancel = new QPushButton(QObject::tr("Cancel"), &dialog);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    core::WindowResponse response;
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&] {
        ok->setEnabled(false);
        cancel->setEnabled(false);
        VerifyArFiles run(*c.database, c.ui);
        run.setProgress([&](const std::string& text, std::int64_t records) {
            status->setText(QString::fromStdString(text));
            count->setText(QString::number(records));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool ran = run.run();
        QApplication::restoreOverrideCursor();
        response.response = ran ? core::Response::Completed : core::Response::Cancelled;
        dialog.accept();
    });
    core::keepPlacement(&dialog, VerifyArFiles::kProcedure);
    dialog.exec();
    return response;
}

}  // namespace

void registerVerifyWindows(core::WindowRegistry& registry) {
    registry.add("VERIFYARFILES", runVerifyWindow);
    registry.add(VerifyArFiles::kProcedure, runVerifyWindow);
}

}  // namespace quay::util
