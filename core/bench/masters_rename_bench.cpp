// Renaming a customer who has many dependants: N quotes, N contact-log notes and N
// schedule entries (among 10,000 other customers' quotes), carried in one transaction
// and renamed back, per iteration two renames of 3N dependant rewrites each. Also the
// delete refusal, which reads one record only whatever N is. Figures are per rename.
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/masters/master_records.h"
#include "quay/store/database.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"

namespace {

using namespace quay::core;

constexpr int kOtherOrders = 10000;

struct DataSet {
    std::string dir;
    std::unique_ptr<Database> db;

    explicit DataSet(int dependants) {
        char tmpl[] = "/tmp/quay-masters-bench-XXXXXX";
        dir = ::mkdtemp(tmpl);
        db = std::make_unique<Database>(dir);
        ScriptedUi ui;
        Handle<Customer> cus(*db);
        Handle<Orders> ord(*db);
        Handle<Comments> cmt(*db);
        Handle<Schedule> sch(*db);
        for (Table* t : {static_cast<Table*>(&cus), static_cast<Table*>(&ord), static_cast<Table*>(&cmt),
                         static_cast<Table*>(&sch)})
            openTable(ui, *t);
        Transaction tx(*db, {&cus, &ord, &cmt, &sch});
        tx.begin();
        cus.clear();
        cus.rec.Name = "Smith Hardware";
        cus.add();
        int orderNum = 0;
        for (int i = 0; i < dependants; ++i) {
            ord.clear();
            ord.rec.OrdNum = ++orderNum;
            ord.rec.CustName = "Smith Hardware";
            ord.add();
            cmt.clear();
            cmt.rec.CMTID = i + 1;
            cmt.rec.Customer = "Smith Hardware";
            cmt.rec.CMTDATE = 80000 + i;
            cmt.add();
            sch.clear();
            sch.rec.SCHID = i + 1;
            sch.rec.Customer = "Smith Hardware";
            sch.add();
        }
        for (int i = 0; i < kOtherOrders; ++i) {
            ord.clear();
            ord.rec.OrdNum = ++orderNum;
            ord.rec.CustName = "Customer " + std::to_string(i);
            ord.add();
        }
        tx.commit();
    }
    ~DataSet() {
        db.reset();
        std::filesystem::remove_all(dir);
    }
};

void BM_CustomerRename(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    DataSet data(n);
    ScriptedUi ui;
    MasterRecords masters(*data.db, ui);
    Customer a{};
    a.Name = "Smith Hardware";
    Customer b = a;
    b.Name = "Smith & Sons Hardware";
    for (auto _ : state) {
        if (masters.change(a, b) != MasterOutcome::Done || masters.change(b, a) != MasterOutcome::Done) {
            state.SkipWithError("rename failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["dependants"] = 3.0 * n;
}
BENCHMARK(BM_CustomerRename)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CustomerDeleteRefused(benchmark::State& state) {
    DataSet data(static_cast<int>(state.range(0)));
    ScriptedUi ui;
    MasterRecords masters(*data.db, ui);
    Customer a{};
    a.Name = "Smith Hardware";
    for (auto _ : state) {
        if (masters.remove(a) != MasterOutcome::Refused) {
            state.SkipWithError("delete was not refused");
            break;
        }
        ui.clearRecord();
    }
}
BENCHMARK(BM_CustomerDeleteRefused)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
