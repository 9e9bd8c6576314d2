// Invoicing from several processes against one data directory: two workstations
// saving at once get unique invoice numbers (the loser is offered the retry and
// succeeds), two stations holding the same invoice number in their invoice dialogs
// at the same moment end with the loser retrying under the next number, and a
// writer killed at random points leaves every invoice whole — its lines, its stock
// movement and its charge, or none of them — and every customer's stored balance
// equal to the balance of its charges and payments, also with eight stations
// invoicing three customers and killed at random.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "orders/invoice_dialogs.h"
#include "orders/invoice_reversal.h"
#include "orders/order_save.h"
#include "orders_test_support.h"
#include "quay/types/date.h"

namespace quay::desk {
namespace {

using Clock = std::chrono::steady_clock;

using core::Response;
using testing::money;
using testing::price;

// Invoices a new order of 1 x BOLT-1 at 10.00 for Acme through the save routine,
// taxed at 8.25% when `taxed`.
Response invoiceOneBolt(core::UiPort& ui, OrderTables& tables, bool taxed,
                        const std::string& customerName = "Acme Supply") {
    OrderWork work;
    LineEntry l;
    l.PARTNUM = "BOLT-1";
    l.QTY = money("1.00");
    l.PRICE = price("10.0000");
    l.TOTAL = money("10.00");
    l.SALESTAXABLE1 = taxed ? 1 : 0;
    l.POSITION = 1;
    work.lines.push_back(l);
    tables.ord.handle.clear();
    core::Orders& o = tables.ord.handle.rec;
    o.Status = "Q";
    o.CustName = customerName;
    o.OrdDate = core::today();
    if (taxed) o.SLSTAXRATE1 = price("8.2500");
    LineSums sums;
    (void)computeLineSums(o, work.lines, sums);
    (void)computeOrderTotals(o, sums);
    core::Orders snapshot = o;
    OrderSave save(ui, tables, work, snapshot);
    return save.run(true, true);
}

// One workstation: opens its own connection and invoices `count` new orders of
// 1 x BOLT-1 at 10.00 for Acme. Returns the number of completed saves, and how often
// the duplicate-invoice retry was offered.
struct StationResult {
    int saved = 0;
    int retries = 0;
};

StationResult runStation(const std::string& dir, int count) {
    StationResult result;
    core::Database db(dir);
    core::ScriptedUi ui;
    ui.onWindow("SaveInvoiceForm", [&](const core::WindowRequest& r) {
        auto& o = *static_cast<core::Orders*>(r.table->buffer());
        o.DOWNPAYMENT.clear();
        core::WindowResponse w;
        w.response = Response::Completed;
        return w;
    });
    OrderTables tables(db, ui);
    if (!tables.isOpen() || core::GETCOMPANYDEFAULTS(tables.def.handle, 1) != 0) return result;
    for (int i = 0; i < count; ++i)
        if (invoiceOneBolt(ui, tables, false) == Response::Completed) ++result.saved;
    for (const auto& m : ui.messages())
        if (m.text == "Duplicate Invoice Number.  Press OK to Retry.") ++result.retries;
    return result;
}

class OrdersAcrossProcesses : public testing::OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        store(customer("Acme Supply"));
        store(product("BOLT-1", "1000.00", 1));
    }

    // The A/R and stock invariants: every invoice has its lines and exactly one charge
    // of its total; every charge belongs to a stored invoice; stock went down by
    // exactly the quantities invoiced.
    void checkWhole(int* invoices = nullptr) {
        const auto orders = all<core::Orders>();
        const auto lines = all<core::ItemsOrd>();
        const auto charges = all<core::Charges>();
        std::set<std::int32_t> invoiceNums;
        std::map<std::int32_t, int> linesOf;
        for (const auto& l : lines) ++linesOf[l.OrdNum];
        std::map<std::int32_t, core::Decimal<13, 2>> chargeOf;
        for (const auto& c : charges) {
            EXPECT_EQ(chargeOf.count(c.INVOICENUM), 0u) << "two charges for invoice " << c.INVOICENUM;
            chargeOf[c.INVOICENUM] = c.AMOUNT;
        }
        core::Decimal<13, 2> sold;
        for (const auto& o : orders) {
            ASSERT_EQ(o.Status.view(), "I");
            EXPECT_TRUE(invoiceNums.insert(o.InvoiceNum).second) << "invoice number twice: " << o.InvoiceNum;
            EXPECT_EQ(linesOf[o.OrdNum], 1) << "order " << o.OrdNum;
            ASSERT_EQ(chargeOf.count(o.InvoiceNum), 1u) << "no charge for invoice " << o.InvoiceNum;
            EXPECT_EQ(chargeOf[o.InvoiceNum], o.TOTAL);
            ASSERT_EQ(sold.assign(sold + money("1.00")), core::DecimalStatus::Ok);
        }
        EXPECT_EQ(charges.size(), orders.size());
        EXPECT_EQ(lines.size(), orders.size());
        core::Decimal<13, 2> expected;
        ASSERT_EQ(expected.assign(money("1000.00") - sold), core::DecimalStatus::Ok);
        EXPECT_EQ(productNamed("BOLT-1").OnHand, expected);
        if (invoices) *invoices = static_cast<int>(orders.size());
        checkBalances();
    }

    // Every customer's CUS:BALANCEDUE equals its open charges' unpaid balances less
    // its open payments' unapplied amounts.
    void checkBalances() {
        std::map<std::string, core::Decimal<13, 2>> owed;
        for (const auto& c : all<core::Charges>()) {
            auto& sum = owed[c.Customer.str()];
            if (c.Paid == 0) {
                ASSERT_EQ(sum.assign(sum + c.UNPAIDBAL), core::DecimalStatus::Ok);
            }
        }
        for (const auto& p : all<core::Payments>()) {
            auto& sum = owed[p.Customer.str()];
            if (p.Applied == 0) {
                ASSERT_EQ(sum.assign(sum - p.UNAPPAMT), core::DecimalStatus::Ok);
            }
        }
        for (const auto& c : all<core::Customer>()) EXPECT_EQ(c.BALANCEDUE, owed[c.Name.str()]) << c.Name.str();
    }
};

TEST_F(OrdersAcrossProcesses, TwoStationsInvoicingAtOnceGetUniqueNumbers) {
    db.reset();  // each station uses a connection of its own
    constexpr int kEach = 25;
    int pipes[2][2];
    pid_t pids[2];
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(::pipe(pipes[s]), 0);
        pids[s] = ::fork();
        ASSERT_GE(pids[s], 0);
        if (pids[s] == 0) {
            const StationResult r = runStation(dir(), kEach);
            const int out[2] = {r.saved, r.retries};
            (void)!::write(pipes[s][1], out, sizeof out);
            ::_exit(0);
        }
    }
    int saved = 0;
    int retries = 0;
    for (int s = 0; s < 2; ++s) {
        int in[2] = {0, 0};
        ASSERT_EQ(::read(pipes[s][0], in, sizeof in), static_cast<ssize_t>(sizeof in));
        int status = 0;
        ::waitpid(pids[s], &status, 0);
        saved += in[0];
        retries += in[1];
        ::close(pipes[s][0]);
        ::close(pipes[s][1]);
    }
    db = std::make_unique<core::Database>(dir());
    EXPECT_EQ(saved, 2 * kEach);
    int invoices = 0;
    checkWhole(&invoices);
    EXPECT_EQ(invoices, 2 * kEach);
    std::set<std::int32_t> numbers;
    for (const auto& o : all<core::Orders>()) numbers.insert(o.InvoiceNum);
    EXPECT_EQ(*numbers.rbegin(), 2 * kEach);  // 1..50 without gaps
    RecordProperty("retries", retries);
}

// --- two stations holding the same invoice number --------------------------------

// What one racing station saw, sent back to the test through a pipe.
struct RaceResult {
    int saved = 0;              // completed saves (one expected)
    int duplicateOffers = 0;    // "Duplicate Invoice Number.  Press OK to Retry." with caption "Error", OK offered
    int addFailedNotes = 0;     // "ErrorCode: 40 Adding Orders", shown before the offer
    int otherMessages = 0;      // any other message
    int paymentDialogs = 0;     // PostInvoicePayment runs
    int dialogs = 0;            // SaveInvoiceForm runs
    std::int32_t seen[4] = {};  // the invoice number each SaveInvoiceForm run showed
    std::int32_t invoiceNum = 0;
};

// Waits for one byte on `fd`, at most 30 seconds; false when none came.
bool awaitSignal(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 30000) != 1) return false;
    char c = 0;
    return ::read(fd, &c, 1) == 1;
}
void sendSignal(int fd) { (void)!::write(fd, "x", 1); }

// One station invoicing one new order of 1 x BOLT-1 for Acme. The winner's invoice
// dialog stays open until the loser's dialog shows the same number; the loser's
// dialog stays open until the winner has committed. The loser takes 4.00 at once.
RaceResult runRacingStation(const std::string& dir, bool loser, int holdsFd, int committedFd) {
    RaceResult result;
    core::Database db(dir);
    core::ScriptedUi ui;
    ui.setDefaultAnswer(core::Button::Ok);
    ui.onWindow("SaveInvoiceForm", [&](const core::WindowRequest& r) {
        auto& o = *static_cast<core::Orders*>(r.table->buffer());
        if (result.dialogs < 4) result.seen[result.dialogs] = o.InvoiceNum;
        const bool first = result.dialogs++ == 0;
        core::WindowResponse w;
        w.response = Response::Completed;
        if (loser) {
            if (first) {
                sendSignal(holdsFd);
                if (!awaitSignal(committedFd)) w.response = Response::Cancelled;
            }
            o.DOWNPAYMENT = money("4.00");
        } else {
            if (!awaitSignal(holdsFd)) w.response = Response::Cancelled;
            o.DOWNPAYMENT.clear();
        }
        return w;
    });
    ui.onWindow("PostInvoicePayment", [&](const core::WindowRequest& r) {
        ++result.paymentDialogs;
        auto& pay = *static_cast<core::Payments*>(r.table->buffer());
        pay.Method = "Check";
        pay.CHECKNUM = "1001";
        core::WindowResponse w;
        w.response = Response::Completed;
        return w;
    });
    OrderTables tables(db, ui);
    if (!tables.isOpen() || core::GETCOMPANYDEFAULTS(tables.def.handle, 1) != 0) return result;
    if (invoiceOneBolt(ui, tables, true) == Response::Completed) {
        ++result.saved;
        result.invoiceNum = tables.ord.handle.rec.InvoiceNum;
    }
    if (!loser) sendSignal(committedFd);
    for (const auto& m : ui.messages()) {
        if (m.caption == "Error" && m.text == "Duplicate Invoice Number.  Press OK to Retry." &&
            m.buttons.has(core::Button::Ok) && m.buttons.has(core::Button::Cancel) &&
            m.defaultButton == core::Button::Ok)
            ++result.duplicateOffers;
        else if (m.caption == "Error" && m.text == "ErrorCode: 40 Adding Orders")
            ++result.addFailedNotes;
        else
            ++result.otherMessages;
    }
    return result;
}

TEST_F(OrdersAcrossProcesses, StationsHoldingTheSameInvoiceNumberTheLoserRetriesWithTheNext) {
    company([](core::Defaults& d) { d.CREDITLIMIT = "I"; });
    db.reset();
    int holds[2];
    int committed[2];
    int results[2][2];
    ASSERT_EQ(::pipe(holds), 0);
    ASSERT_EQ(::pipe(committed), 0);
    pid_t pids[2];
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(::pipe(results[s]), 0);
        pids[s] = ::fork();
        ASSERT_GE(pids[s], 0);
        if (pids[s] == 0) {
            const bool loser = s == 0;
            const RaceResult r =
                runRacingStation(dir(), loser, loser ? holds[1] : holds[0], loser ? committed[0] : committed[1]);
            (void)!::write(results[s][1], &r, sizeof r);
            ::_exit(0);
        }
    }
    RaceResult got[2];
    for (int s = 0; s < 2; ++s) {
        pollfd p{results[s][0], POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 60000), 1) << "station " << s << " did not finish";
        ASSERT_EQ(::read(results[s][0], &got[s], sizeof got[s]), static_cast<ssize_t>(sizeof got[s]));
        int status = 0;
        ::waitpid(pids[s], &status, 0);
        ::close(results[s][0]);
        ::close(results[s][1]);
    }
    for (int fd : {holds[0], holds[1], committed[0], committed[1]}) ::close(fd);
    db = std::make_unique<core::Database>(dir());
    const RaceResult& loser = got[0];
    const RaceResult& winner = got[1];

    // Both dialogs showed invoice 1; the winner stored it.
    EXPECT_EQ(winner.saved, 1);
    EXPECT_EQ(winner.dialogs, 1);
    EXPECT_EQ(winner.seen[0], 1);
    EXPECT_EQ(winner.invoiceNum, 1);
    EXPECT_EQ(winner.duplicateOffers + winner.addFailedNotes + winner.otherMessages, 0);
    // The loser was told, saw the invoice dialog again with number 2 and succeeded;
    // its payment details were kept for the retry, so the payment dialog ran once.
    EXPECT_EQ(loser.addFailedNotes, 1);
    EXPECT_EQ(loser.duplicateOffers, 1);
    EXPECT_EQ(loser.otherMessages, 0);
    ASSERT_EQ(loser.dialogs, 2);
    EXPECT_EQ(loser.seen[0], 1);
    EXPECT_EQ(loser.seen[1], 2);
    EXPECT_EQ(loser.saved, 1);
    EXPECT_EQ(loser.invoiceNum, 2);
    EXPECT_EQ(loser.paymentDialogs, 1);

    // Every invoice whole and numbered once, stock down by both sales.
    int invoices = 0;
    checkWhole(&invoices);
    EXPECT_EQ(invoices, 2);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("998.00"));
    // The loser's 4.00 is one payment applied in full to its own charge.
    const auto charges = all<core::Charges>();
    const auto payments = all<core::Payments>();
    const auto applied = all<core::Applied>();
    ASSERT_EQ(charges.size(), 2u);
    ASSERT_EQ(payments.size(), 1u);
    ASSERT_EQ(applied.size(), 1u);
    for (const core::Charges& c : charges) {
        EXPECT_EQ(c.AMOUNT, money("10.83")) << c.INVOICENUM;
        EXPECT_EQ(c.REASON.view(), "Invoice " + std::to_string(c.INVOICENUM));
        if (c.INVOICENUM == 2) {
            EXPECT_EQ(c.UNPAIDBAL, money("6.83"));
            EXPECT_EQ(applied[0].ChgId, c.Id);
        } else {
            EXPECT_EQ(c.UNPAIDBAL, money("10.83"));
        }
    }
    EXPECT_EQ(payments[0].AMOUNT, money("4.00"));
    EXPECT_EQ(payments[0].Method.view(), "Check");
    EXPECT_EQ(payments[0].UNAPPAMT, money("0.00"));
    EXPECT_EQ(applied[0].PayId, payments[0].Id);
    EXPECT_EQ(applied[0].AMOUNT, money("4.00"));
}

TEST_F(OrdersAcrossProcesses, WriterKilledMidSaveLeavesEveryInvoiceWhole) {
    db.reset();
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> delayMs(5, 400);
    for (int round = 0; round < 6; ++round) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            runStation(dir(), 200);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(rng)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    db = std::make_unique<core::Database>(dir());
    int invoices = 0;
    checkWhole(&invoices);
    EXPECT_GT(invoices, 0);
}

// One of eight stations: invoices new orders of 1 x BOLT-1 for customers picked at
// random, every third one with 3.00 paid at once, until it is killed.
[[noreturn]] void runRandomStation(const std::string& dir, unsigned seed) {
    core::Database db(dir);
    core::ScriptedUi ui;
    ui.setDefaultAnswer(core::Button::Ok);
    std::mt19937 rng(seed);
    ui.onWindow("SaveInvoiceForm", [&](const core::WindowRequest& r) {
        auto& o = *static_cast<core::Orders*>(r.table->buffer());
        o.DOWNPAYMENT.clear();
        if (rng() % 3 == 0) (void)o.DOWNPAYMENT.parse("3.00");
        core::WindowResponse w;
        w.response = Response::Completed;
        return w;
    });
    ui.onWindow("PostInvoicePayment", [](const core::WindowRequest&) {
        core::WindowResponse w;
        w.response = Response::Completed;
        return w;
    });
    OrderTables tables(db, ui);
    if (tables.isOpen() && core::GETCOMPANYDEFAULTS(tables.def.handle, 1) == 0) {
        static const char* const kCustomers[] = {"Acme Supply", "Birch Hardware", "Cedar Mills"};
        for (int i = 0; i < 100000; ++i) (void)invoiceOneBolt(ui, tables, true, kCustomers[rng() % 3]);
    }
    ::_exit(0);
}

TEST_F(OrdersAcrossProcesses, EightStationsKilledAtRandomLeaveEveryStoredBalanceRight) {
    store(customer("Birch Hardware"));
    store(customer("Cedar Mills"));
    company([](core::Defaults& d) { d.CREDITLIMIT = "I"; });
    db.reset();
    constexpr int kStations = 8;
    std::mt19937 rng(20261209);
    std::uniform_int_distribution<int> lifeMs(100, 1000);
    for (int round = 0; round < 2; ++round) {
        std::vector<std::pair<pid_t, Clock::time_point>> stations;
        const auto start = Clock::now();
        for (int s = 0; s < kStations; ++s) {
            const pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) runRandomStation(dir(), static_cast<unsigned>(round * 100 + s));
            stations.emplace_back(pid, start + std::chrono::milliseconds(lifeMs(rng)));
        }
        std::sort(stations.begin(), stations.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        for (const auto& [pid, end] : stations) {
            std::this_thread::sleep_until(end);
            ::kill(pid, SIGKILL);
            int status = 0;
            ::waitpid(pid, &status, 0);
        }
    }
    db = std::make_unique<core::Database>(dir());
    int invoices = 0;
    checkWhole(&invoices);
    EXPECT_GT(invoices, 0);
    // Every payment taken with an invoice is applied whole to that invoice's charge.
    std::map<std::int32_t, core::Decimal<13, 2>> appliedTo;
    for (const auto& a : all<core::Applied>()) appliedTo[a.ChgId] = a.AMOUNT;
    for (const auto& c : all<core::Charges>()) {
        core::Decimal<13, 2> unpaid;
        ASSERT_EQ(unpaid.assign(c.AMOUNT - appliedTo[c.Id]), core::DecimalStatus::Ok);
        EXPECT_EQ(c.UNPAIDBAL, unpaid) << "charge " << c.Id;
    }
    RecordProperty("invoices", invoices);
}

// One station invoices Acme while another turns Acme's invoices back into quotes (each
// with 3.00 paid, so the payments become credits): Acme's stored balance is its
// charges less its credits at the end, whatever the interleaving.
TEST_F(OrdersAcrossProcesses, InvoicingWhileAnotherStationConvertsInvoicesBackKeepsTheBalance) {
    company([](core::Defaults& d) { d.CREDITLIMIT = "I"; });
    db.reset();
    const pid_t invoicer = ::fork();
    ASSERT_GE(invoicer, 0);
    if (invoicer == 0) {
        core::Database own(dir());
        core::ScriptedUi ui;
        ui.setDefaultAnswer(core::Button::Ok);
        ui.onWindow("SaveInvoiceForm", [](const core::WindowRequest& r) {
            (void)static_cast<core::Orders*>(r.table->buffer())->DOWNPAYMENT.parse("3.00");
            core::WindowResponse w;
            w.response = Response::Completed;
            return w;
        });
        ui.onWindow("PostInvoicePayment", [](const core::WindowRequest&) {
            core::WindowResponse w;
            w.response = Response::Completed;
            return w;
        });
        OrderTables tables(own, ui);
        if (tables.isOpen() && core::GETCOMPANYDEFAULTS(tables.def.handle, 1) == 0)
            for (int i = 0; i < 30; ++i) (void)invoiceOneBolt(ui, tables, false);
        ::_exit(0);
    }
    const pid_t converter = ::fork();
    ASSERT_GE(converter, 0);
    if (converter == 0) {
        core::Database own(dir());
        core::ScriptedUi ui;
        ui.setDefaultAnswer(core::Button::Yes);
        std::set<std::int32_t> done;
        const auto until = Clock::now() + std::chrono::seconds(20);
        while (done.size() < 15 && Clock::now() < until) {
            core::Handle<core::Orders> ord(own);
            if (ord.open() != core::ErrorCode::None) continue;
            ord.setFileOrder();
            std::vector<std::int32_t> invoices;
            while (ord.next() == core::ErrorCode::None)
                if (ord.rec.Status.view() == "I" && !done.count(ord.rec.OrdNum)) invoices.push_back(ord.rec.OrdNum);
            ord.close();
            for (const std::int32_t n : invoices)
                if (done.size() < 15 && convertInvoiceToQuote(own, ui, n) == Response::Completed) done.insert(n);
        }
        ::_exit(done.size() == 15 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(invoicer, &status, 0);
    ::waitpid(converter, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the converter did not convert 15 invoices";
    db = std::make_unique<core::Database>(dir());
    int quotes = 0;
    for (const auto& o : all<core::Orders>()) quotes += o.Status.view() == "Q" ? 1 : 0;
    EXPECT_EQ(quotes, 15);
    EXPECT_EQ(all<core::Charges>().size(), 15u);
    checkBalances();
    // 15 invoices of 10.00 less 3.00 each still owed; 15 x 3.00 freed as credits.
    EXPECT_EQ(all<core::Customer>()[0].BALANCEDUE, money("60.00"));
}

}  // namespace
}  // namespace quay::desk
