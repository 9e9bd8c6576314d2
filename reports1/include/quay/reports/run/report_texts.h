// The report engine's texts as the user sees them: the progress window's title and
// percentage caption, the cancel questions, the empty-report notes and the title of the
// engine's message boxes. Each workstation may word them its own way in section
// "DISPLAY STRINGS 2.0" of tallvane.ini; a key that is absent keeps the built-in text.
#pragma once

#include <string>

#include "quay/app/settings.h"
#include "quay/export.h"

namespace quay::reports {

struct QUAY_EXPORT ReportTexts {
    static constexpr const char* kSection = "DISPLAY STRINGS 2.0";

    std::string generating = "Generating Report";                                 // key "Generating"
    std::string percentCompleted = "% Completed";                                 // key "PercentCompleted"
    std::string cancelQuestion = "Are you sure you want to CANCEL this Report?";  // key "CancelQuestion"
    std::string cancelPreviewQuestion =
        "Report Cancellation Requested!||Preview Report generated so far?";  // key "CancelPreview"
    std::string nothingToPreview = "Nothing to Preview.";                    // key "NothingToPreview"
    std::string nothingToPrint = "Nothing to Print.";                        // key "NothingToPrint"
    std::string noteTitle = "NOTE...";                                       // key "NoteTitle"
    std::string noPrinterWarning =
        "Warning:  No DEFAULT Printer Driver Found!||Continue with report anyway?";  // key "NoPrinter"
    std::string previewQuestion = "Do you wish to PREVIEW this Report?";             // key "PreviewQuestion"
    std::string previewCaption = "Preview";                                          // key "PreviewTitle"

    // The texts of `settings`, each key falling back to the built-in text above; a blank
    // value also keeps the built-in text, so a damaged entry never leaves a box empty.
    static ReportTexts read(const core::Settings& settings);
};

}  // namespace quay::reports
