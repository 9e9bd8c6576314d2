// Time and memory of the statements, the aging report and the product sales analysis on a
// large data set. At scale 1 it holds 100,000 customers with 1,000,000 open charges (ten
// each, the first two of every customer charged by an invoice) and 100,000 paid ones (one
// each), 200,000 unapplied payments (two each) and 100,000 applied ones; 200,000 products
// and 5,000,000 invoice lines on 500,000 invoices over fourteen months.
//
//   quayrep3_reports_bench <dir> [scale [aging|statements|analysis]]
//                                           builds <dir>/scale-<s> once and reuses it; runs
//                                           every case, or the one named
//
// Each case runs in a child process of its own, so its peak resident memory (ru_maxrss of
// that child) is its own. Prints one line per figure with its target.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "accounts/ar_jobs.h"
#include "analysis/analysis_jobs.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/reports/engine/report_output.h"
#include "quay/reports/output/font_measurer.h"
#include "quay/reports/output/pdf_output.h"
#include "quay/reports/run/progress_sink.h"
#include "quay/reports/run/report_procedure.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"
#include "quay/types/clock.h"
#include "quay/types/date.h"

using namespace quay;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

std::string customerName(long i) {
    char b[32];
    std::snprintf(b, sizeof b, "Customer %06ld", i);
    return b;
}
std::string partNumber(long i) {
    char b[32];
    std::snprintf(b, sizeof b, "P-%06ld", i);
    return b;
}
core::Decimal<13, 2> cents(std::int64_t c) { return core::Decimal<13, 2>::fromScaled(c); }

struct Scale {
    long customers, products, invoices;
    static constexpr int kOpenCharges = 10, kUnapplied = 2, kLinesPerInvoice = 10;
};

bool build(const fs::path& dir, const Scale& s) {
    core::Database db(dir.string());
    core::ScriptedUi ui;
    core::Handle<core::Defaults> def(db);
    core::Handle<core::Customer> cus(db);
    core::Handle<core::Charges> chg(db);
    core::Handle<core::Payments> pay(db);
    core::Handle<core::Orders> ord(db);
    core::Handle<core::ItemsOrd> ite(db);
    core::Handle<core::Products> prd(db);
    std::vector<core::Table*> all{&def, &cus, &chg, &pay, &ord, &ite, &prd};
    for (core::Table* t : all)
        if (core::openTable(ui, *t) != core::OpenOutcome::Opened) return false;
    for (const core::TableDesc* d : core::fileTables()) {  // the reports open the others too
        std::vector<char> buffer(d->recordSize);
        core::Table t(db, *d, buffer.data());
        (void)t.create();
    }
    const std::int32_t today = core::today();
    auto batch = [&](long count, const std::function<void(long)>& one) {
        for (long start = 0; start < count; start += 50000) {
            core::Transaction tx(db, all);
            if (tx.begin() != core::ErrorCode::None) return false;
            for (long i = start; i < std::min(count, start + 50000); ++i) one(i);
            if (tx.commit() != core::ErrorCode::None) return false;
        }
        return true;
    };
    def.clear();
    def.rec.COMPANYNUM = 1;
    def.rec.COMPANYNAME = "Harbour Supply Co.";
    def.rec.ADD1 = "12 Quay Street";
    def.rec.CITY = "Portsmouth";
    def.rec.STATE = "NH";
    def.rec.ZIPCODE = "03801";
    def.rec.PHONE1 = "(603)555-0100";
    def.rec.Bill30Comments = "Your account is 30 days past due.  Please send your payment today.";
    def.rec.Bill90Comments = "Your account is 90 days or more past due and is on hold until paid.";
    if (def.add() != core::ErrorCode::None) return false;
    std::int32_t nextCharge = 0, nextPayment = 0;
    bool ok = batch(s.customers, [&](long i) {
        const std::string name = customerName(i);
        cus.clear();
        cus.rec.Name = name;
        cus.rec.Active = 1;
        cus.rec.ADDRESS1 = std::to_string(1 + i % 400) + " Harbour Road";
        cus.rec.CITY = "Kittery";
        cus.rec.STATE = "ME";
        cus.rec.ZipCode = "03904";
        cus.add();
        chg.clear();
        chg.rec.Customer = name;
        for (int k = 0; k <= Scale::kOpenCharges; ++k) {
            chg.rec.Id = ++nextCharge;
            chg.rec.Paid = k == Scale::kOpenCharges ? 1 : 0;  // one paid charge after the open ones
            chg.rec.Date = today - 10 - static_cast<std::int32_t>((i * 7 + k * 13) % 150);
            chg.rec.INVOICENUM = k < 2 && i * 2 + k < s.invoices ? static_cast<std::int32_t>(i * 2 + k + 1) : 0;
            chg.rec.REASON = chg.rec.INVOICENUM ? "Invoice" : "Freight and handling";
            chg.rec.AMOUNT = cents(100 + (i * 31 + k * 17) % 1200);
            chg.rec.UNPAIDBAL = chg.rec.Paid ? cents(0) : chg.rec.AMOUNT;
            chg.add();
        }
        pay.clear();
        pay.rec.Customer = name;
        pay.rec.Method = "Check";
        for (int k = 0; k <= Scale::kUnapplied; ++k) {
            pay.rec.Id = ++nextPayment;
            pay.rec.Applied = k == Scale::kUnapplied ? 1 : 0;
            pay.rec.Date = today - 5 - k;
            pay.rec.AMOUNT = cents(1500 + k * 250);
            pay.rec.UNAPPAMT = pay.rec.Applied ? cents(0) : pay.rec.AMOUNT;
            pay.add();
        }
    });
    ok = ok && batch(s.products, [&](long i) {
             prd.clear();
             prd.rec.PartNum = partNumber(i);
             prd.rec.Active = 1;
             prd.rec.Group = i % 3 ? "HARDWARE" : "ROPE";
             prd.rec.DESCRIPTION = "Galvanised shackle " + std::to_string(i % 97);
             prd.rec.OnHand = cents(100 * (i % 40));
             prd.add();
         });
    ok = ok && batch(s.invoices, [&](long i) {
             ord.clear();
             ord.rec.OrdNum = static_cast<std::int32_t>(i + 1);
             ord.rec.InvoiceNum = static_cast<std::int32_t>(i + 1);
             ord.rec.Status = "I";
             ord.rec.CustName = customerName(i % s.customers);
             ord.rec.OrdDate = today - static_cast<std::int32_t>(i % 420);
             ord.rec.REFERENCE = i % 2 ? "Standing order" : "";
             ord.add();
             ite.clear();
             ite.rec.OrdNum = ord.rec.OrdNum;
             for (int k = 0; k < Scale::kLinesPerInvoice; ++k) {
                 const long n = i * Scale::kLinesPerInvoice + k;
                 ite.rec.IteNum = static_cast<std::int32_t>(n + 1);
                 ite.rec.PartNum = partNumber((n * 7919) % s.products);
                 ite.rec.QTY = cents(100 * (1 + k % 3));
                 ite.rec.TOTAL = cents(995 * (1 + k % 3));
                 ite.add();
             }
         });
    return ok;
}

// Pages kept, nothing shown.
class KeepPages final : public reports::ReportOutput {
public:
    reports::PreviewResult preview(const reports::PageList& pages, const std::string&, int) override {
        kept = pages;
        return reports::PreviewResult::Closed;
    }
    int handleCopies(const reports::PageList&, int) override { return 1; }
    int supported(int) override { return 1; }
    int print(const reports::PageList&, int) override { return 1; }
    std::string defaultPrinter() override { return "Bench"; }
    reports::PageList kept;
};

// A progress window nobody looks at: the run counts the records for it.
class QuietProgress final : public reports::ProgressSink {
public:
    void progress(int) override {}
    bool cancelRequested() override { return false; }
};

struct Figures {
    double listSeconds = 0;
    double pdfSeconds = 0;
    long pages = 0;
    long long records = 0;
    bool ok = false;
};

Figures runCase(const fs::path& dir, int which) {
    Figures f;
    core::Database db(dir.string());
    core::ScriptedUi ui;
    KeepPages out;
    core::Settings settings(dir / "absent.ini");
    const reports::QtTextMeasurer fonts;
    QuietProgress progress;
    const reports::ReportContext ctx{.ui = ui,
                                     .output = out,
                                     .settings = settings,
                                     .progress = which == 3 ? &progress : nullptr,
                                     .measurer = &fonts,
                                     .logoDirectory = {}};
    core::glo.reset();
    core::glo.HiDate1 = core::today();
    core::glo.LowDate1 = *core::addMonths(core::today(), -11);
    core::glo.Dollars = "D";
    const Clock::time_point start = Clock::now();
    reports::ReportJobFactory job;
    if (which == 0 || which == 3)
        job = [](core::Database& d) { return std::make_unique<reports::detail::AgingJob>(d); };
    if (which == 1) job = [](core::Database& d) { return std::make_unique<reports::detail::StatementJob>(d); };
    if (which == 2) job = [](core::Database& d) { return std::make_unique<reports::detail::ProductAnalysisJob>(d); };
    const reports::RunResult r = reports::runReport(db, job, ctx);
    f.listSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    f.pages = out.kept.pageCount();
    f.records = r.recordsRead;
    f.ok = r.outcome == reports::RunOutcome::Previewed;
    if (which == 1 && f.ok) {
        const Clock::time_point p = Clock::now();
        std::string error;
        const fs::path pdf = dir / "statements.pdf";
        f.ok = reports::writePdf(out.kept, pdf.string(), &error);
        f.pdfSeconds = std::chrono::duration<double>(Clock::now() - p).count();
        if (!f.ok) std::fprintf(stderr, "%s\n", error.c_str());
        fs::remove(pdf);
    }
    return f;
}

// The processor time of the last child (user and system): on a machine other work shares,
// it tells what the case costs when the wall clock does not.
double g_cpuSeconds = 0;

// Runs the case in a child; its figures come back through a pipe.
bool inChild(const fs::path& dir, int which, Figures& f, long& peakKb, int argc, char** argv) {
    g_cpuSeconds = 0;
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        const Figures r = runCase(dir, which);
        (void)!write(fds[1], &r, sizeof r);
        _exit(0);
    }
    close(fds[1]);
    const bool got = read(fds[0], &f, sizeof f) == static_cast<ssize_t>(sizeof f);
    close(fds[0]);
    int status = 0;
    rusage use{};
    wait4(pid, &status, 0, &use);
    peakKb = use.ru_maxrss;
    g_cpuSeconds = static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
                   static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
    return got && f.ok;
}

void figure(const char* what, double value, const char* unit, double target, double scale) {
    std::printf("%-40s %8.2f %-2s  target < %6.1f %-2s (at scale %.2f)%s\n", what, value, unit, target, unit, scale,
                value < target ? "" : "  OVER TARGET");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quayrep3_reports_bench <dir> [scale]\n");
        return 2;
    }
    const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
    if (scale <= 0 || scale > 1) return 2;
    const Scale s{static_cast<long>(100000 * scale), static_cast<long>(200000 * scale),
                  static_cast<long>(500000 * scale)};
    char tag[32];
    std::snprintf(tag, sizeof tag, "scale-%.3f", scale);
    const fs::path dir = fs::path(argv[1]) / tag;
    if (!fs::exists(dir / "built")) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const Clock::time_point b = Clock::now();
        if (!build(dir, s)) {
            std::fprintf(stderr, "could not build the data set\n");
            return 1;
        }
        std::ofstream(dir / "built") << "ok\n";
        std::printf("built %s in %.0f s\n", dir.c_str(), std::chrono::duration<double>(Clock::now() - b).count());
    }
    std::printf(
        "data: %ld customers, %ld open charges, %ld paid charges, %ld unapplied payments; %ld products, %ld "
        "invoice lines\n",
        s.customers, s.customers * Scale::kOpenCharges, s.customers, s.customers * Scale::kUnapplied, s.products,
        s.invoices * Scale::kLinesPerInvoice);
    const std::string only = argc > 3 ? argv[3] : "";
    Figures f;
    long peak = 0;
    if (!only.empty() && only != "aging") {
    } else if (inChild(dir, 0, f, peak, argc, argv)) {
        std::printf("aging report: %ld pages, %lld charges read, peak %ld MB, processor %.2f s for the whole child\n",
                    f.pages, f.records, peak / 1024, g_cpuSeconds);
        figure("aging report page list", f.listSeconds, "s", 5 * scale, scale);
        if (inChild(dir, 3, f, peak, argc, argv))
            std::printf("  (with a progress window, which counts the charges first: %.2f s, processor %.2f s)\n",
                        f.listSeconds, g_cpuSeconds);
    } else {
        std::printf("aging report FAILED\n");
    }
    if (!only.empty() && only != "statements") {
    } else if (inChild(dir, 1, f, peak, argc, argv)) {
        std::printf("statements: %ld pages, page list %.2f s, PDF %.2f s, processor %.2f s for the whole child\n",
                    f.pages, f.listSeconds, f.pdfSeconds, g_cpuSeconds);
        figure("statements for every customer to PDF", f.listSeconds + f.pdfSeconds, "s", 60 * scale, scale);
        figure("statements peak memory", peak / 1024.0, "MB", 100, scale);
    } else {
        std::printf("statements FAILED\n");
    }
    if (!only.empty() && only != "analysis") {
    } else if (inChild(dir, 2, f, peak, argc, argv)) {
        std::printf(
            "product analysis: %ld pages, %lld products read, peak %ld MB, processor %.2f s for the whole child\n",
            f.pages, f.records, peak / 1024, g_cpuSeconds);
        figure("product analysis page list", f.listSeconds, "s", 30 * scale, scale);
    } else {
        std::printf("product analysis FAILED\n");
    }
    return 0;
}
