// PRINTPREVIEW: runs the preview window modally on the GUI thread. A report generated on
// a worker thread hands its pages over and waits for the user's answer, since widgets may
// only live on the GUI thread.
#include "quay/reports/output/print_preview.h"

#include <QApplication>
#include <QThread>

#include "preview_window.h"
#include "quay/reports/output/printing.h"

namespace quay::reports {

int PRINTPREVIEW(const PageList& pages, const std::string& reportTitle) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (pages.isEmpty() || app == nullptr) return 0;
    if (QThread::currentThread() != app->thread()) {
        int result = 0;
        QMetaObject::invokeMethod(
            app, [&] { result = PRINTPREVIEW(pages, reportTitle); }, Qt::BlockingQueuedConnection);
        return result;
    }
    detail::PreviewWindow window(pages, reportTitle.empty() ? pages.title : reportTitle);
    window.exec();
    return window.printRequested() ? 1 : 0;
}

PreviewResult previewAndPrint(const PageList& pages, const std::string& reportTitle, int copies) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (pages.isEmpty() || app == nullptr) return PreviewResult::Closed;
    if (QThread::currentThread() != app->thread()) {
        PreviewResult result = PreviewResult::Closed;
        QMetaObject::invokeMethod(
            app, [&] { result = previewAndPrint(pages, reportTitle, copies); }, Qt::BlockingQueuedConnection);
        return result;
    }
    detail::PreviewWindow window(pages, reportTitle.empty() ? pages.title : reportTitle, nullptr, [&pages, copies] {
        if (HANDLECOPIES(pages, copies) == 1) return std::string();
        return std::string(defaultPrinterName().empty() ? "No printer is installed on this computer."
                                                        : "The printer did not accept the pages.");
    });
    window.exec();
    if (window.printed()) return PreviewResult::Printed;
    return window.printFailed() ? PreviewResult::PrintFailed : PreviewResult::Closed;
}

}  // namespace quay::reports
