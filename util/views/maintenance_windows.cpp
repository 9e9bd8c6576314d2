// The utilities' windows. The mass updates run behind a progress window over a worker
// thread; delete all data and the archive windows are small dialogs of their own.
#include "quay/util/maintenance_windows.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "quay/util/delete_all.h"
#include "quay/util/mass_update.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/worker_dialog.h"

namespace quay::util {

namespace {

JobRunner dialogRunner(core::WindowContext& c) {
    return [&c](std::unique_ptr<core::WorkerJob> job, const std::string& title) {
        core::WorkerDialog dialog(std::move(job), c.database->directory(), QString::fromStdString(title), c.parent);
        dialog.run();
        return dialog.finalState();
    };
}

// A dialog with a single "Close" button: the archive windows.
core::WindowResponse closeOnlyWindow(core::WindowContext& c, const char* title, const char* section) {
    QDialog d(c.parent);
    d.setWindowTitle(QString::fromUtf8(title));
    auto* layout = new QVBoxLayout(&d);
    auto* close = new QPushButton(QStringLiteral("Close"), &d);
    close->setDefault(true);
    layout->addWidget(close);
    QObject::connect(close, &QPushButton::clicked, &d, &QDialog::accept);
    core::keepPlacement(&d, QString::fromUtf8(section));
    d.exec();
    return core::WindowResponse{core::Response::Completed, 0, {}};
}

core::WindowResponse deleteAllWindow(core::WindowContext& c) {
    if (c.database == nullptr) return core::WindowResponse{};
    DeleteAllData logic(c.ui, *c.database);
    QDialog d(c.parent);
    d.setWindowTitle(QString::fromUtf8(DeleteAllData::kTitle));
    auto* layout = new QVBoxLayout(&d);
    auto* text = new QLabel(QString::fromUtf8(DeleteAllData::kText), &d);
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    layout->addWidget(text);
    auto* buttons = new QHBoxLayout;
    auto* no = new QPushButton(QStringLiteral("&No"), &d);
    auto* yes = new QPushButton(QStringLiteral("&Yes"), &d);
    no->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(no);
    buttons->addWidget(yes);
    layout->addLayout(buttons);
    QObject::connect(no, &QPushButton::clicked, &d, [&] {
        logic.no();
        d.reject();
    });
    QObject::connect(yes, &QPushButton::clicked, &d, [&] {
        logic.yes();
        if (logic.isClosed()) d.accept();
    });
    core::keepPlacement(&d, QStringLiteral("DeleteAllData"));
    d.exec();
    return core::WindowResponse{core::Response::Completed, 0, {}};
}

core::WindowResponse answered(bool done) {
    return core::WindowResponse{done ? core::Response::Completed : core::Response::Cancelled, 0, {}};
}

}  // namespace

void registerMaintenanceWindows(core::WindowRegistry& registry) {
    registry.add("MASSUPDATEPRICECLASSES", [](core::WindowContext& c, const core::WindowRequest&) {
        if (c.database == nullptr) return core::WindowResponse{};
        return answered(MASSUPDATEPRICECLASSES(c.ui, *c.database, dialogRunner(c)));
    });
    registry.add("UPDATECUSTSALESTAXES", [](core::WindowContext& c, const core::WindowRequest&) {
        if (c.database == nullptr) return core::WindowResponse{};
        return answered(UPDATECUSTSALESTAXES(c.ui, *c.database, dialogRunner(c)));
    });
    registry.add("DELETEALLDATA",
                 [](core::WindowContext& c, const core::WindowRequest&) { return deleteAllWindow(c); });
    registry.add("ARCHIVEDATA", [](core::WindowContext& c, const core::WindowRequest&) {
        return closeOnlyWindow(c, "Archive Data", "ArchiveData");
    });
    registry.add("RESTOREARCHIVEDATA", [](core::WindowContext& c, const core::WindowRequest&) {
        return closeOnlyWindow(c, "Restore Archived Data", "RestoreArchiveData");
    });
}

}  // namespace quay::util
