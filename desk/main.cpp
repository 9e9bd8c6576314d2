// quaydesk: the Billquay desktop program. Starts up on the data directory named by
// the first parameter (or the current directory), makes sure the company record
// exists, then opens the frame and runs until it is closed.
#include <QApplication>

#include "counts/views/count_windows.h"
#include "desk_windows.h"
#include "quay/util/util_windows.h"
#include "orders/views/order_dialogs.h"
#include "orders/views/order_windows.h"
#include "frame/main_frame.h"
#include "quay/views/masterlists/master_windows.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/qt_ui_port.h"
#include "quay/views/tool_views.h"
#include "quay/views/window_registry.h"
#include "startup/startup_sequence.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Billquay"));
    // No display name: the window system would append it to every title, and the frame's
    // title already carries the program's name ("Harbourline Marine Supply - Billquay").
    QApplication::setApplicationVersion(QStringLiteral("1.01.00"));

    quay::core::WindowRegistry& registry = quay::core::WindowRegistry::instance();
    // The windows of the libraries, then the program's own; last, the documented
    // procedure names for windows registered under another spelling.
    quay::core::registerFrameworkWindows(registry);
    quay::core::registerMasterWindows(registry);
    quay::desk::registerDeskWindows(registry);
    quay::desk::registerOrderWindows(registry);
    quay::desk::registerOrderDialogs(registry);
    quay::desk::registerCountWindows(registry);
    quay::util::registerUtilWindows(registry);
    quay::desk::aliasDocumentedProcedures(registry);

    quay::core::QtUiPort ui(registry);
    quay::core::Settings& settings = quay::core::programSettings();

    quay::desk::StartupOptions options;
    for (int i = 1; i < argc; ++i) options.arguments.emplace_back(argv[i]);
    options.dataSetOpened = [&registry](quay::core::Database& db) { registry.setDatabase(&db); };
    quay::desk::StartupSequence start(ui, settings);
    if (start.run(options) != quay::desk::StartupOutcome::Ready) return 1;

    quay::desk::MainFrame frame(registry, ui, settings, start.database(), start.defaults(), start.dataDirectory());
    ui.setParent(&frame);
    frame.open();
    const int status = QApplication::exec();
    ui.setParent(nullptr);
    return status;
}
