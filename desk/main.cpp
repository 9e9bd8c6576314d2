// quaydesk: the Billquay desktop program. Starts up on the data directory named by
// the first parameter (or the current directory), makes sure the company record
// exists, then opens the frame and runs until it is closed.
#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "program_windows.h"
#include "frame/main_frame.h"
#include "quay/views/placement_keeper.h"
#include "quay/views/qt_ui_port.h"
#include "quay/views/window_registry.h"
#include "startup/startup_sequence.h"

int main(int argc, char** argv) {
    // Answered before any window system is needed, so they work from a plain terminal.
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("quaydesk (Billquay) 1.01.00\n");
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::printf(
                "usage: quaydesk [DATADIR]\n"
                "Opens the Billquay data set in DATADIR (default: the current directory).\n"
                "  --version  print the version and exit\n"
                "  --help     print this help and exit\n"
                "Exit status: 0 closed, 1 the data set could not be opened.\n");
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Billquay"));
    // No display name: the window system would append it to every title, and the frame's
    // title already carries the program's name ("Harbourline Marine Supply - Billquay").
    QApplication::setApplicationVersion(QStringLiteral("1.01.00"));

    quay::core::WindowRegistry& registry = quay::core::WindowRegistry::instance();
    quay::desk::registerProgramWindows(registry);
    // Every window that window logic opens by handle must be there; a test keeps it so, and
    // a build that broke it stops here rather than failing when the window is asked for.
    if (const std::vector<std::string> missing = quay::desk::unregisteredWindows(registry); !missing.empty()) {
        for (const std::string& name : missing)
            std::fprintf(stderr, "quaydesk: window %s is not registered\n", name.c_str());
        return 3;
    }

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
