// Everything a report procedure needs around its data: the UI port for its messages, the
// output that previews and prints, the settings file with the engine's texts, and
// optionally a progress window, a text measurer and the folder the company logo is read
// from. The order windows pass the desktop's; tests and the command line pass their own.
#pragma once

#include <filesystem>

#include "quay/app/settings.h"
#include "quay/app/ui_port.h"
#include "quay/reports/engine/report_output.h"
#include "quay/reports/engine/text_measurer.h"
#include "quay/reports/run/progress_sink.h"

namespace quay::reports {

struct ReportContext {
    core::UiPort& ui;
    ReportOutput& output;
    const core::Settings& settings;
    ProgressSink* progress = nullptr;
    // nullptr: the installed fonts (a QGuiApplication must exist).
    const TextMeasurer* measurer = nullptr;
    // Where DEF:LOGOFILE is found; empty: the program's own directory.
    std::filesystem::path logoDirectory;
};

}  // namespace quay::reports
