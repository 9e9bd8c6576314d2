// Report selection windows as the program opens them: a menu entry's procedure name
// opens its report's selection window modally on the desk's connection to the data
// set, and the window's Print runs the report the desktop's way (worker thread,
// progress window, preview, printers).
#pragma once

#include <functional>
#include <string>

#include "quay/export.h"
#include "quay/reports/run/report_window.h"

namespace quay::core {
class WindowRegistry;
}

namespace quay::reports {

// Registers `procedure` (the menu's name, "SALESBYDATESELECT") to open the window that
// `make` describes; `make` runs each time the window opens.
QUAY_EXPORT void addReportWindow(core::WindowRegistry& registry, const std::string& procedure,
                                 std::function<ReportWindow()> make);

// The selection windows of the first set of reports.
QUAY_EXPORT void registerReports1Windows(core::WindowRegistry& registry);

}  // namespace quay::reports
