// The invoicing save broken off at every write it makes: the record store's fault
// hook fails the 1st, 2nd, ... write or commit of the save until one attempt gets
// through. After each failed attempt every stored record (order, lines, serial
// numbers, stock, charge, payment, application, the customer's balance) is exactly
// as before it, the user was told what failed, and the form still holds the quote
// to save again.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <map>

#include "orders/invoice_dialogs.h"
#include "orders/order_save.h"
#include "orders_test_support.h"
#include "quay/store/store_faults.h"
#include "quay/types/date.h"

namespace quay::desk {
namespace {

using core::Response;
using testing::money;
using testing::price;

// Every row of every table of the data set, as text, in a fixed order: two dumps are
// equal exactly when the stored data is.
std::string dumpDataSet(const std::string& dir) {
    sqlite3* db = nullptr;
    const std::string path = dir + "/billquay.sqlite3";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "cannot open";
    }
    std::vector<std::string> tables;
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
    sqlite3_finalize(list);
    std::string out;
    for (const std::string& t : tables) {
        std::vector<std::string> rows;
        sqlite3_stmt* rs = nullptr;
        sqlite3_prepare_v2(db, ("SELECT * FROM \"" + t + "\"").c_str(), -1, &rs, nullptr);
        while (sqlite3_step(rs) == SQLITE_ROW) {
            std::string row;
            for (int c = 0; c < sqlite3_column_count(rs); ++c) {
                const unsigned char* v = sqlite3_column_text(rs, c);
                row += v ? reinterpret_cast<const char*>(v) : "<null>";
                row += '|';
            }
            rows.push_back(row);
        }
        sqlite3_finalize(rs);
        std::sort(rows.begin(), rows.end());
        out += "[" + t + "]\n";
        for (const std::string& r : rows) out += r + "\n";
    }
    sqlite3_close(db);
    return out;
}

// What the user is told when the named write fails (90 is the driver error).
const std::map<std::string, std::string>& messageForFault() {
    static const std::map<std::string, std::string> m = {
        {"add Orders", "Error adding/updating Orders.tps.:90"},
        {"put Orders", "Error adding/updating Orders.tps.:90"},
        {"erase Serials", "Error deleting Serial Numbers in Serials.tps.  Please repair database."},
        {"erase ItemsOrd", "Error deleting items in ItemsOrd.tps.  Please repair database."},
        {"add ItemsOrd", "Error adding records to ItemsOrd.tps.  Please repair database."},
        {"add Serials", "Error adding records to Serials.tps.  Please repair database."},
        {"put Products", "Error updating inventory records (Products).  Please repair database."},
        {"add Charges", "Error updating AR records (Charges).  Please repair database."},
        {"add Payments", "Error updating AR records (Payments).  Please repair database."},
        {"add Applied", "Error updating AR records (Applied).  Please repair database."},
        {"put Customer", "Error updating the customer's balance (Customer).  Please repair database."},
        {"commit", "Error saving the order: 90 injected I/O error"},
    };
    return m;
}

// The user, who also notes every message shown while this station held the data
// set's write lock: a box waiting for OK then would keep every other station waiting.
class LockWatchingUi : public core::ScriptedUi {
public:
    core::Database* db = nullptr;
    int shownUnderLock = 0;
    core::Button message(std::string_view caption, std::string_view text, core::Icon icon, core::ButtonSet buttons,
                         core::Button defaultButton) override {
        if (db != nullptr && db->inTransaction()) ++shownUnderLock;
        return ScriptedUi::message(caption, text, icon, buttons, defaultButton);
    }
};

class OrderSaveFaults : public testing::OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        lui.db = db.get();
        store(customer("Acme Supply", "0.00"));
        store(product("BOLT-1", "10.00", 1));
        store(product("NUT-2", "4.00", 1));
        company([](core::Defaults& d) { d.CREDITLIMIT = "I"; });
        lui.onWindow("SaveInvoiceForm", [this](const core::WindowRequest& r) {
            auto& order = *static_cast<core::Orders*>(r.table->buffer());
            order.DOWNPAYMENT = money("5.00");
            core::WindowResponse w;
            w.response = Response::Completed;
            return w;
        });
        lui.onWindow("PostInvoicePayment", [](const core::WindowRequest& r) {
            static_cast<core::Payments*>(r.table->buffer())->Method = "Check";
            core::WindowResponse w;
            w.response = Response::Completed;
            return w;
        });
        tables = std::make_unique<OrderTables>(*db, lui);
        ASSERT_TRUE(tables->isOpen());
        ASSERT_EQ(core::GETCOMPANYDEFAULTS(tables->def.handle, 1), 0);
        // An earlier invoice of Acme's, so the balance has something to add to.
        core::Charges earlier;
        earlier.Id = 1;
        earlier.Customer = "Acme Supply";
        earlier.INVOICENUM = 0;
        earlier.Date = core::today() - 10;
        earlier.REASON = "Service";
        earlier.AMOUNT = money("20.00");
        earlier.UNPAIDBAL = money("20.00");
        store(earlier);
    }
    void TearDown() override {
        core::StoreFaults::disarm();
        tables.reset();
        OrdersTest::TearDown();
    }

    // A quote for Acme: 2 x BOLT-1 at 12.50 with serial numbers SN-1 and SN-2, and
    // 1 x NUT-2 at 10.00.
    void quote() {
        core::Orders& o = tables->ord.handle.rec;
        tables->ord.handle.clear();
        o.Status = "Q";
        o.CustName = "Acme Supply";
        o.OrdDate = core::today();
        work.clear();
        for (const auto& [part, qty, each] : {std::tuple{"BOLT-1", "2.00", "12.5000"}, {"NUT-2", "1.00", "10.0000"}}) {
            LineEntry l;
            l.PARTNUM = part;
            l.QTY = money(qty);
            l.PRICE = price(each);
            l.TRACKSERIAL = "NO";
            l.POSITION = work.nextPosition();
            ASSERT_EQ(computeLineTotal(l), core::DecimalStatus::Ok);
            work.lines.push_back(l);
        }
        work.serials.push_back({0, core::FixedString<20>("SN-1"), 1});
        work.serials.push_back({0, core::FixedString<20>("SN-2"), 1});
        LineSums sums;
        ASSERT_EQ(computeLineSums(o, work.lines, sums), core::DecimalStatus::Ok);
        ASSERT_EQ(computeOrderTotals(o, sums), core::DecimalStatus::Ok);
        snapshot = o;
    }
    Response save(bool invoicing, bool newOrder) {
        OrderSave s(lui, *tables, work, snapshot);
        const Response r = s.run(invoicing, newOrder);
        if (r == Response::Completed) snapshot = tables->ord.handle.rec;
        return r;
    }

    // Invoices the form's order with the nth write failing, n = 1, 2, ... until a save
    // completes; returns the faults met, in order.
    std::vector<std::string> invoiceThroughEveryFault(bool newOrder) {
        std::vector<std::string> faults;
        for (int n = 1; n < 100; ++n) {
            SCOPED_TRACE("write " + std::to_string(n));
            const std::string before = dumpDataSet(dir());
            const std::size_t shown = lui.messages().size();
            core::StoreFaults::failNth(n);
            const Response r = save(true, newOrder);
            if (!core::StoreFaults::fired()) {
                EXPECT_EQ(r, Response::Completed);
                return faults;
            }
            const std::string fault = core::StoreFaults::lastFault();
            faults.push_back(fault);
            SCOPED_TRACE(fault);
            EXPECT_EQ(r, Response::Cancelled);
            EXPECT_EQ(dumpDataSet(dir()), before);
            // The user was told, with the text of the write that failed.
            EXPECT_GT(lui.messages().size(), shown);
            if (lui.messages().size() > shown) {
                EXPECT_EQ(lui.messages().back().caption, "Error");
                const auto expected = messageForFault().find(fault);
                if (expected != messageForFault().end())
                    EXPECT_EQ(lui.messages().back().text, expected->second);
                else
                    ADD_FAILURE() << "unexpected fault " << fault;
            }
            // The form still holds the quote the user can save again.
            EXPECT_EQ(tables->ord.handle.rec.Status.view(), "Q");
            EXPECT_EQ(tables->ord.handle.rec.InvoiceNum, 0);
        }
        ADD_FAILURE() << "the save never completed";
        return faults;
    }

    // The invoice as a completed save stores it.
    void expectInvoiced() {
        const auto orders = all<core::Orders>();
        ASSERT_EQ(orders.size(), 1u);
        EXPECT_EQ(orders[0].Status.view(), "I");
        EXPECT_EQ(orders[0].InvoiceNum, 1);
        EXPECT_EQ(all<core::ItemsOrd>().size(), 2u);
        EXPECT_EQ(all<core::Serials>().size(), 2u);
        EXPECT_EQ(productNamed("BOLT-1").OnHand, money("8.00"));
        EXPECT_EQ(productNamed("NUT-2").OnHand, money("3.00"));
        ASSERT_EQ(all<core::Charges>().size(), 2u);
        ASSERT_EQ(all<core::Payments>().size(), 1u);
        ASSERT_EQ(all<core::Applied>().size(), 1u);
        // 20.00 owed before, 35.00 invoiced, 5.00 paid with it.
        EXPECT_EQ(all<core::Customer>()[0].BALANCEDUE, money("50.00"));
    }

    LockWatchingUi lui;
    std::unique_ptr<OrderTables> tables;
    OrderWork work;
    core::Orders snapshot;
};

TEST_F(OrderSaveFaults, InvoicingAStoredQuoteLeavesEverythingAsItWasAtEveryFailedWrite) {
    quote();
    ASSERT_EQ(save(false, true), Response::Completed);
    const std::vector<std::string> faults = invoiceThroughEveryFault(false);
    // Every kind of write of the save was broken off once.
    for (const char* kind : {"erase Serials", "erase ItemsOrd", "put Orders", "add ItemsOrd", "add Serials",
                             "put Products", "add Charges", "add Payments", "add Applied", "put Customer", "commit"})
        EXPECT_NE(std::find(faults.begin(), faults.end(), kind), faults.end()) << kind;
    expectInvoiced();
    EXPECT_EQ(lui.shownUnderLock, 0);
}

TEST_F(OrderSaveFaults, InvoicingANewOrderLeavesNothingBehindAtEveryFailedWrite) {
    quote();
    const std::vector<std::string> faults = invoiceThroughEveryFault(true);
    ASSERT_FALSE(faults.empty());
    EXPECT_EQ(faults.front(), "add Orders");
    EXPECT_EQ(faults.back(), "commit");
    expectInvoiced();
    // The failed add of the order said what failed first.
    bool told = false;
    for (const auto& m : lui.messages()) told = told || m.text == "ErrorCode: 90 Adding Orders";
    EXPECT_TRUE(told);
    EXPECT_EQ(lui.shownUnderLock, 0);  // the order's own failure was told after the rollback
}

}  // namespace
}  // namespace quay::desk
