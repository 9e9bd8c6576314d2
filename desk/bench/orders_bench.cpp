// Order-entry figures on a large data set: opening the quote list positioned by a
// typed quote number, saving a 20-line invoice (p50 and p99 over 200 saves), and
// copying a 100-line order. The data set (1,000,000 orders with 5,000,000 lines at
// scale 1; "orders_bench <dir> <divisor>" makes it smaller) is built once in one
// transaction per table and kept in <dir> for later runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "orders/copy_order.h"
#include "orders/order_lists.h"
#include "orders/order_save.h"
#include "orders/order_tables.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_access.h"
#include "quay/app/table_open.h"
#include "quay/defaults/company_defaults.h"
#include "quay/store/transaction.h"
#include "quay/types/date.h"

using namespace quay;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

core::Decimal<13, 2> money(const char* t) {
    core::Decimal<13, 2> d;
    (void)d.parse(t);
    return d;
}

bool build(core::Database& db, int orders, int linesPerOrder) {
    core::ScriptedUi ui;
    core::Handle<core::Defaults> def(db);
    core::Handle<core::Customer> cus(db);
    core::Handle<core::Products> prd(db);
    core::Handle<core::Orders> ord(db);
    core::Handle<core::ItemsOrd> ite(db);
    for (core::Table* t : std::initializer_list<core::Table*>{&def, &cus, &prd, &ord, &ite})
        if (core::openTable(ui, *t) != core::OpenOutcome::Opened) return false;
    if (core::createCompanyRecord(db, def, core::CompanyCreation::FromDefaultsForm) != core::ErrorCode::None) return false;
    core::Transaction tx(db, {&cus, &prd, &ord, &ite});
    if (tx.begin() != core::ErrorCode::None) return false;
    for (int c = 0; c < 1000; ++c) {
        cus.clear();
        cus.rec.Name = "Customer " + std::to_string(100000 + c);
        cus.rec.Active = 1;
        cus.rec.PRICECLASS = "1";
        if (cus.add() != core::ErrorCode::None) return false;
    }
    for (int p = 0; p < 200; ++p) {
        prd.clear();
        prd.rec.PartNum = "P" + std::to_string(10000 + p);
        prd.rec.Active = 1;
        prd.rec.ADJUSTSTOCK = 1;
        (void)prd.rec.OnHand.parse("1000000");
        (void)prd.rec.PRICECLASS1.parse("9.9500");
        prd.rec.TRACKSERIAL = "NO";
        if (prd.add() != core::ErrorCode::None) return false;
    }
    std::int32_t line = 0;
    for (int o = 1; o <= orders; ++o) {
        ord.clear();
        ord.rec.OrdNum = o;
        const bool invoice = o % 2 == 0;
        ord.rec.Status = invoice ? "I" : "Q";
        ord.rec.InvoiceNum = invoice ? o / 2 : 0;
        ord.rec.CustName = "Customer " + std::to_string(100000 + o % 1000);
        ord.rec.OrdDate = core::today() - o % 700;
        ord.rec.TOTAL = money("49.75");
        if (ord.add() != core::ErrorCode::None) return false;
        for (int k = 0; k < linesPerOrder; ++k) {
            ite.clear();
            ite.rec.IteNum = ++line;
            ite.rec.OrdNum = o;
            ite.rec.PartNum = "P" + std::to_string(10000 + (o + k) % 200);
            ite.rec.QTY = money("1.00");
            ite.rec.TOTAL = money("9.95");
            if (ite.add() != core::ErrorCode::None) return false;
        }
    }
    return tx.commit() == core::ErrorCode::None;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1] : "/tmp/quay-orders-bench";
    const int divisor = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const int orders = 1000000 / divisor;
    std::filesystem::create_directories(dir);
    const bool fresh = !std::filesystem::exists(std::filesystem::path(dir) / ".orders-bench-built");
    core::Database db(dir);
    if (!db.isOpen()) {
        std::fprintf(stderr, "cannot open %s\n", dir.c_str());
        return 1;
    }
    if (fresh) {
        const auto t = Clock::now();
        if (!build(db, orders, 5)) {
            std::fprintf(stderr, "building the data set failed\n");
            return 1;
        }
        std::FILE* mark = std::fopen((std::filesystem::path(dir) / ".orders-bench-built").c_str(), "w");
        if (mark) std::fclose(mark);
        std::printf("built %d orders, %d lines in %.1f s\n", orders, orders * 5, msSince(t) / 1000);
    }

    core::ScriptedUi ui;
    // 1. The quote list opened and positioned by a typed quote number.
    {
        std::vector<double> times;
        for (int i = 0; i < 20; ++i) {
            const auto t = Clock::now();
            core::HeldTable<core::Orders> ord(db, ui);
            core::ListWindow list(ui, ord.handle, desk::orderListSpec(desk::OrderListKind::Quotes), {});
            list.open();
            list.selectTab(1);
            list.setLocatorText(std::to_string(orders / 2 + 1 + i * 2));
            times.push_back(msSince(t));
            if (list.rowCount() == 0) std::fprintf(stderr, "no rows\n");
        }
        std::sort(times.begin(), times.end());
        std::printf("quote list open + position by number: median %.2f ms, worst %.2f ms (target < 100 ms)\n",
                    times[times.size() / 2], times.back());
    }

    // 2. Saving a 20-line invoice.
    {
        ui.onWindow("SaveInvoiceForm", [](const core::WindowRequest& r) {
            static_cast<core::Orders*>(r.table->buffer())->DOWNPAYMENT.clear();
            core::WindowResponse w;
            w.response = core::Response::Completed;
            return w;
        });
        desk::OrderTables t(db, ui);
        core::GETCOMPANYDEFAULTS(t.def.handle, 1);
        std::vector<double> times;
        for (int i = 0; i < 200; ++i) {
            desk::OrderWork work;
            for (int k = 0; k < 20; ++k) {
                desk::LineEntry l;
                l.PARTNUM = "P" + std::to_string(10000 + (i + k) % 200);
                l.QTY = money("1.00");
                (void)l.PRICE.parse("9.9500");
                l.POSITION = k + 1;
                (void)desk::computeLineTotal(l);
                work.lines.push_back(l);
            }
            t.ord.handle.clear();
            t.ord.handle.rec.Status = "Q";
            t.ord.handle.rec.CustName = "Customer 100007";
            t.ord.handle.rec.OrdDate = core::today();
            desk::LineSums sums;
            (void)desk::computeLineSums(t.ord.handle.rec, work.lines, sums);
            (void)desk::computeOrderTotals(t.ord.handle.rec, sums);
            core::Orders snap = t.ord.handle.rec;
            const auto start = Clock::now();
            desk::OrderSave save(ui, t, work, snap);
            if (save.run(true, true) != core::Response::Completed) std::fprintf(stderr, "save failed\n");
            times.push_back(msSince(start));
        }
        std::sort(times.begin(), times.end());
        std::printf("save 20-line invoice: p50 %.2f ms, p99 %.2f ms over 200 saves (target p99 < 50 ms)\n",
                    times[100], times[197]);
    }

    // 3. Copying a 100-line order.
    {
        desk::OrderTables t(db, ui);
        std::int32_t highestOrder = 0, highestLine = 0;
        desk::highestNumber(t.ordScan.handle, core::Orders::byOrdNum, [](const core::Orders& o) { return o.OrdNum; }, highestOrder);
        desk::highestNumber(t.iteScan.handle, core::ItemsOrd::byIteNum, [](const core::ItemsOrd& i) { return i.IteNum; }, highestLine);
        core::Transaction tx(db, {&t.ord.handle, &t.ite.handle});
        tx.begin();
        t.ord.handle.clear();
        t.ord.handle.rec.OrdNum = highestOrder + 1;
        t.ord.handle.rec.Status = "Q";
        t.ord.handle.rec.CustName = "Customer 100001";
        t.ord.handle.add();
        for (int k = 0; k < 100; ++k) {
            t.ite.handle.clear();
            t.ite.handle.rec.IteNum = highestLine + 1 + k;
            t.ite.handle.rec.OrdNum = highestOrder + 1;
            t.ite.handle.rec.PartNum = "P10001";
            t.ite.handle.add();
        }
        tx.commit();
        std::vector<double> times;
        for (int i = 0; i < 5; ++i) {
            core::glo.OrdNum = highestOrder + 1;
            desk::CopyOrder copy(db, ui);
            copy.open();
            ui.answer(core::Button::Yes);
            const auto start = Clock::now();
            if (copy.ok() != core::Response::Completed) std::fprintf(stderr, "copy failed\n");
            times.push_back(msSince(start));
        }
        std::sort(times.begin(), times.end());
        std::printf("copy 100-line order: median %.2f ms, worst %.2f ms (target < 200 ms)\n", times[2], times.back());
    }
    return 0;
}
