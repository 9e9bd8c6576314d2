// quay: the data set's chores from the command line.
//
// Exit status: 0 done, 1 refused (the message says why), 2 bad usage.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <iostream>
#include <string>
#include <vector>
#include <unistd.h>

#include "backup/data_copy.h"
#include "quay/app/console_ui.h"
#include "quay/app/ui_port.h"
#include "quay/reports/reports2_windows.h"
#include "quay/reports/reports3_windows.h"
#include "quay/reports/run/file_output.h"
#include "quay/reports/select/report_windows.h"
#include "quay/store/database.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"
#include "quay/util/verify_ar_files.h"

using namespace quay;
namespace fs = std::filesystem;

namespace {

constexpr int kDone = 0, kRefused = 1, kUsage = 2;

const char* const kHelp =
    "usage: quay [--data DIR] COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  report NAME [--from YYYY-MM-DD] [--to YYYY-MM-DD] (--pdf FILE | --text FILE)\n"
    "                    run a report (NAME as the menu names it; 'quay report --list')\n"
    "  verify-ar         check the A/R tables, repair them and print what changed\n"
    "  backup [--to DIR] [--keep N]\n"
    "                    write a dated backup, check it, keep the newest N\n"
    "  restore FILE      replace the data set with a checked backup\n"
    "\n"
    "--data DIR names the data directory (default: the current directory).\n"
    "'quay COMMAND --help' describes a command.\n"
    "\n"
    "Exit status: 0 done, 1 refused with a message, 2 bad usage.\n";

int usage(const std::string& why) {
    std::cerr << "quay: " << why << "\n" << kHelp;
    return kUsage;
}

bool hasHelp(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

std::vector<const reports::ReportEntry*> allReports() {
    std::vector<const reports::ReportEntry*> out;
    for (const auto* list : {&reports::reports1Entries(), &reports::reports2Entries(), &reports::reports3Entries()})
        for (const reports::ReportEntry& e : *list) out.push_back(&e);
    return out;
}

// "2026-12-08" as the selection window's "12/08/2026"; blank when not an ISO date.
std::string isoToWindowDate(const std::string& iso) {
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-') return {};
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (iso[i] < '0' || iso[i] > '9') return {};
    return iso.substr(5, 2) + "/" + iso.substr(8, 2) + "/" + iso.substr(0, 4);
}

bool openData(const fs::path& dir, std::unique_ptr<core::Database>& db) {
    std::error_code ec;
    if (!fs::exists(dir / desk::kDataSetFile, ec)) {
        std::cerr << "No data set in " << dir.string() << '\n';
        return false;
    }
    db = std::make_unique<core::Database>(dir.string());
    if (!db->isOpen()) {
        std::cerr << "Cannot open the data set in " << dir.string() << ": " << db->driverErrorText() << '\n';
        return false;
    }
    return true;
}

int cmdReport(const fs::path& dataDir, const std::vector<std::string>& args) {
    if (hasHelp(args)) {
        std::cout << "usage: quay report NAME [--from YYYY-MM-DD] [--to YYYY-MM-DD] (--pdf FILE | --text FILE)\n"
                     "       quay report --list\n";
        return kDone;
    }
    std::string name, from, to, pdf, text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--list") {
            for (const auto* e : allReports()) std::cout << e->procedure << '\n';
            return kDone;
        }
        if ((a == "--from" || a == "--to" || a == "--pdf" || a == "--text") && i + 1 < args.size()) {
            (a == "--from" ? from : a == "--to" ? to : a == "--pdf" ? pdf : text) = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return usage("unknown option " + a);
        } else if (name.empty()) {
            name = a;
        } else {
            return usage("one report at a time");
        }
    }
    if (name.empty()) return usage("report: which report?");
    if (pdf.empty() == text.empty()) return usage("report: give --pdf FILE or --text FILE");
    const reports::ReportEntry* entry = nullptr;
    for (const auto* e : allReports())
        if (name == e->procedure) entry = e;
    if (entry == nullptr) {
        std::cerr << "No report " << name << " ('quay report --list' names them)\n";
        return kRefused;
    }
    std::unique_ptr<core::Database> db;
    if (!openData(dataDir, db)) return kRefused;
    core::ConsoleUi ui(kRefused);
    reports::FileOutput output(pdf.empty() ? reports::FileFormat::Text : reports::FileFormat::Pdf,
                               pdf.empty() ? text : pdf);
    core::Settings settings;
    const reports::ReportContext ctx{.ui = ui,
                                     .output = output,
                                     .settings = settings,
                                     .progress = nullptr,
                                     .measurer = nullptr,
                                     .logoDirectory = {}};
    reports::ReportWindow window = entry->make();
    reports::ReportSelection selection(ui, window.spec,
                                       [&db, &ctx, job = window.report](core::UiPort&, const reports::RunOptions& o) {
                                           return reports::runReport(*db, job, ctx, o);
                                       });
    selection.open();
    using Field = reports::ReportSelection::Field;
    for (auto [field, iso] : {std::pair{Field::BeginDate, from}, {Field::EndDate, to}}) {
        if (iso.empty()) continue;
        const std::string shown = isoToWindowDate(iso);
        if (shown.empty()) return usage(iso + " is not a date (YYYY-MM-DD)");
        const std::string why = selection.enterDate(field, shown);
        if (!why.empty()) {
            std::cerr << iso << ": " << why << '\n';
            return kRefused;
        }
    }
    selection.print();
    return output.written() ? kDone : kRefused;
}

int cmdVerifyAr(const fs::path& dataDir, const std::vector<std::string>& args) {
    if (hasHelp(args)) {
        std::cout << "usage: quay verify-ar\n"
                     "Checks the A/R tables, removes invalid records, corrects balances and prints what changed.\n";
        return kDone;
    }
    if (!args.empty()) return usage("verify-ar takes no arguments");
    std::unique_ptr<core::Database> db;
    if (!openData(dataDir, db)) return kRefused;
    core::ConsoleUi ui(kRefused);
    util::VerifyReport r;
    if (!util::VERIFYARFILES(*db, ui, &r)) return kRefused;
    std::cout << "Charges deleted: " << r.chargesDeleted << "\nPayments deleted: " << r.paymentsDeleted
              << "\nApplied payments deleted: " << r.appliedDeleted << "\nPayments corrected: " << r.paymentsCorrected
              << "\nCharges corrected: " << r.chargesCorrected << "\nBalances corrected: " << r.balancesCorrected
              << "\nRecords read: " << r.records << '\n';
    return kDone;
}

desk::CopyProgress progressOnTerminal() {
    if (isatty(STDERR_FILENO) == 0) return {};
    return [](int done, int total) {
        if (total > 0) std::fprintf(stderr, "\r%d / %d pages", done, total);
    };
}

// Removes all but the newest `keep` dated backups ("billquay-YYYY-MM-DD-HHMM.bqbackup",
// whose names sort by date) in `folder`; backups kept before a restore are left alone.
void removeOldBackups(const fs::path& folder, std::size_t keep) {
    std::vector<fs::path> dated;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.size() == std::string("billquay-2026-12-08-1530.bqbackup").size() && name.starts_with("billquay-") &&
            name.ends_with(desk::kBackupExtension))
            dated.push_back(e.path());
    }
    std::sort(dated.begin(), dated.end());
    for (std::size_t i = 0; i + keep < dated.size(); ++i) {
        if (fs::remove(dated[i], ec))
            std::cout << "Removed " << dated[i].string() << '\n';
        else
            std::cerr << "Cannot remove " << dated[i].string() << ": " << ec.message() << '\n';
    }
}

core::DateTime moment() { return core::DateTime{core::today(), core::now()}; }

int cmdBackup(const fs::path& dataDir, const std::vector<std::string>& args) {
    if (hasHelp(args)) {
        std::cout << "usage: quay backup [--to DIR] [--keep N]\n"
                     "Writes a dated backup (default folder: DATADIR/backups) and checks it; --keep N then removes\n"
                     "all but the newest N dated backups in that folder.\n";
        return kDone;
    }
    fs::path folder = dataDir / "backups";
    std::size_t keep = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--to" && i + 1 < args.size()) {
            folder = args[++i];
        } else if (args[i] == "--keep" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            if (n.empty() || n.size() > 6 || n.find_first_not_of("0123456789") != std::string::npos ||
                std::stoul(n) == 0)
                return usage("backup: --keep needs a number of backups, 1 or more");
            keep = std::stoul(n);
        } else
            return usage("backup: unknown argument " + args[i]);
    }
    std::error_code ec;
    if (!fs::exists(dataDir / desk::kDataSetFile, ec)) {
        std::cerr << "No data set in " << dataDir.string() << '\n';
        return kRefused;
    }
    const bool tty = isatty(STDERR_FILENO) != 0;
    const desk::DataCopyResult made = desk::makeBackup(dataDir, folder, moment(), progressOnTerminal());
    if (tty) std::cerr << '\n';
    if (!made.ok) {
        std::cerr << made.message << '\n';
        return kRefused;
    }
    const desk::DataCopyResult checked = desk::checkBackup(made.file);
    if (!checked.ok) {
        std::cerr << made.file.string() << ": " << checked.message << '\n';
        return kRefused;
    }
    std::cout << made.file.string() << '\n';
    if (keep > 0) removeOldBackups(folder, keep);
    return kDone;
}

int cmdRestore(const fs::path& dataDir, const std::vector<std::string>& args) {
    if (hasHelp(args)) {
        std::cout << "usage: quay restore FILE\n"
                     "Checks FILE and replaces the data set with it, keeping a backup of the current data in "
                     "DATADIR/backups.\n";
        return kDone;
    }
    if (args.size() != 1) return usage("restore: name one backup file");
    std::error_code ec;
    fs::create_directories(dataDir, ec);
    const bool tty = isatty(STDERR_FILENO) != 0;
    const bool hasData = fs::exists(dataDir / desk::kDataSetFile, ec);
    const desk::DataCopyResult r = desk::restoreBackup(dataDir, args[0], hasData ? dataDir / "backups" : fs::path{},
                                                       moment(), progressOnTerminal());
    if (tty) std::cerr << '\n';
    if (!r.ok) {
        std::cerr << r.message << '\n';
        return kRefused;
    }
    std::cout << "Restored " << args[0] << '\n';
    return kDone;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::string> args(argv + 1, argv + argc);
    fs::path dataDir = ".";
    while (!args.empty() && args[0] == "--data") {
        if (args.size() < 2) return usage("--data needs a directory");
        dataDir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return usage("which command?");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kHelp;
        return kDone;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    QApplication app(argc, argv);
    if (command == "report") return cmdReport(dataDir, args);
    if (command == "verify-ar") return cmdVerifyAr(dataDir, args);
    if (command == "backup") return cmdBackup(dataDir, args);
    if (command == "restore") return cmdRestore(dataDir, args);
    return usage("unknown command " + command);
}
