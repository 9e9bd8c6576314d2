// Report selection windows as the program opens them: a menu entry's procedure name
// opens its report's selection window modally on the desk's connection to the data
// set, and the window's Print runs the report the desktop's way (worker thread,
// progress window, preview, printers).
#pragma once

#include <functional>
#include <string>
#include <vector>

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

// A menu procedure and the window it opens.
struct ReportEntry {
    const char* procedure;  // "SALESBYDATESELECT"
    ReportWindow (*make)();
};

// The reports of the first set, and their windows registered with the program.
QUAY_EXPORT const std::vector<ReportEntry>& reports1Entries();
QUAY_EXPORT void registerReports1Windows(core::WindowRegistry& registry);

}  // namespace quay::reports
