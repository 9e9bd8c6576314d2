// How the master-data windows behave over a large data set: 1,000,000 customers and
// 200,000 products (kept between runs in the temporary directory). Prints, for the
// customer list, opening it, switching between its three tabs, typing a locator
// prefix and paging to the end; for the product list, opening it with the Price
// column following the price class; and the time of a customer rename through the
// customer form that carries the new name to 1,000 orders and 1,000 contact-log
// notes in one transaction. Run: masters_bench [customers] [products].
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/customers/customer_browse.h"
#include "quay/customers/customer_form.h"
#include "quay/defaults/company_defaults.h"
#include "quay/products/product_browse.h"
#include "quay/store/database.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"

using namespace quay::core;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

double timeIt(int times, const std::function<void()>& what) {
    const auto t = Clock::now();
    for (int i = 0; i < times; ++i) what();
    return msSince(t) / times;
}

const char* const kLast[] = {"Smith", "Jones",  "Brown",  "Taylor", "Wilson",
                             "Evans", "Walker", "Wright", "Hughes", "Green"};
const char* const kFirst[] = {"Ann", "Bob", "Cath", "Dan", "Eve", "Fred", "Gill", "Hal", "Ivy", "Jack"};

bool fill(Database& db, long customers, long products) {
    ScriptedUi ui;
    Handle<Customer> cus(db);
    Handle<Products> prd(db);
    Handle<Defaults> def(db);
    if (openTable(ui, cus) != OpenOutcome::Opened || openTable(ui, prd) != OpenOutcome::Opened ||
        openTable(ui, def) != OpenOutcome::Opened)
        return false;
    if (def.records() == 0 && createCompanyRecord(db, def, CompanyCreation::FromDefaultsForm) != ErrorCode::None)
        return false;
    if (cus.records() >= customers && prd.records() >= products) return true;
    std::printf("building %ld customers and %ld products in %s ...\n", customers, products, db.directory().c_str());
    const auto t = Clock::now();
    const long batch = 50000;
    for (long start = cus.records(); start < customers; start += batch) {
        Transaction tx(db, {&cus});
        if (tx.begin() != ErrorCode::None) return false;
        for (long i = start; i < std::min(customers, start + batch); ++i) {
            const long n = (i * 7919) % customers;  // scattered, so key order is not file order
            cus.clear();
            char name[64];
            std::snprintf(name, sizeof name, "%s, %s %07ld", kLast[n % 10], kFirst[(n / 10) % 10], n);
            cus.rec.Name = name;
            cus.rec.FNAME = kFirst[(n / 10) % 10];
            cus.rec.LNAME = kLast[n % 10];
            cus.rec.CITY = "Hull";
            cus.rec.Active = n % 20 == 0 ? 0 : 1;
            cus.rec.PRICECLASS = "1";
            if (cus.add() != ErrorCode::None) return false;
        }
        if (tx.commit() != ErrorCode::None) return false;
    }
    for (long start = prd.records(); start < products; start += batch) {
        Transaction tx(db, {&prd});
        if (tx.begin() != ErrorCode::None) return false;
        for (long i = start; i < std::min(products, start + batch); ++i) {
            const long n = (i * 7919) % products;
            prd.clear();
            char part[32];
            std::snprintf(part, sizeof part, "P%08ld", n);
            prd.rec.PartNum = part;
            prd.rec.Group = kLast[n % 10];
            prd.rec.DESCRIPTION = std::string("Part ") + part;
            prd.rec.Active = 1;
            prd.rec.COST = Decimal<13, 4>::fromScaled(n * 10);
            prd.rec.MSRP = Decimal<13, 4>::fromScaled(n * 25);
            if (prd.add() != ErrorCode::None) return false;
        }
        if (tx.commit() != ErrorCode::None) return false;
    }
    std::printf("built in %.0f ms\n", msSince(t));
    return true;
}

// The customer to rename, with its orders and notes.
bool dependants(Database& db, int count) {
    ScriptedUi ui;
    Handle<Customer> cus(db);
    Handle<Orders> ord(db);
    Handle<Comments> cmt(db);
    if (openTable(ui, cus) != OpenOutcome::Opened || openTable(ui, ord) != OpenOutcome::Opened ||
        openTable(ui, cmt) != OpenOutcome::Opened)
        return false;
    cus.rec.Name = "Bench Rename A";
    if (cus.get(Customer::byName) == ErrorCode::None) return true;
    cus.rec.Name = "Bench Rename B";
    if (cus.get(Customer::byName) == ErrorCode::None) return true;
    Transaction tx(db, {&cus, &ord, &cmt});
    if (tx.begin() != ErrorCode::None) return false;
    cus.clear();
    cus.rec.Name = "Bench Rename A";
    cus.rec.COMPANY = 1;
    cus.rec.Active = 1;
    cus.rec.PRICECLASS = "1";
    if (cus.add() != ErrorCode::None) return false;
    for (int i = 1; i <= count; ++i) {
        ord.clear();
        ord.rec.OrdNum = i;
        ord.rec.CustName = "Bench Rename A";
        cmt.clear();
        cmt.rec.CMTID = i;
        cmt.rec.Customer = "Bench Rename A";
        cmt.rec.CMTDATE = 80000 + i;
        if (ord.add() != ErrorCode::None || cmt.add() != ErrorCode::None) return false;
    }
    return tx.commit() == ErrorCode::None;
}

void customerList(Database& db) {
    ScriptedUi ui;
    Handle<Customer> cus(db);
    openTable(ui, cus);
    std::printf("\ncustomer list over %lld customers (each target < 100 ms)\n", static_cast<long long>(cus.records()));
    const double open = timeIt(20, [&] {
        ListWindow w(ui, cus, customerBrowseSpec(), {});
        w.open();
    });
    std::printf("  open the list (first page)             %8.3f ms\n", open);
    ListWindow w(ui, cus, customerBrowseSpec(), {});
    w.open();
    int tab = 0;
    const double tabs = timeIt(30, [&] { w.selectTab(++tab % 3); });
    std::printf("  switch tabs (keeping the highlight)    %8.3f ms\n", tabs);
    w.selectTab(0);
    const char* prefixes[] = {"S", "Sm", "Smi", "Wal", "Green, Ivy 05", "T"};
    int p = 0;
    const double locate = timeIt(30, [&] { w.locate(prefixes[p++ % 6]); });
    std::printf("  type a locator prefix                  %8.3f ms\n", locate);
    const double end = timeIt(20, [&] {
        w.toStart();
        w.toEnd();
    });
    std::printf("  page to the end (from the start)       %8.3f ms\n", end);
    const double back = timeIt(30, [&] { w.fetchBefore(); });
    std::printf("  page back from the end (100 rows)      %8.3f ms\n", back);
    std::printf("  rows held                              %8zu\n", w.rowCount());
}

void productList(Database& db) {
    ScriptedUi ui;
    Handle<Products> prd(db);
    openTable(ui, prd);
    std::printf("\nproduct list over %lld products\n", static_cast<long long>(prd.records()));
    glo.PriceClass = "R";
    const double open = timeIt(20, [&] {
        ListWindow w(ui, prd, productBrowseSpec(), {});
        w.open();
    });
    std::printf("  open the list, Price by class          %8.3f ms\n", open);
    ListWindow w(ui, prd, productBrowseSpec(), {});
    w.open();
    int tab = 0;
    const double tabs = timeIt(30, [&] { w.selectTab(++tab % 3); });
    std::printf("  switch tabs                            %8.3f ms\n", tabs);
    const double end = timeIt(20, [&] {
        w.toStart();
        w.toEnd();
    });
    std::printf("  page to the end                        %8.3f ms\n", end);
}

void rename(Database& db, int count) {
    ScriptedUi ui;
    Handle<Customer> cus(db);
    openTable(ui, cus);
    std::printf("\ncustomer rename carried to %d orders and %d notes (target < 1 s)\n", count, count);
    double total = 0;
    const int runs = 4;
    for (int i = 0; i < runs; ++i) {
        cus.clear();
        cus.rec.Name = "Bench Rename A";
        const bool fromA = cus.get(Customer::byName) == ErrorCode::None;
        if (!fromA) {
            cus.rec.Name = "Bench Rename B";
            cus.get(Customer::byName);
        }
        WindowRequest r;
        r.request = Request::Change;
        r.table = &cus;
        CustomerForm form(db, ui, cus, r);
        if (!form.open()) return;
        form.rec().Name = fromA ? "Bench Rename B" : "Bench Rename A";
        const auto t = Clock::now();
        const bool done = form.ok();
        const double ms = msSince(t);
        total += ms;
        std::printf("  rename %d                               %8.1f ms%s\n", i + 1, ms, done ? "" : "  (not saved)");
    }
    std::printf("  mean                                   %8.1f ms\n", total / runs);
}

}  // namespace

int main(int argc, char** argv) {
    const long customers = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long products = argc > 2 ? std::atol(argv[2]) : 200000;
    const std::string dir = (std::filesystem::temp_directory_path() /
                             ("quay_masters_bench_" + std::to_string(customers) + "_" + std::to_string(products)))
                                .string();
    std::filesystem::create_directories(dir);
    setenv("QUAY_SETTINGS", (std::filesystem::path(dir) / "tallvane.ini").c_str(), 1);
    Database db(dir);
    if (!db.isOpen() || !fill(db, customers, products) || !dependants(db, 1000)) {
        std::printf("could not build the data set\n");
        return 1;
    }
    customerList(db);
    productList(db);
    rename(db, 1000);
    return 0;
}
