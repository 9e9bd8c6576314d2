// The frame's own commands: printer set-up, the Edit commands on the focused field,
// the tip-of-the-day switch, backup and restore, arranging minimised windows, the
// user guide and the about window.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrinter>

#include "about/about_window.h"
#include "backup/backup_gate.h"
#include "backup/backup_runner.h"
#include "frame/main_frame.h"
#include "help/help_window.h"
#include "quay/app/globals.h"

namespace quay::desk {

namespace {
// The printer every print of this run starts from, so the set-up chosen here holds.
QPrinter& programPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
}  // namespace

void MainFrame::printSetup() {
    QPageSetupDialog dialog(&programPrinter(), this);
    dialog.setWindowTitle(tr("Print Setup"));
    dialog.exec();
}

void MainFrame::editCommand(CommandKind kind) {
    QWidget* field = QApplication::focusWidget();
    if (!field) return;
    const char* slot = kind == CommandKind::Cut ? "cut" : kind == CommandKind::Copy ? "copy" : "paste";
    // Entry fields, text boxes and memo fields all offer these as slots.
    QMetaObject::invokeMethod(field, slot);
}

void MainFrame::toggleTipOfDay(bool on) {
    core::glo.MessageOfDay = on ? 1 : 0;
    if (m_settings.write("Defaults", "TipOfDay", on ? "True" : "False") != core::SettingsStatus::Ok)
        m_ui.inform("Settings Not Saved",
                    "The tip of the day setting could not be written to " + m_settings.path().string() + ": " +
                        m_settings.lastErrorText(),
                    core::Icon::Warning);
}

void MainFrame::dataCommand(CommandKind kind) {
    const DataCommand command = kind == CommandKind::Backup ? DataCommand::Backup : DataCommand::Restore;
    if (!confirmDataCommand(m_ui, m_db, m_defaults, command)) return;
    DataCommandServices services = m_dataServices.chooseFolder || m_dataServices.chooseBackupFile
                                       ? m_dataServices
                                       : desktopDataCommandServices(this);
    DataCommandFlow flow(m_ui, m_settings, m_dataDirectory, std::move(services));
    if (command == DataCommand::Backup) {
        flow.backup();
    } else if (flow.restore()) {
        // The company record may differ in the restored data.
        m_defaults.release();
        m_defaults.hold();
    }
}

void MainFrame::arrangeIcons() {
    // Minimised child windows line up along the bottom of the frame, left to right.
    int x = 0;
    const int bottom = m_mdi->viewport()->height();
    for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
        if (!sub->isMinimized()) continue;
        const QSize s = sub->size();
        if (x + s.width() > m_mdi->viewport()->width() && x > 0) x = 0;
        sub->move(x, bottom - s.height());
        x += s.width();
    }
}

void MainFrame::openHelp(const QString& subject, bool search) {
    // The guide is built into the program and shown in its own help window, so Help works
    // on every desktop, with or without a web browser.
    if (m_help == nullptr) m_help = new HelpWindow(this);
    m_help->showSubject(subject, search);
}

void MainFrame::showAbout() {
    AboutWindow about(this);
    about.exec();
}

}  // namespace quay::desk
