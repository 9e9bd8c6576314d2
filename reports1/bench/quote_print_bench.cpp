// Speed and memory of printed orders: a 1,000-line invoice rendered to its page list
// (target under 0.5 s) and written as PDF (under 1 s), both with the installed fonts; and
// a 10,000-page report, whose peak resident memory is printed after the run.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "quay/app/scripted_ui.h"
#include "quay/reports/engine/report_run.h"
#include "quay/reports/output/font_measurer.h"
#include "quay/reports/output/pdf_output.h"
#include "quay/reports/quote/quote_print.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"

namespace {

using namespace quay;

constexpr std::int32_t kOrder = 1;

template <int D, int P>
core::Decimal<D, P> num(const char* text) {
    core::Decimal<D, P> d;
    (void)d.parse(text);
    return d;
}

// A data set with one invoice of `lines` lines, every tenth with a comment and a serial.
class InvoiceData {
public:
    explicit InvoiceData(int lines) {
        char pattern[] = "/tmp/quaybenchXXXXXX";
        m_dir = ::mkdtemp(pattern);
        m_db = std::make_unique<core::Database>(m_dir);
        for (const core::TableDesc* desc : core::fileTables()) {
            std::vector<char> buffer(desc->recordSize);
            core::Table(*m_db, *desc, buffer.data()).create();
        }
        core::Handle<core::Defaults> def(*m_db);
        core::Handle<core::Customer> cus(*m_db);
        core::Handle<core::Products> prd(*m_db);
        core::Handle<core::Orders> ord(*m_db);
        core::Handle<core::ItemsOrd> ite(*m_db);
        core::Handle<core::Serials> ser(*m_db);
        for (core::Table* t : std::initializer_list<core::Table*>{&def, &cus, &prd, &ord, &ite, &ser}) t->open();
        core::Transaction tx(*m_db, {&def, &cus, &prd, &ord, &ite, &ser});
        tx.begin();
        def.rec.COMPANYNUM = 1;
        def.rec.COMPANYNAME = "Harbour Supply Co.";
        def.rec.PRINTNAME = def.rec.PRINTADDRESS = 1;
        def.rec.ADD1 = "12 Quay Street";
        def.rec.CITY = "Portsmouth";
        def.rec.ROUNDPC = "C";
        def.add();
        cus.rec.Name = "Marsh & Daughters";
        cus.rec.COMPANY = 1;
        cus.add();
        prd.rec.PartNum = "RP-12";
        prd.rec.DESCRIPTION = "Mooring rope, polyester, 12 mm";
        prd.add();
        ord.rec.OrdNum = kOrder;
        ord.rec.InvoiceNum = 1001;
        ord.rec.Status = "I";
        ord.rec.CustName = cus.rec.Name;
        ord.rec.TOTAL = num<13, 2>("3400");
        ord.add();
        for (int i = 1; i <= lines; ++i) {
            ite.clear();
            ite.rec.IteNum = i;
            ite.rec.OrdNum = kOrder;
            ite.rec.PartNum = "RP-12";
            ite.rec.DESCRIPTION = "Mooring rope, polyester, 12 mm, cut to length";
            ite.rec.QTY = num<13, 2>("10");
            ite.rec.PRICE = num<13, 4>("3.4");
            ite.rec.TOTAL = num<13, 2>("34");
            if (i % 10 == 0) ite.rec.Comments = "Whipped ends; coiled and tagged with the customer's order number.";
            ite.add();
            if (i % 10 == 0) {
                ser.rec.ITENUM = i;
                ser.rec.SERIALNUMBER = "SN-" + std::to_string(i);
                ser.add();
            }
        }
        tx.commit();
    }
    ~InvoiceData() {
        m_db.reset();
        std::filesystem::remove_all(m_dir);
    }
    core::Database& db() { return *m_db; }

private:
    std::string m_dir;
    std::unique_ptr<core::Database> m_db;
};

InvoiceData& invoice() {
    static InvoiceData data(1000);
    return data;
}

reports::PageList printInvoice() {
    core::ScriptedUi ui;
    reports::RecordingReportOutput output;
    core::Settings settings(std::filesystem::temp_directory_path() / "quay-bench-absent.ini");
    reports::RunResult r = reports::QUOTEPRINT(invoice().db(), kOrder,
                                               reports::ReportContext{.ui = ui,
                                                                      .output = output,
                                                                      .settings = settings,
                                                                      .progress = nullptr,
                                                                      .measurer = nullptr,
                                                                      .logoDirectory = "/nonexistent"});
    return std::move(r.pages);
}

void BM_InvoiceOf1000LinesToPageList(benchmark::State& state) {
    int pages = 0;
    for (auto _ : state) {
        reports::PageList list = printInvoice();
        pages = list.pageCount();
        benchmark::DoNotOptimize(list);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_InvoiceOf1000LinesToPageList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_InvoiceOf1000LinesToPdf(benchmark::State& state) {
    const reports::PageList list = printInvoice();
    const std::string path = (std::filesystem::temp_directory_path() / "quay-bench-invoice.pdf").string();
    for (auto _ : state) {
        std::string error;
        if (!reports::writePdf(list, path, &error)) state.SkipWithError(error.c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_InvoiceOf1000LinesToPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

long peakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Ten thousand pages of 45 rows through the engine, as a long report would print them.
void BM_ReportOf10000Pages(benchmark::State& state) {
    reports::ReportLayout layout("Long report");
    reports::Band& row = layout.addBand(1, reports::BandKind::Detail, 220);
    row.add(reports::textControl("part", 0, 0, 1500, 200, ""));
    row.add(reports::textControl("desc", 1600, 0, 4000, 200, ""));
    row.add(reports::fieldControl("amount", 5800, 0, 1700, 200, "@n$-14.2", {}, reports::Alignment::Right));
    reports::Band& footer = layout.addBand(2, reports::BandKind::PageFooter, 300);
    footer.add(reports::pageNumberControl("page", 0, 50, 7500, 200, "Page {page} of {pages}"));
    const long before = peakRssKb();
    int pages = 0;
    for (auto _ : state) {
        const reports::QtTextMeasurer fonts;
        reports::ReportRun run(layout, fonts);
        for (int i = 0; run.pageCount() < 10000 || run.remainingHeight() >= 220; ++i) {
            run.setText("part", "P-" + std::to_string(i % 997));
            run.setText("desc", "Stock item " + std::to_string(i));
            run.setScaledValue("amount", 1234 + i, 2);
            run.print(1);
        }
        reports::PageList list = run.finish();
        pages = list.pageCount();
        benchmark::DoNotOptimize(list);
    }
    state.counters["pages"] = pages;
    state.counters["peak_rss_MB"] = peakRssKb() / 1024.0;
    state.counters["growth_MB"] = (peakRssKb() - before) / 1024.0;
}
BENCHMARK(BM_ReportOf10000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak resident memory of the whole run: %.1f MB\n", peakRssKb() / 1024.0);
    return 0;
}
