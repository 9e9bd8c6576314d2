// Pagination speed and page-list size for long reports: a detail band of six controls
// printed 10,000 and 100,000 times, with a wrapping description on every seventh line.
// Measured with the fixed-pitch measurer (the engine's own cost) and with the installed
// fonts (what a report run costs in the program); then the same pages written as PDF.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>

#include "quay/reports/engine/report_run.h"
#include "quay/reports/output/font_measurer.h"
#include "quay/reports/output/pdf_output.h"

namespace {

using namespace quay::reports;

class FixedPitch final : public TextMeasurer {
public:
    double width(const FontSpec&, std::string_view text) const override { return 80.0 * double(text.size()); }
    Units lineHeight(const FontSpec&) const override { return 180; }
};

ReportLayout listLayout() {
    ReportLayout layout("Bench");
    Band& h = layout.addBand(1, BandKind::PageHeader, 400);
    h.add(textControl("title", 0, 0, 4000, 250, "Inventory Value", FontSpec{.pointSize = 14, .bold = true}));
    h.add(pageNumberControl("page", 5000, 0, 2500, 250, "Page: {page} of {pages}"));
    layout.addBand(2, BandKind::PageFooter, 200).add(lineControl("", 0, 0, 7500, 0));
    Band& d = layout.addBand(3, BandKind::Detail, 200);
    d.add(textControl("part", 0, 0, 1200, 180, ""));
    d.add(wrappedText("desc", 1300, 0, 3000, 180, ""));
    d.add(fieldControl("qty", 4400, 0, 900, 180, "@n-14.2", {}, Alignment::Right));
    d.add(fieldControl("cost", 5400, 0, 1000, 180, "@n$-14.4", {}, Alignment::Right));
    d.add(fieldControl("value", 6500, 0, 1000, 180, "@n$-14.2", {}, Alignment::Right));
    d.add(lineControl("", 0, 200, 7500, 0));
    return layout;
}

void runReport(benchmark::State& state, const TextMeasurer* measurer) {
    const ReportLayout layout = listLayout();
    const int lines = static_cast<int>(state.range(0));
    std::size_t items = 0;
    int pages = 0;
    for (auto _ : state) {
        const QtTextMeasurer fonts;
        auto run = std::make_unique<ReportRun>(layout, measurer ? *measurer : fonts);
        for (int i = 0; i < lines; ++i) {
            run->setText("part", "PN-" + std::to_string(100000 + i));
            run->setText("desc", i % 7 == 0 ? "Galvanised mooring shackle with captive pin, rated for heavy swell"
                                            : "Stainless deck cleat 150 mm");
            run->setScaledValue("qty", 300 + i % 50, 2);
            run->setScaledValue("cost", 125000 + i, 4);
            run->setScaledValue("value", 37500 + i, 2);
            run->print(3);
        }
        PageList list = run->finish();
        pages = list.pageCount();
        items = 0;
        for (int p = 0; p < list.pageCount(); ++p) items += list.readPage(p)->items.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["pages"] = pages;
    state.counters["items"] = static_cast<double>(items);
    state.counters["lines/s"] =
        benchmark::Counter(double(lines) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bytes/item"] = double(sizeof(PlacedItem));
}

void BM_PaginateFixedPitch(benchmark::State& state) {
    static FixedPitch measurer;
    runReport(state, &measurer);
}
BENCHMARK(BM_PaginateFixedPitch)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaginateInstalledFonts(benchmark::State& state) { runReport(state, nullptr); }
BENCHMARK(BM_PaginateInstalledFonts)->Arg(10000)->Unit(benchmark::kMillisecond);

// Writing the 10,000-line report (about 240 pages) as a PDF file.
void BM_WritePdf(benchmark::State& state) {
    static FixedPitch measurer;
    ReportRun run(listLayout(), measurer);
    for (int i = 0; i < static_cast<int>(state.range(0)); ++i) {
        run.setText("part", "PN-" + std::to_string(100000 + i));
        run.setText("desc", "Stainless deck cleat 150 mm");
        run.setScaledValue("qty", 300 + i % 50, 2);
        run.print(3);
    }
    const PageList pages = run.finish();
    const std::string path = "/tmp/quayrep1_engine_bench.pdf";
    for (auto _ : state) {
        if (!writePdf(pages, path)) state.SkipWithError("the PDF could not be written");
    }
    std::remove(path.c_str());
    state.counters["pages"] = pages.pageCount();
    state.counters["pages/s"] =
        benchmark::Counter(double(pages.pageCount()) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WritePdf)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
