// Reading the engine's texts from the settings file.
#include "quay/reports/run/report_texts.h"

namespace quay::reports {
namespace {

void readInto(const core::Settings& settings, const char* key, std::string& text) {
    std::optional<std::string> value = settings.find(ReportTexts::kSection, key);
    if (value && !value->empty()) text = std::move(*value);
}

}  // namespace

ReportTexts ReportTexts::read(const core::Settings& settings) {
    ReportTexts t;
    readInto(settings, "Generating", t.generating);
    readInto(settings, "PercentCompleted", t.percentCompleted);
    readInto(settings, "CancelQuestion", t.cancelQuestion);
    readInto(settings, "CancelPreview", t.cancelPreviewQuestion);
    readInto(settings, "NothingToPreview", t.nothingToPreview);
    readInto(settings, "NothingToPrint", t.nothingToPrint);
    readInto(settings, "NoteTitle", t.noteTitle);
    readInto(settings, "NoPrinter", t.noPrinterWarning);
    readInto(settings, "PreviewQuestion", t.previewQuestion);
    readInto(settings, "PreviewTitle", t.previewCaption);
    return t;
}

}  // namespace quay::reports
