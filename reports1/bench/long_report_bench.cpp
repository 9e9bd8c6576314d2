// Memory and time of a long report: a price list of 1,000 and of 10,000 pages laid out
// with the installed fonts and written as a PDF file and as the text dump. Each case runs
// in a child process of its own, so its peak resident memory (getrusage ru_maxrss of that
// child) is its own; the growth per 1,000 pages compares the two lengths.
//
// It also prints the bytes the run's page file takes per page and the time to read one page
// back out of order (what a jump in the preview costs).
//
//   quayrep1_long_report_bench [PAGES...]      (default: 1000 10000)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "quay/reports/engine/report_run.h"
#include "quay/reports/engine/text_dump.h"
#include "quay/reports/output/font_measurer.h"
#include "quay/reports/output/pdf_output.h"

namespace {

using namespace quay::reports;
using Clock = std::chrono::steady_clock;

enum class Output { Pdf, Text };

ReportLayout priceList() {
    ReportLayout layout("Price List");
    Band& h = layout.addBand(1, BandKind::PageHeader, 450);
    h.add(textControl("title", 0, 0, 4000, 250, "Price List", FontSpec{.pointSize = 14, .bold = true}));
    h.add(pageNumberControl("page", 5000, 0, 2500, 250, "Page {page} of {pages}", {}, Alignment::Right));
    h.add(textControl("h1", 0, 250, 1200, 180, "Part"));
    h.add(textControl("h2", 1300, 250, 3000, 180, "Description"));
    h.add(textControl("h3", 4400, 250, 900, 180, "On hand", {}, Alignment::Right));
    h.add(textControl("h4", 5400, 250, 1000, 180, "Price", {}, Alignment::Right));
    h.add(textControl("h5", 6500, 250, 1000, 180, "Value", {}, Alignment::Right));
    layout.addBand(2, BandKind::PageFooter, 200).add(lineControl("", 0, 0, 7500, 0));
    Band& d = layout.addBand(3, BandKind::Detail, 200);
    d.add(textControl("part", 0, 0, 1200, 180, ""));
    d.add(wrappedText("desc", 1300, 0, 3000, 180, ""));
    d.add(fieldControl("qty", 4400, 0, 900, 180, "@n-14.2", {}, Alignment::Right));
    d.add(fieldControl("cost", 5400, 0, 1000, 180, "@n$-14.4", {}, Alignment::Right));
    d.add(fieldControl("value", 6500, 0, 1000, 180, "@n$-14.2", {}, Alignment::Right));
    d.add(lineControl("", 0, 195, 7500, 0));
    return layout;
}

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

struct Figures {
    int pages = 0;
    double layoutSeconds = 0;
    double outputSeconds = 0;
    long long outputBytes = 0;
    long long storedBytes = 0;    // the run's page file
    double readMicroseconds = 0;  // one page read back out of order, as the preview jumps
    bool ok = false;
};

// The child's work: lay the report out, then write it.
Figures runCase(int pages, Output output, const std::string& path) {
    Figures f;
    const ReportLayout layout = priceList();
    const Clock::time_point start = Clock::now();
    const QtTextMeasurer fonts;
    ReportRun run(layout, fonts);
    for (int i = 0; run.pageCount() < pages || run.remainingHeight() >= 200; ++i) {
        run.setText("part", "PN-" + std::to_string(100000 + i));
        run.setText("desc", i % 7 == 0 ? "Galvanised mooring shackle with captive pin, rated for heavy swell, " +
                                             std::to_string(i % 40) + " mm"
                                       : "Stainless deck cleat " + std::to_string(100 + i % 90) + " mm");
        run.setScaledValue("qty", 300 + i % 50, 2);
        run.setScaledValue("cost", 125000 + i, 4);
        run.setScaledValue("value", 37500 + i, 2);
        run.print(3);
    }
    PageList list = run.finish();
    f.pages = list.pageCount();
    f.layoutSeconds = secondsSince(start);
    const Clock::time_point written = Clock::now();
    if (output == Output::Pdf) {
        std::string error;
        f.ok = writePdf(list, path, &error);
        if (!f.ok) std::fprintf(stderr, "%s\n", error.c_str());
    } else {
        std::ofstream out(path, std::ios::binary);
        std::string error;
        f.ok = writeTextDump(list, out, &error) && out.flush();
        if (!f.ok) std::fprintf(stderr, "%s\n", error.c_str());
    }
    f.storedBytes = static_cast<long long>(list.storedBytes());
    // Pages far apart, so none comes from the pages kept decoded.
    const int reads = std::min(f.pages, 2000);
    const Clock::time_point reading = Clock::now();
    std::size_t items = 0;
    for (int i = 0; i < reads; ++i) items += list.readPage(static_cast<int>((i * 7919LL) % f.pages))->items.size();
    f.readMicroseconds = reads > 0 ? secondsSince(reading) * 1e6 / reads : 0.0;
    if (items == 0) f.ok = false;
    f.outputSeconds = secondsSince(written);
    std::error_code ec;
    f.outputBytes = static_cast<long long>(std::filesystem::file_size(path, ec));
    return f;
}

struct Result {
    Figures figures;
    long peakKb = 0;
    double cpuSeconds = 0;  // user and system time of the child: steadier than the clock on a busy machine
};

// Runs one case in a child process and collects its figures and its peak memory.
bool runChild(int argc, char** argv, int pages, Output output, Result& result) {
    int fds[2];
    if (pipe(fds) != 0) return false;
    const std::string path = (std::filesystem::temp_directory_path() / ("quay-long-report-" + std::to_string(getpid()) +
                                                                        (output == Output::Pdf ? ".pdf" : ".txt")))
                                 .string();
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        close(fds[0]);
        QGuiApplication app(argc, argv);
        Figures f = runCase(pages, output, path);
        std::filesystem::remove(path);
        const ssize_t n = write(fds[1], &f, sizeof f);
        _exit(n == static_cast<ssize_t>(sizeof f) && f.ok ? 0 : 1);
    }
    close(fds[1]);
    Figures f;
    const ssize_t n = read(fds[0], &f, sizeof f);
    close(fds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (n != static_cast<ssize_t>(sizeof f) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
    result.figures = f;
    result.peakKb = usage.ru_maxrss;
    result.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<int> lengths;
    for (int i = 1; i < argc; ++i) lengths.push_back(std::atoi(argv[i]));
    if (lengths.empty()) lengths = {1000, 10000};
    std::printf("%-6s %7s %10s %10s %10s %8s %12s %12s %14s %12s\n", "output", "pages", "layout_s", "output_s",
                "total_s", "cpu_s", "peak_rss_MB", "file_bytes", "stored_B/page", "read_us/page");
    for (Output output : {Output::Pdf, Output::Text}) {
        std::vector<Result> results;
        for (int pages : lengths) {
            Result r;
            char* childArgv[] = {argv[0], nullptr};
            if (!runChild(1, childArgv, pages, output, r)) {
                std::fprintf(stderr, "the %d-page case failed\n", pages);
                return 1;
            }
            const Figures& f = r.figures;
            std::printf("%-6s %7d %10.2f %10.2f %10.2f %8.2f %12.1f %12lld %14.0f %12.1f\n",
                        output == Output::Pdf ? "pdf" : "text", f.pages, f.layoutSeconds, f.outputSeconds,
                        f.layoutSeconds + f.outputSeconds, r.cpuSeconds, r.peakKb / 1024.0, f.outputBytes,
                        f.pages > 0 ? double(f.storedBytes) / f.pages : 0.0, f.readMicroseconds);
            std::fflush(stdout);
            results.push_back(r);
        }
        if (results.size() >= 2) {
            const Result& a = results.front();
            const Result& b = results.back();
            const double perThousand =
                double(b.peakKb - a.peakKb) / 1024.0 / (double(b.figures.pages - a.figures.pages) / 1000.0);
            std::printf("%-6s RSS growth per 1,000 pages: %.2f MB\n", output == Output::Pdf ? "pdf" : "text",
                        perThousand);
        }
    }
    return 0;
}
