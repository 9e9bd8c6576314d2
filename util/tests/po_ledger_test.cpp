// The stock rules of purchasing and the ledger that applies them: the figures each
// line edit and receipt leaves on the product, the status of the order, the
// messages of receiving, received lines left alone, and nothing stored when a write
// breaks off in the middle.
#include <gtest/gtest.h>

#include "po_test_support.h"
#include "quay/store/store_faults.h"
#include "quay/util/po_ledger.h"
#include "quay/util/po_stock.h"

namespace quay::util {
namespace {

using core::DecimalStatus;
using quay::testing::money;

// --- the rules on their own -------------------------------------------------------

struct RuleCase {
    const char* rule;    // which rule
    const char* onHand;  // figures before
    const char* onOrder;
    const char* qty;       // the line's quantity (after, for a change)
    const char* before;    // a change: the quantity before
    const char* wantHand;  // figures after
    const char* wantOrder;
};

TEST(PoStockRules, EachRuleMovesTheFiguresAsDocumented) {
    const RuleCase cases[] = {
        {"raise", "2", "0", "5", "", "2.00", "5.00"},
        {"raise", "2", "3", "5", "", "2.00", "8.00"},
        {"raise", "2", "-4", "5", "", "2.00", "5.00"},  // a negative on order is replaced
        {"lower", "2", "5", "5", "", "2.00", "0.00"},
        {"lower", "2", "3", "5", "", "2.00", "0.00"},  // never below 0
        {"change", "0", "10", "7", "5", "0.00", "12.00"},
        {"change", "0", "2", "7", "5", "0.00", "7.00"},  // at least the new quantity
        {"change", "0", "10", "1", "5", "0.00", "6.00"},
        {"receive", "2", "5", "5", "", "7.00", "0.00"},
        {"receive", "2", "3", "5", "", "7.00", "0.00"},  // on order below the quantity: 0
        {"unreceive", "7", "0", "5", "", "2.00", "5.00"},
        {"unreceive", "7", "9", "5", "", "2.00", "14.00"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(std::string(c.rule) + " " + c.onHand + "/" + c.onOrder + " by " + c.qty);
        StockFigures s{money(c.onHand), money(c.onOrder)};
        const std::string rule = c.rule;
        DecimalStatus st = DecimalStatus::Ok;
        if (rule == "raise")
            st = raiseOnOrder(s, money(c.qty));
        else if (rule == "lower")
            st = lowerOnOrder(s, money(c.qty));
        else if (rule == "change")
            st = changeOnOrder(s, money(c.before), money(c.qty));
        else if (rule == "receive")
            st = receiveStock(s, money(c.qty));
        else
            st = unreceiveStock(s, money(c.qty));
        ASSERT_EQ(st, DecimalStatus::Ok);
        EXPECT_EQ(s.onHand.toString(), c.wantHand);
        EXPECT_EQ(s.onOrder.toString(), c.wantOrder);
    }
}

TEST(PoStockRules, AResultTooLargeLeavesBothFigures) {
    StockFigures s{Quantity::max(), money("1")};
    EXPECT_NE(receiveStock(s, money("1")), DecimalStatus::Ok);
    EXPECT_EQ(s.onHand, Quantity::max());
    EXPECT_EQ(s.onOrder, money("1"));
}

// --- the ledger on a data set -------------------------------------------------------

class PoLedgerTest : public testing::PoDataTest {
protected:
    void SetUp() override {
        PoDataTest::SetUp();
        product("BOLT", "2", "0");
        product("NUT", "10", "4");
        order(1);
    }
};

TEST_F(PoLedgerTest, EnteringReceivingAndUnmarkingALineMovesItsQuantity) {
    line(1, 1, "BOLT", "5");
    PoLedger ledger(*db, ui);
    ASSERT_TRUE(ledger.isOpen());
    ASSERT_EQ(ledger.saveLine(lineNumbered(1), true), LedgerOutcome::Done);
    EXPECT_EQ(stock("BOLT"), "2.00 / 5.00");
    ASSERT_EQ(ledger.markLine(1, true), LedgerOutcome::Done);
    EXPECT_EQ(stock("BOLT"), "7.00 / 0.00");
    EXPECT_EQ(lineNumbered(1).RECEIVED, 1);
    ASSERT_EQ(ledger.markLine(1, false), LedgerOutcome::Done);
    EXPECT_EQ(stock("BOLT"), "2.00 / 5.00");
    EXPECT_EQ(lineNumbered(1).RECEIVED, 0);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(PoLedgerTest, ALineMarkedTwiceIsReceivedOnce) {
    line(1, 1, "BOLT", "5");
    PoLedger ledger(*db, ui);
    ASSERT_EQ(ledger.markLine(1, true), LedgerOutcome::Done);
    // The second station saw the line unmarked and presses too.
    EXPECT_EQ(ledger.markLine(1, true), LedgerOutcome::Unchanged);
    EXPECT_EQ(stock("BOLT"), "7.00 / 0.00");
    EXPECT_EQ(ledger.markLine(99, true), LedgerOutcome::Unchanged);
}

TEST_F(PoLedgerTest, ChangingALineMovesOnOrderByTheDifferenceOrToTheNewPart) {
    line(1, 1, "BOLT", "5");
    PoLedger ledger(*db, ui);
    ASSERT_EQ(ledger.saveLine(lineNumbered(1), true), LedgerOutcome::Done);
    core::POItems l = lineNumbered(1);
    l.QTY = money("8");
    ASSERT_EQ(ledger.saveLine(l, false), LedgerOutcome::Done);
    EXPECT_EQ(stock("BOLT"), "2.00 / 8.00");
    EXPECT_EQ(lineNumbered(1).QTY, money("8"));
    // Another part: the old part loses the line's quantity, the new one gains it.
    l.PartNum = "NUT";
    l.QTY = money("3");
    ASSERT_EQ(ledger.saveLine(l, false), LedgerOutcome::Done);
    EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
    EXPECT_EQ(stock("NUT"), "10.00 / 7.00");
    ASSERT_EQ(ledger.deleteLine(1), LedgerOutcome::Done);
    EXPECT_EQ(stock("NUT"), "10.00 / 4.00");
    EXPECT_TRUE(all<core::POItems>().empty());
}

TEST_F(PoLedgerTest, AReceivedLineIsNeitherChangedNorDeleted) {
    line(1, 1, "BOLT", "5", true);
    PoLedger ledger(*db, ui);
    core::POItems l = lineNumbered(1);
    l.QTY = money("9");
    EXPECT_EQ(ledger.saveLine(l, false), LedgerOutcome::Refused);
    EXPECT_EQ(ledger.deleteLine(1), LedgerOutcome::Refused);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].caption, "Error");
    EXPECT_EQ(ui.messages()[0].text, PoLedger::kReceivedLineText);
    EXPECT_EQ(lineNumbered(1).QTY, money("5"));
    EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
}

TEST_F(PoLedgerTest, ALineWithoutAProductIsReceivedByItsMarkAlone) {
    line(1, 1, "GONE", "5");
    PoLedger ledger(*db, ui);
    ASSERT_EQ(ledger.saveLine(lineNumbered(1), true), LedgerOutcome::Done);
    ASSERT_EQ(ledger.markLine(1, true), LedgerOutcome::Done);
    EXPECT_EQ(lineNumbered(1).RECEIVED, 1);
    EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
    EXPECT_EQ(stock("NUT"), "10.00 / 4.00");
}

TEST_F(PoLedgerTest, ReceivingTheWholeOrderTakesOnlyUnreceivedLinesAndClosesIt) {
    line(1, 1, "BOLT", "5");
    line(2, 1, "NUT", "3", true);  // received before: on hand already holds it
    line(3, 1, "NUT", "2");
    PoLedger ledger(*db, ui);
    ASSERT_EQ(ledger.receiveOrder(1), LedgerOutcome::Done);
    EXPECT_EQ(stock("BOLT"), "7.00 / 0.00");
    EXPECT_EQ(stock("NUT"), "12.00 / 2.00");
    EXPECT_EQ(orderNumbered(1).Status.view(), "Closed");
    for (const auto& l : all<core::POItems>()) EXPECT_EQ(l.RECEIVED, 1) << l.POINUM;
    // Everything received already: only the status is set.
    order(2);
    line(4, 2, "BOLT", "1", true);
    ASSERT_EQ(ledger.receiveOrder(2), LedgerOutcome::Done);
    EXPECT_EQ(orderNumbered(2).Status.view(), "Closed");
    EXPECT_EQ(stock("BOLT"), "7.00 / 0.00");
}

TEST_F(PoLedgerTest, ReceivingAnOrderThatIsGoneSaysSo) {
    PoLedger ledger(*db, ui);
    EXPECT_EQ(ledger.receiveOrder(9), LedgerOutcome::Failed);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].caption, "Error");
    EXPECT_EQ(ui.messages()[0].text.rfind("Error ", 0), 0u);
    EXPECT_NE(ui.messages()[0].text.find(" getting PO#9"), std::string::npos);
}

TEST_F(PoLedgerTest, TheStatusFollowsTheLines) {
    line(1, 1, "BOLT", "5", true);
    line(2, 1, "NUT", "3");
    PoLedger ledger(*db, ui);
    EXPECT_EQ(ledger.followLines(1), LedgerOutcome::Unchanged);
    EXPECT_EQ(orderNumbered(1).Status.view(), "Open");
    ASSERT_EQ(ledger.markLine(2, true), LedgerOutcome::Done);
    ASSERT_EQ(ledger.followLines(1), LedgerOutcome::Done);
    EXPECT_EQ(orderNumbered(1).Status.view(), "Closed");
    ASSERT_EQ(ledger.markLine(1, false), LedgerOutcome::Done);
    ASSERT_EQ(ledger.followLines(1), LedgerOutcome::Done);
    EXPECT_EQ(orderNumbered(1).Status.view(), "Open");
    // An order without lines keeps its status; one that is not there is left alone.
    order(2, "Open");
    EXPECT_EQ(ledger.followLines(2), LedgerOutcome::Unchanged);
    EXPECT_EQ(orderNumbered(2).Status.view(), "Open");
    EXPECT_EQ(ledger.followLines(0), LedgerOutcome::Unchanged);
}

TEST_F(PoLedgerTest, RetotallingStoresTheLinesAndShipping) {
    line(1, 1, "BOLT", "5");  // 50.00
    line(2, 1, "NUT", "2");   // 20.00
    PoLedger ledger(*db, ui);
    EXPECT_EQ(ledger.retotal(1), LedgerOutcome::Done);
    EXPECT_EQ(orderNumbered(1).ORDERTOTAL, money("70.00"));
    EXPECT_EQ(ledger.retotal(1), LedgerOutcome::Unchanged);
    EXPECT_EQ(ledger.retotal(9), LedgerOutcome::Unchanged);
}

TEST_F(PoLedgerTest, RemovingAnOrderTakesItsLinesScheduleAndOpenQuantities) {
    line(1, 1, "BOLT", "5");
    line(2, 1, "NUT", "3", true);
    PoLedger ledger(*db, ui);
    ASSERT_EQ(ledger.saveLine(lineNumbered(1), true), LedgerOutcome::Done);
    core::Schedule s;
    s.SCHID = 1;
    s.PONUM = 1;
    s.ACTION = "Call about PO 1";
    store(s);
    s.SCHID = 2;
    s.PONUM = 7;
    store(s);
    order(7);
    line(3, 7, "BOLT", "1");
    ASSERT_EQ(ledger.removeOrder(1), LedgerOutcome::Done);
    // The unreceived line's quantity comes off on order; the received one's was off already.
    EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
    EXPECT_EQ(stock("NUT"), "10.00 / 4.00");
    ASSERT_EQ(all<core::POItems>().size(), 1u);
    EXPECT_EQ(all<core::POItems>()[0].PoNum, 7);
    ASSERT_EQ(all<core::Schedule>().size(), 1u);
    EXPECT_EQ(all<core::Schedule>()[0].PONUM, 7);
    ASSERT_EQ(all<core::PO>().size(), 1u);
    EXPECT_EQ(ledger.removeOrder(1), LedgerOutcome::Unchanged);
}

TEST_F(PoLedgerTest, AWriteThatFailsLeavesEverythingAsItWas) {
    line(1, 1, "BOLT", "5");
    line(2, 1, "NUT", "3");
    strict = false;
    // Each write of the receipt in turn (product, line, product, line, PO, commit).
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE("write " + std::to_string(n));
        PoLedger ledger(*db, ui);
        core::StoreFaults::failNth(n);
        const LedgerOutcome out = ledger.receiveOrder(1);
        const bool fired = core::StoreFaults::fired();
        core::StoreFaults::disarm();
        if (!fired) {
            EXPECT_EQ(out, LedgerOutcome::Done);
            break;
        }
        EXPECT_EQ(out, LedgerOutcome::Failed);
        EXPECT_EQ(stock("BOLT"), "2.00 / 0.00");
        EXPECT_EQ(stock("NUT"), "10.00 / 4.00");
        EXPECT_EQ(lineNumbered(1).RECEIVED, 0);
        EXPECT_EQ(lineNumbered(2).RECEIVED, 0);
        EXPECT_EQ(orderNumbered(1).Status.view(), "Open");
    }
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE("entering, write " + std::to_string(n));
        order(10 + n);
        line(10 + n, 10 + n, "BOLT", "4");
        PoLedger ledger(*db, ui);
        const std::string before = stock("BOLT");
        core::StoreFaults::failNth(n);
        const LedgerOutcome out = ledger.saveLine(lineNumbered(10 + n), true);
        const bool fired = core::StoreFaults::fired();
        core::StoreFaults::disarm();
        if (fired)
            EXPECT_EQ(stock("BOLT"), before);
        else
            EXPECT_EQ(out, LedgerOutcome::Done);
    }
}

}  // namespace
}  // namespace quay::util
