// The accounts on a large data set: the receivables list opening and paging, the
// business's outstanding balance, the account window of a customer with 50,000
// charges, and the A/R verification at 10 %, 50 % and 100 % of the data.
//
// At scale 1 the data set holds 1,000,000 customers, 2,000,000 charges (plus 50,000
// open charges of one large account), 1,000,000 payments and 1,500,000 applications,
// most of it paid history. Each customer i has charge A of 100.00 paid by its payment,
// and charge B of 80.00; for every second customer the payment is 180.00 and pays
// B as well, so half the customers owe 80.00. The stored balances are right, so the verification changes
// nothing (it reports what it would have changed).
//
//   accounts_bench <dir> [scale] [windows]   builds <dir>/scale-<s> once and reuses it;
//                                            "windows" leaves the verification out
//
// Prints one RATIO line per figure: the figure, its target and figure / target.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "accounts/ar_browse.h"
#include "accounts/ar_ledger.h"
#include "accounts/brws_cust_account.h"
#include "quay/app/globals.h"
#include "quay/app/scripted_ui.h"
#include "quay/app/table_open.h"
#include "quay/store/transaction.h"
#include "quay/tables/all_tables.h"
#include "quay/types/date.h"
#include "quay/util/verify_ar_files.h"

using namespace quay;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

namespace {

constexpr const char* kBig = "Big Account Co";
constexpr long kBigCharges = 50000;

std::string customerName(long i) {
    char b[32];
    std::snprintf(b, sizeof b, "Customer %07ld", i);
    return b;
}

core::Decimal<13, 2> cents(std::int64_t c) { return core::Decimal<13, 2>::fromScaled(c); }

bool build(const fs::path& dir, long customers) {
    core::Database db(dir.string());
    core::ScriptedUi ui;
    core::Handle<core::Customer> cus(db);
    core::Handle<core::Charges> chg(db);
    core::Handle<core::Payments> pay(db);
    core::Handle<core::Applied> app(db);
    core::Handle<core::Orders> ord(db);
    for (core::Table* t : std::initializer_list<core::Table*>{&cus, &chg, &pay, &app, &ord})
        if (core::openTable(ui, *t) != core::OpenOutcome::Opened) return false;
    const std::int32_t today = core::today();
    std::int32_t nextCharge = 0;
    auto batch = [&](long from, long to, const std::function<void(long)>& one) {
        for (long start = from; start < to; start += 50000) {
            core::Transaction tx(db, {&cus, &chg, &pay, &app});
            if (tx.begin() != core::ErrorCode::None) return false;
            for (long i = start; i < std::min(to, start + 50000); ++i) one(i);
            if (tx.commit() != core::ErrorCode::None) return false;
        }
        return true;
    };
    const bool ok = batch(0, customers, [&](long i) {
        const bool twice = i % 2 == 0;
        const std::string name = customerName(i);
        cus.clear();
        cus.rec.Name = name;
        cus.rec.Active = 1;
        cus.rec.LNAME = "Last" + std::to_string(i % 9973);
        cus.rec.FNAME = "First" + std::to_string(i % 997);
        cus.rec.PRICECLASS = "1";
        cus.rec.BALANCEDUE = cents(twice ? 0 : 8000);
        cus.add();
        const std::int32_t a = ++nextCharge, b = ++nextCharge;
        chg.clear();
        chg.rec.Id = a;
        chg.rec.Customer = name;
        chg.rec.Date = today - 400 + static_cast<std::int32_t>(i % 300);
        chg.rec.REASON = "Freight";
        chg.rec.AMOUNT = cents(10000);
        chg.rec.UNPAIDBAL = cents(0);
        chg.rec.Paid = 1;
        chg.add();
        chg.rec.Id = b;
        chg.rec.Date += 30;
        chg.rec.AMOUNT = cents(8000);
        chg.rec.UNPAIDBAL = cents(twice ? 0 : 8000);
        chg.rec.Paid = twice ? 1 : 0;
        chg.add();
        pay.clear();
        pay.rec.Id = static_cast<std::int32_t>(i + 1);
        pay.rec.Customer = name;
        pay.rec.Date = chg.rec.Date;
        pay.rec.Method = "Check";
        pay.rec.AMOUNT = cents(twice ? 18000 : 10000);
        pay.rec.UNAPPAMT = cents(0);
        pay.rec.Applied = 1;
        pay.add();
        app.clear();
        app.rec.PayId = pay.rec.Id;
        app.rec.ChgId = a;
        app.rec.AMOUNT = cents(10000);
        app.add();
        if (twice) {
            app.rec.ChgId = b;
            app.rec.AMOUNT = cents(8000);
            app.add();
        }
    });
    if (!ok) return false;
    cus.clear();
    cus.rec.Name = kBig;
    cus.rec.Active = 1;
    cus.rec.PRICECLASS = "1";
    cus.rec.BALANCEDUE = cents(2500 * kBigCharges);
    cus.add();
    return batch(0, kBigCharges, [&](long i) {
        chg.clear();
        chg.rec.Id = ++nextCharge;
        chg.rec.Customer = kBig;
        chg.rec.Date = today - static_cast<std::int32_t>(i % 700);
        chg.rec.REASON = "Freight";
        chg.rec.AMOUNT = cents(2500);
        chg.rec.UNPAIDBAL = cents(2500);
        chg.add();
    });
}

double ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

void ratio(const char* what, double value, double target, const char* unit) {
    std::printf("RATIO %-36s %10.1f %s  target %8.1f %s  ratio %.3f\n", what, value, unit, target, unit,
                value / target);
}

fs::path dataSet(const fs::path& root, double scale) {
    char b[32];
    std::snprintf(b, sizeof b, "scale-%g", scale);
    const fs::path dir = root / b;
    if (fs::exists(dir / "built")) return dir;
    fs::remove_all(dir);
    fs::create_directories(dir);
    const long customers = static_cast<long>(1000000 * scale);
    std::printf("building %s: %ld customers ...\n", dir.c_str(), customers);
    std::fflush(stdout);
    const auto t0 = Clock::now();
    if (!build(dir, customers)) {
        std::fprintf(stderr, "accounts_bench: building the data set failed\n");
        std::exit(1);
    }
    std::FILE* f = std::fopen((dir / "built").c_str(), "w");
    if (f) std::fclose(f);
    std::printf("built in %.1f s\n", ms(t0, Clock::now()) / 1000);
    return dir;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: accounts_bench <dir> [scale]\n");
        return 2;
    }
    const fs::path root = argv[1];
    const double scale = argc > 2 ? std::atof(argv[2]) : 1.0;
    const fs::path dir = dataSet(root, scale);
    std::printf("data set %s (scale %g)\n", dir.c_str(), scale);
    {
        core::Database db(dir.string());
        core::ScriptedUi ui;
        // The receivables list: first page and the next one.
        {
            const auto t0 = Clock::now();
            desk::ARBrowse list(db, ui, core::WindowRequest{});
            list.list().open();
            list.list().fetchAfter();
            const auto t1 = Clock::now();
            list.list().locate("Customer 05");
            list.list().fetchAfter();
            const auto t2 = Clock::now();
            ratio("ARBrowse open + page (ms)", ms(t0, t1), 100, "ms");
            ratio("ARBrowse locate + page (ms)", ms(t1, t2), 100, "ms");
            const auto t3 = Clock::now();
            list.computeOutstanding();
            const auto t4 = Clock::now();
            ratio("Outstanding balance (ms)", ms(t3, t4), 1000, "ms");
            std::printf("outstanding balance %s\n", desk::moneyText(desk::money(list.outstanding())).c_str());
        }
        // The account window of the customer with 50,000 open charges.
        {
            core::glo.CustName = kBig;
            const auto t0 = Clock::now();
            desk::BrwsCustAccount account(db, ui, core::WindowRequest{});
            const bool opened = account.open();
            const auto t1 = Clock::now();
            ratio("BrwsCustAccount 50,000 charges (ms)", ms(t0, t1), 200, "ms");
            std::printf("account opened %d with %zu charges, balance %s\n", opened, account.charges().rowCount(),
                        desk::moneyText(desk::money(account.balanceDue())).c_str());
        }
    }
    // The verification on this data set.
    if (argc <= 3 || std::string(argv[3]) != "windows") {
        core::Database db(dir.string());
        core::ScriptedUi ui;
        util::VerifyArFiles verify(db, ui);
        std::string status;
        auto mark = Clock::now();
        const auto t0 = mark;
        verify.setProgress([&](const std::string& text, std::int64_t) {
            if (text == status) return;
            const auto now = Clock::now();
            if (!status.empty()) std::printf("  %-50s %8.2f s\n", status.c_str(), ms(mark, now) / 1000);
            status = text;
            mark = now;
        });
        const bool ran = verify.run();
        const util::VerifyReport report = verify.report();
        const double s = ms(t0, Clock::now()) / 1000;
        char what[64];
        std::snprintf(what, sizeof what, "VERIFYARFILES at %g%% (s)", scale * 100);
        ratio(what, s, 60 * scale, "s");
        std::printf("verification ran %d: %lld records read, %lld changes\n", ran,
                    static_cast<long long>(report.records), static_cast<long long>(report.changes()));
    }
    return 0;
}
