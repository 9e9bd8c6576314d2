// Invoice search by serial number: how long its first page takes to read (what the
// window waits for when it opens), a page positioned by a typed serial number, and
// the next page after a row, on a data set of 10 serial numbers and on one of
// 1,000,000 (half of them sold on invoices, half on quotes, which the search skips).
// Prints the median and the 99th percentile over 200 reads of each.
//
//   serial_search_bench [dir] [count]   builds the data sets in dir (kept for later runs)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"
#include "quay/types/date.h"
#include "serials/invoice_serial_search.h"

using namespace quay;
using Clock = std::chrono::steady_clock;

namespace {

// `count` serial numbers on lines of up to 50 (at least two lines); line k belongs to
// order k, an invoice when k is even.
bool build(core::Database& db, long count) {
    const long perLine = std::max(1L, std::min(50L, count / 2));
    core::ScriptedUi ui;
    core::Handle<core::Orders> ord(db);
    core::Handle<core::ItemsOrd> ite(db);
    core::Handle<core::Serials> ser(db);
    for (core::Table* t : std::initializer_list<core::Table*>{&ord, &ite, &ser})
        if (core::openTable(ui, *t) != core::OpenOutcome::Opened) return false;
    core::Transaction tx(db, {&ord, &ite, &ser});
    if (tx.begin() != core::ErrorCode::None) return false;
    const long lines = (count + perLine - 1) / perLine;
    long made = 0;
    char number[24];
    for (long k = 1; k <= lines; ++k) {
        ord.clear();
        ord.rec.OrdNum = static_cast<std::int32_t>(k);
        ord.rec.Status = k % 2 == 0 ? "I" : "Q";
        ord.rec.InvoiceNum = k % 2 == 0 ? static_cast<std::int32_t>(k / 2) : 0;
        ord.rec.CustName = "Customer " + std::to_string(k % 1000);
        ord.rec.OrdDate = core::today();
        if (ord.add() != core::ErrorCode::None) return false;
        ite.clear();
        ite.rec.IteNum = static_cast<std::int32_t>(k);
        ite.rec.OrdNum = static_cast<std::int32_t>(k);
        ite.rec.PartNum = "P" + std::to_string(10000 + k % 200);
        ite.rec.TRACKSERIAL = "YES";
        if (ite.add() != core::ErrorCode::None) return false;
        for (long s = 0; s < perLine && made < count; ++s, ++made) {
            ser.clear();
            ser.rec.ITENUM = static_cast<std::int32_t>(k);
            // Numbers are spread over the key so invoice and quote units interleave.
            std::snprintf(number, sizeof number, "SN%09ld", (made * 7919L) % (count * 10L));
            ser.rec.SERIALNUMBER = number;
            if (ser.add() != core::ErrorCode::None) return false;
        }
    }
    return tx.commit() == core::ErrorCode::None;
}

template <class F>
void measure(const char* what, long size, F read) {
    std::vector<double> ms;
    std::size_t rows = 0;
    for (int i = 0; i < 200; ++i) {
        const auto t = Clock::now();
        rows = read(i);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s %9ld serials  %4zu rows  p50 %7.3f ms  p99 %7.3f ms\n", what, size, rows, ms[ms.size() / 2],
                ms[ms.size() * 99 / 100]);
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path root =
        argc > 1 ? argv[1] : std::filesystem::temp_directory_path() / "quay-serial-bench";
    const long big = argc > 2 ? std::atol(argv[2]) : 1000000;
    for (long size : {10L, big}) {
        const auto dir = root / std::to_string(size);
        const bool fresh = !std::filesystem::exists(dir);
        std::filesystem::create_directories(dir);
        core::Database db(dir.string());
        if (fresh) {
            const auto t = Clock::now();
            if (!build(db, size)) {
                std::fprintf(stderr, "could not build the data set in %s\n", dir.c_str());
                return 1;
            }
            std::printf("built %ld serials in %.1f s\n", size, std::chrono::duration<double>(Clock::now() - t).count());
        }
        core::ScriptedUi ui;
        auto tables = std::make_shared<desk::InvoiceSerialTables>(db, ui);
        measure("first page (window opens)", size, [&](int) {
            core::ListWindow search(ui, tables->ser.handle, desk::invoiceSerialSpec(tables), {});
            search.open();
            return search.rowCount();
        });
        core::ListWindow search(ui, tables->ser.handle, desk::invoiceSerialSpec(tables), {});
        search.open();
        char typed[24];
        measure("page at a typed serial number", size, [&](int i) {
            std::snprintf(typed, sizeof typed, "SN%09ld", (i * 104729L) % (size * 10L));
            search.setLocatorText(typed);
            return search.rowCount();
        });
        std::snprintf(typed, sizeof typed, "SN%09ld", size * 5L);
        measure("next page after a row", size, [&](int) {
            search.setLocatorText(typed);
            search.clearLocator();
            return search.fetchAfter();
        });
    }
    return 0;
}
