// PRINTPREVIEW: runs the preview window modally on the caller's (the GUI) thread.
#include "quay/reports/engine/print_preview.h"

#include <QApplication>

#include "preview_window.h"

namespace quay::reports {

int PRINTPREVIEW(const PageList& pages, const std::string& reportTitle) {
  if (pages.isEmpty() || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return 0;
  detail::PreviewWindow window(pages, reportTitle.empty() ? pages.title : reportTitle);
  window.exec();
  return window.printRequested() ? 1 : 0;
}

}  // namespace quay::reports
