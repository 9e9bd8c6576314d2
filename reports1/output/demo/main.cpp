// A sample invoice of two pages shown in the preview window, or written as a PDF or a text
// dump: quayrep_engine_demo [--pdf FILE] [--dump] [--tiles INDEX] [--zoom INDEX]
// (INDEX: an entry of the preview's "Pages" and "Zoom" lists, from 0).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "preview_window.h"
#include "quay/reports/engine/accumulator.h"
#include "quay/reports/engine/report_run.h"
#include "quay/reports/engine/text_dump.h"
#include "quay/reports/output/font_measurer.h"
#include "quay/reports/output/pdf_output.h"
#include "quay/reports/output/print_preview.h"

using namespace quay;
using namespace quay::reports;

namespace {

enum Bands { kHeader = 1, kFooter = 2, kColumns = 3, kLine = 4, kTotals = 5 };

ReportLayout sampleLayout() {
    ReportLayout layout("Invoice# 1042");
    FontSpec bold{.bold = true};
    FontSpec title{.pointSize = 18, .bold = true};
    Band& header = layout.addBand(kHeader, BandKind::PageHeader, 1300);
    header.add(textControl("company", 0, 0, 4000, 300, "Harbour Supply Co.", title));
    header.add(textControl("address", 0, 320, 4000, 180, "12 Quay Street, Portsmouth, NH 03801"));
    header.add(textControl("doc", 5000, 0, 2500, 300, "Invoice# 1042", title, Alignment::Right));
    header.add(textControl("", 5000, 320, 1200, 180, "Page:", {}, Alignment::Right));
    header.add(pageNumberControl("page", 6300, 320, 1200, 180, "{page} of {pages}", {}, Alignment::Right));
    header.add(boxControl("", 0, 700, 3600, 500));
    header.add(textControl("", 80, 740, 1000, 180, "Bill To:", bold));
    header.add(textControl("billto", 80, 940, 3400, 180, "Marsh & Daughters Chandlery"));
    header.add(boxControl("", 3900, 700, 3600, 500));
    header.add(textControl("", 3980, 740, 1000, 180, "Ship To:", bold));
    header.add(textControl("shipto", 3980, 940, 3400, 180, "Dock 4, North Pier"));

    Band& columns = layout.addBand(kColumns, BandKind::GroupHeader, 260);
    columns.add(boxControl("", 0, 0, 7500, 260));
    columns.add(textControl("", 60, 40, 1200, 180, "Part#", bold));
    columns.add(textControl("", 1360, 40, 3000, 180, "Description", bold));
    columns.add(textControl("", 4500, 40, 800, 180, "Qty.", bold, Alignment::Right));
    columns.add(textControl("", 5400, 40, 1000, 180, "Unit Price", bold, Alignment::Right));
    columns.add(textControl("", 6450, 40, 1000, 180, "Ext.", bold, Alignment::Right));

    Band& line = layout.addBand(kLine, BandKind::Detail, 230);
    line.add(lineControl("", 0, 0, 0, 230));
    line.add(textControl("part", 60, 20, 1200, 180, ""));
    line.add(lineControl("", 1300, 0, 0, 230));
    line.add(wrappedText("desc", 1360, 20, 3000, 180));
    line.add(lineControl("", 4400, 0, 0, 230));
    line.add(fieldControl("qty", 4500, 20, 800, 180, "@n-14.2", {}, Alignment::Right));
    line.add(lineControl("", 5350, 0, 0, 230));
    line.add(fieldControl("price", 5400, 20, 1000, 180, "@n$-14.4", {}, Alignment::Right));
    line.add(lineControl("", 6420, 0, 0, 230));
    line.add(fieldControl("ext", 6450, 20, 1000, 180, "@n$-14.2", {}, Alignment::Right));
    line.add(lineControl("", 7500, 0, 0, 230));
    line.add(lineControl("", 0, 230, 7500, 0));

    Band& totals = layout.addBand(kTotals, BandKind::Totals, 700);
    totals.add(textControl("", 4500, 100, 1800, 180, "Sub Total:", bold, Alignment::Right));
    totals.add(fieldControl("subtotal", 6400, 100, 1050, 180, "@n$-15.2", {}, Alignment::Right));
    totals.add(textControl("", 4500, 320, 1800, 180, "Order Total:", bold, Alignment::Right));
    totals.add(fieldControl("total", 6400, 320, 1050, 180, "@n$-15.2", bold, Alignment::Right));
    totals.add(lineControl("", 6400, 300, 1050, 0));

    Band& footer = layout.addBand(kFooter, BandKind::PageFooter, 300);
    footer.add(lineControl("", 0, 0, 7500, 0, 5));
    footer.add(textControl("notice", 0, 80, 7500, 180, "Thank you for your business.", {}, Alignment::Center));
    return layout;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::string pdf;
    bool dump = false;
    int tiles = 0;
    int zoom = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--pdf" && i + 1 < argc)
            pdf = argv[++i];
        else if (a == "--dump")
            dump = true;
        else if (a == "--tiles" && i + 1 < argc)
            tiles = std::atoi(argv[++i]);
        else if (a == "--zoom" && i + 1 < argc)
            zoom = std::atoi(argv[++i]);
    }
    const QtTextMeasurer fonts;
    ReportRun run(sampleLayout(), fonts);
    run.print(kColumns);
    Accumulator<core::Decimal<15, 2>> total;
    for (int n = 1; n <= 40; ++n) {
        char part[16];
        std::snprintf(part, sizeof part, "PN-%d", 1000 + n);
        run.setText("part", part);
        run.setText("desc", n % 7 == 3 ? "Galvanised mooring shackle with captive pin, rated for heavy "
                                         "swell and salt spray, sold in boxes of ten"
                                       : "Stainless deck cleat 150 mm");
        const int qty = n % 4 + 1;
        const auto ext = core::Decimal<11, 2>::fromScaled(qty * 1250);
        run.setScaledValue("qty", qty * 100, 2);
        run.setScaledValue("price", 125000, 4);
        run.setValue("ext", ext);
        total.add(ext);
        run.print(kLine);
    }
    run.setValue("subtotal", total.sum());
    run.setValue("total", total.sum());
    run.print(kTotals);
    PageList pages = run.finish();
    if (dump) std::fputs(dumpText(pages).c_str(), stdout);
    if (!pdf.empty()) {
        std::string error;
        if (!writePdf(pages, pdf, &error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (dump) return 0;
    if (tiles == 0 && zoom == 0) return PRINTPREVIEW(pages, pages.title) == 1 ? 0 : 2;
    detail::PreviewWindow window(pages, pages.title);
    window.chooseTiles(tiles);
    window.chooseZoom(zoom);
    window.exec();
    return window.printRequested() ? 0 : 2;
}
