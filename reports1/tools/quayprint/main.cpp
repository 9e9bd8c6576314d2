// quayprint: prints one order of a data directory without the desktop, as a PDF file or
// as text, for checking documents, for scripts and for the tests' screenshots.
//
//   quayprint [--quote | --detail | --packing | --po] (--pdf FILE | --dump | --text | --preview) DATADIR NUMBER
//   quayprint --sample DATADIR
//   quayprint --report PROCEDURE [--from DATE] [--to DATE] [--flag N]... [--choice N=VALUE]...
//             (--pdf FILE | --dump | --text) DATADIR
//
// --quote (the default) prints the quote or invoice, --detail the order detail ticket,
// --packing the packing list, --po the purchase order NUMBER. --pdf writes the pages as a PDF file, --dump writes the full
// page list (positions included), --text the pages as lines of text, --preview shows the
// pages in the desktop's preview window (print, save as PDF) and exits when it closes. --sample writes a
// small sample data set (a quote, an invoice and a long quote: orders 1 to 3) into an empty
// data directory. --report runs a report as its selection window would (PROCEDURE is its
// menu name, SALESBYDATESELECT): the window opens with its defaults, --from and --to set
// the dates (mm/dd/yyyy), --flag N ticks its Nth flag and --choice N=VALUE chooses in
// its Nth choice (both counted from 0), and Print runs it.
// Messages the report shows go to standard error; the exit status is 0 when the pages were
// written, 1 when the report ended without pages, 2 for a wrong command line.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "quay/app/console_ui.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/ui_port.h"
#include "quay/reports/engine/text_dump.h"
#include "quay/reports/output/pdf_output.h"
#include "quay/reports/po/po_print.h"
#include "quay/reports/quote/quote_print.h"
#include "quay/reports/reports2_windows.h"
#include "quay/reports/reports3_windows.h"
#include "quay/reports/run/file_output.h"
#include "quay/reports/run/page_text.h"
#include "quay/reports/tickets/order_tickets.h"
#include "quay/store/database.h"
#include "sample_data.h"

using namespace quay;

namespace {

enum class Format { Pdf, Dump, Text, Preview };

int usage() {
    std::cerr << "usage: quayprint [--quote | --detail | --packing | --po] (--pdf FILE | --dump | --text | --preview) "
                 "DATADIR NUMBER\n"
                 "       quayprint --sample DATADIR\n"
                 "       quayprint --report PROCEDURE [--from DATE] [--to DATE] [--flag N]... [--choice N=VALUE]...\n"
                 "                 (--pdf FILE | --dump | --text) DATADIR\n";
    return 2;
}

// What --report asks of the selection window.
struct WindowSettings {
    std::string procedure;
    std::string from, to;
    std::vector<std::size_t> flags;
    std::vector<std::pair<std::size_t, std::string>> choices;
};

const reports::ReportEntry* findReport(const std::string& procedure) {
    for (const auto* list : {&reports::reports1Entries(), &reports::reports2Entries(), &reports::reports3Entries()})
        for (const reports::ReportEntry& e : *list)
            if (procedure == e.procedure) return &e;
    return nullptr;
}

// Runs the report as its window's Print would; false when the window refused a setting.
bool runFromWindow(core::Database& db, core::UiPort& ui, const WindowSettings& w, const reports::ReportContext& ctx) {
    const reports::ReportEntry* entry = findReport(w.procedure);
    if (entry == nullptr) {
        std::cerr << "No report " << w.procedure << '\n';
        return false;
    }
    reports::ReportWindow window = entry->make();
    reports::ReportSelection selection(ui, window.spec,
                                       [&db, &ctx, job = window.report](core::UiPort&, const reports::RunOptions& o) {
                                           return reports::runReport(db, job, ctx, o);
                                       });
    selection.open();
    using Field = reports::ReportSelection::Field;
    for (auto [field, text] : {std::pair{Field::BeginDate, w.from}, {Field::EndDate, w.to}}) {
        if (text.empty()) continue;
        const std::string why = selection.enterDate(field, text);
        if (!why.empty()) {
            std::cerr << text << ": " << why << '\n';
            return false;
        }
    }
    for (std::size_t f : w.flags) {
        if (f >= window.spec.flags.size()) return false;
        selection.setFlag(f, true);
    }
    for (const auto& [c, value] : w.choices) {
        if (c >= window.spec.choices.size()) return false;
        selection.setChoice(c, value);
        if (selection.choice(c) != value) {
            std::cerr << value << " is not offered by " << window.spec.choices[c].caption << '\n';
            return false;
        }
    }
    selection.print();
    return true;
}

// A positive order number, all digits.
bool parseOrderNumber(const char* text, std::int32_t& out) {
    if (*text == '\0' || std::strlen(text) > 9) return false;
    for (const char* p = text; *p; ++p)
        if (*p < '0' || *p > '9') return false;
    out = static_cast<std::int32_t>(std::atol(text));
    return out > 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::string report = "quote";
    Format format = Format::Text;
    bool formatGiven = false;
    std::string pdfPath;
    std::vector<std::string> rest;
    WindowSettings window;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--sample") {
            if (i + 1 != argc - 1) return usage();
            const std::string error = reports::tools::writeSampleData(argv[i + 1]);
            if (!error.empty()) {
                std::cerr << error << '\n';
                return 1;
            }
            return 0;
        }
        if (a == "--report" && i + 1 < argc) {
            window.procedure = argv[++i];
        } else if ((a == "--from" || a == "--to") && i + 1 < argc) {
            (a == "--from" ? window.from : window.to) = argv[++i];
        } else if (a == "--flag" && i + 1 < argc) {
            window.flags.push_back(static_cast<std::size_t>(std::atoi(argv[++i])));
        } else if (a == "--choice" && i + 1 < argc) {
            const std::string c = argv[++i];
            const std::size_t eq = c.find('=');
            if (eq == std::string::npos) return usage();
            window.choices.emplace_back(static_cast<std::size_t>(std::atoi(c.substr(0, eq).c_str())), c.substr(eq + 1));
        } else if (a == "--quote" || a == "--detail" || a == "--packing" || a == "--po") {
            report = a.substr(2);
        } else if (a == "--pdf" && i + 1 < argc) {
            format = Format::Pdf;
            pdfPath = argv[++i];
            formatGiven = true;
        } else if (a == "--preview") {
            format = Format::Preview;
            formatGiven = true;
        } else if (a == "--dump" || a == "--text") {
            format = a == "--dump" ? Format::Dump : Format::Text;
            formatGiven = true;
        } else if (!a.empty() && a[0] == '-') {
            return usage();
        } else {
            rest.push_back(a);
        }
    }
    std::int32_t ordNum = 0;
    const bool byWindow = !window.procedure.empty();
    if (byWindow ? (!formatGiven || format == Format::Preview || rest.size() != 1)
                 : (!formatGiven || rest.size() != 2 || !parseOrderNumber(rest[1].c_str(), ordNum)))
        return usage();

    // A mistyped folder must not gain an empty data set of its own.
    std::error_code ec;
    if (!std::filesystem::is_directory(rest[0], ec) || std::filesystem::is_empty(rest[0], ec)) {
        std::cerr << "No data set in " << rest[0] << '\n';
        return 1;
    }
    core::Database db(rest[0]);
    if (!db.isOpen()) {
        std::cerr << "Cannot open the data set in " << rest[0] << ": " << db.driverErrorText() << '\n';
        return 1;
    }
    core::ConsoleUi ui;
    if (format == Format::Preview) {
        // The desktop's way: the worker thread, the progress window and the preview.
        reports::RunResult r = report == "detail"    ? reports::QUOTEPRINTDETAIL(db, ordNum, ui)
                               : report == "packing" ? reports::QUOTEPACKINGLIST(db, ordNum, ui)
                               : report == "po"      ? reports::PRINTPO(db, ordNum, ui)
                                                     : reports::QUOTEPRINT(db, ordNum, ui);
        return r.pages.isEmpty() ? 1 : 0;
    }
    reports::FileOutput output(format == Format::Pdf    ? reports::FileFormat::Pdf
                               : format == Format::Dump ? reports::FileFormat::Dump
                                                        : reports::FileFormat::Text,
                               format == Format::Pdf ? pdfPath : std::string());
    core::Settings settings;
    const reports::ReportContext ctx{.ui = ui,
                                     .output = output,
                                     .settings = settings,
                                     .progress = nullptr,
                                     .measurer = nullptr,
                                     .logoDirectory = {}};
    if (byWindow) {
        if (!runFromWindow(db, ui, window, ctx)) return 2;
    } else if (report == "detail")
        reports::QUOTEPRINTDETAIL(db, ordNum, ctx);
    else if (report == "packing")
        reports::QUOTEPACKINGLIST(db, ordNum, ctx);
    else if (report == "po")
        reports::PRINTPO(db, ordNum, ctx);
    else
        reports::QUOTEPRINT(db, ordNum, ctx);
    return output.written() ? 0 : 1;
}
