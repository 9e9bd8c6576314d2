// Copying orders into new quotes and turning invoices back into quotes: stock given
// back, charges removed, applied payments left as unapplied credits (never above
// their amount), serial numbers kept with the lines and never copied.
#include <gtest/gtest.h>

#include "orders/copy_order.h"
#include "orders/invoice_reversal.h"
#include "orders/order_lists.h"
#include "orders_test_support.h"
#include "quay/app/globals.h"
#include "quay/types/date.h"
#include "serials/invoice_serial_search.h"

namespace quay::desk {
namespace {

using core::Button;
using core::Response;
using testing::money;
using testing::price;

class Reversal : public testing::OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        store(product("BOLT-1", "8.00", 1));
    }
    // A stored invoice as the save leaves it: order, one line of 2 x BOLT-1, a serial
    // number, the charge and, when paid, the payment `payId` applied to it.
    void invoice(std::int32_t ordNum, std::int32_t invNum, const char* total, const char* paid = nullptr,
                 std::int32_t payId = 0, const char* payAmount = nullptr) {
        core::Orders o;
        o.OrdNum = ordNum;
        o.InvoiceNum = invNum;
        o.Status = "I";
        o.CustName = "Acme Supply";
        o.OrdDate = core::today() - 3;
        o.TOTAL = money(total);
        o.LISTSUB = money(total);
        if (paid) o.DOWNPAYMENT = money(paid);
        o.Notes = "Deliver to the back door";
        store(o);
        core::ItemsOrd l;
        l.IteNum = ordNum * 10;
        l.OrdNum = ordNum;
        l.PartNum = "BOLT-1";
        l.QTY = money("2.00");
        l.QTYDELIVERED = money("2.00");
        l.TOTAL = money(total);
        l.Comments = "blue ones";
        store(l);
        core::Serials s;
        s.ITENUM = l.IteNum;
        s.SERIALNUMBER = "SN-" + std::to_string(ordNum);
        store(s);
        core::Charges c;
        c.Id = invNum;
        c.Customer = "Acme Supply";
        c.INVOICENUM = invNum;
        c.AMOUNT = money(total);
        c.UNPAIDBAL = money(total);
        if (paid) {
            c.UNPAIDBAL.clear();
            c.Paid = 1;
            core::Applied a;
            a.PayId = payId;
            a.ChgId = c.Id;
            a.AMOUNT = money(paid);
            store(a);
            if (payAmount) {
                core::Payments p;
                p.Id = payId;
                p.Customer = "Acme Supply";
                p.AMOUNT = money(payAmount);
                p.Applied = 1;
                store(p);
            }
        }
        store(c);
    }
    core::Payments payment(std::int32_t id) {
        for (const auto& p : all<core::Payments>())
            if (p.Id == id) return p;
        ADD_FAILURE() << "no payment " << id;
        return {};
    }
};

TEST_F(Reversal, ConvertingPutsStockBackRemovesChargeAndFreesThePayment) {
    invoice(1, 1, "30.00", "30.00", 5, "30.00");
    ui.answer(Button::Yes);
    ASSERT_EQ(convertInvoiceToQuote(*db, ui, 1), Response::Completed);
    EXPECT_EQ(ui.messages()[0].caption, "Convert back to Quote");
    EXPECT_EQ(ui.messages()[0].defaultButton, Button::No);
    const auto o = all<core::Orders>()[0];
    EXPECT_EQ(o.Status.view(), "Q");
    EXPECT_EQ(o.InvoiceNum, 0);
    EXPECT_EQ(o.DOWNPAYMENT, money("0.00"));
    EXPECT_EQ(o.TOTAL, money("30.00"));
    EXPECT_EQ(all<core::ItemsOrd>()[0].QTYDELIVERED, money("0.00"));
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("10.00"));
    EXPECT_TRUE(all<core::Charges>().empty());
    EXPECT_TRUE(all<core::Applied>().empty());
    EXPECT_EQ(payment(5).UNAPPAMT, money("30.00"));
    EXPECT_EQ(payment(5).Applied, 0);
    EXPECT_EQ(all<core::Serials>().size(), 1u);
    EXPECT_EQ(core::glo.InvoiceNum, 1);
}

TEST_F(Reversal, PaymentSplitOverTwoInvoicesNeverRisesAboveItsAmount) {
    invoice(1, 1, "30.00", "30.00", 5, "50.00");
    invoice(2, 2, "20.00", "20.00", 5);
    ui.answers({Button::Yes, Button::Yes});
    ASSERT_EQ(convertInvoiceToQuote(*db, ui, 1), Response::Completed);
    EXPECT_EQ(payment(5).UNAPPAMT, money("30.00"));
    ASSERT_EQ(convertInvoiceToQuote(*db, ui, 2), Response::Completed);
    EXPECT_EQ(payment(5).UNAPPAMT, money("50.00"));
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("12.00"));
}

TEST_F(Reversal, ConversionWithoutChargeStillRestoresStockAndOrder) {
    invoice(1, 1, "30.00");
    {
        core::ScriptedUi quiet;
        core::Handle<core::Charges> c(*db);
        ASSERT_EQ(core::openTable(quiet, c), core::OpenOutcome::Opened);
        c.rec.Id = 1;
        ASSERT_EQ(c.get(core::Charges::byId), core::ErrorCode::None);
        ASSERT_EQ(c.erase(), core::ErrorCode::None);
    }
    ui.answer(Button::Yes);
    ASSERT_EQ(convertInvoiceToQuote(*db, ui, 1), Response::Completed);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("10.00"));
    EXPECT_EQ(all<core::Orders>()[0].Status.view(), "Q");
}

TEST_F(Reversal, NoAndMissingOrderChangeNothing) {
    invoice(1, 1, "30.00");
    ui.answer(Button::No);
    EXPECT_EQ(convertInvoiceToQuote(*db, ui, 1), Response::Cancelled);
    ui.answer(Button::Yes);
    EXPECT_EQ(convertInvoiceToQuote(*db, ui, 99), Response::Cancelled);
    EXPECT_EQ(ui.messages().back().caption, "ERROR");
    EXPECT_EQ(ui.messages().back().text, "Error getting current order");
    EXPECT_EQ(all<core::Orders>()[0].Status.view(), "I");
    EXPECT_EQ(all<core::Charges>().size(), 1u);
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("8.00"));
}

TEST_F(Reversal, CopyingAnInvoiceMakesAQuoteDatedTodayWithLinesAndNoSerials) {
    invoice(4, 3, "30.00", "30.00", 5, "30.00");
    core::glo.OrdNum = 4;
    CopyOrder copy(*db, ui);
    ASSERT_TRUE(copy.open());
    EXPECT_EQ(copy.source().TOTAL, money("30.00"));
    ui.answer(Button::Yes);
    ASSERT_EQ(copy.ok(), Response::Completed);
    EXPECT_EQ(copy.newOrderNumber(), 5);
    EXPECT_EQ(ui.messages().back().text, "Order copied successfully");
    const auto orders = all<core::Orders>();
    ASSERT_EQ(orders.size(), 2u);
    const core::Orders& q = orders[1];
    EXPECT_EQ(q.OrdNum, 5);
    EXPECT_EQ(q.Status.view(), "Q");
    EXPECT_EQ(q.InvoiceNum, 0);
    EXPECT_EQ(q.OrdDate, core::today());
    EXPECT_EQ(q.TOTAL, money("30.00"));
    EXPECT_EQ(q.Notes.view(), "Deliver to the back door");
    const auto lines = all<core::ItemsOrd>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].OrdNum, 5);
    EXPECT_EQ(lines[1].IteNum, 41);
    EXPECT_EQ(lines[1].Comments.view(), "blue ones");
    EXPECT_EQ(all<core::Serials>().size(), 1u);
    EXPECT_EQ(all<core::Charges>().size(), 1u);
    EXPECT_EQ(all<core::Payments>().size(), 1u);
}

// The rows of a list as their first columns, and the highlighted row's.
std::vector<std::string> column(const core::ListWindow& w, std::size_t c) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < w.rowCount(); ++i) out.push_back(w.row(i).cells[c]);
    return out;
}
std::string highlighted(const core::ListWindow& w, std::size_t c) {
    const auto i = w.current();
    return i ? w.row(*i).cells[c] : std::string("<none>");
}

TEST_F(Reversal, QuoteListLocatorPositionsOnTypedNumberOrTheNextHigher) {
    for (std::int32_t n : {3, 12, 15, 40}) {
        core::Orders o;
        o.OrdNum = n;
        o.Status = n == 15 ? "I" : "Q";
        o.InvoiceNum = n == 15 ? 1 : 0;
        o.CustName = n == 40 ? "Zed" : "Acme";
        store(o);
    }
    core::Handle<core::Orders> orders(*db);
    ASSERT_EQ(orders.open(), core::ErrorCode::None);
    core::ListWindow quotes(ui, orders, orderListSpec(OrderListKind::Quotes), {});
    quotes.open();
    // Only quotes, by customer name: the invoice (15) stays out.
    EXPECT_EQ(column(quotes, 0), (std::vector<std::string>{"3", "12", "40"}));
    quotes.selectTab(1);
    quotes.typeLocator('1');
    quotes.typeLocator('x');  // the number tab takes digits only
    quotes.typeLocator('2');
    EXPECT_EQ(quotes.locatorText(), "12");
    EXPECT_EQ(highlighted(quotes, 0), "12");
    quotes.backspaceLocator();
    quotes.typeLocator('3');
    EXPECT_EQ(highlighted(quotes, 0), "40");  // 13 is no quote, 15 an invoice
    // Past the last quote the list shows its last quotes with the last highlighted,
    // and the invoice beyond them stays out.
    quotes.setLocatorText("99");
    EXPECT_EQ(highlighted(quotes, 0), "40");
    EXPECT_EQ(column(quotes, 0), (std::vector<std::string>{"3", "12", "40"}));
    // A number longer than any order number still lands past the end.
    quotes.setLocatorText("123456789012345678901234567890");
    EXPECT_EQ(quotes.locatorText().size(), 30u);
    EXPECT_EQ(highlighted(quotes, 0), "40");
    // The name tab: a prefix, case-blind; a new tab starts with an empty locator.
    quotes.selectTab(0);
    EXPECT_TRUE(quotes.locatorText().empty());
    quotes.setLocatorText("z");
    EXPECT_EQ(highlighted(quotes, 2), "Zed");
    quotes.setLocatorText("zz");
    EXPECT_EQ(highlighted(quotes, 2), "Zed");

    core::ListWindow invoices(ui, orders, orderListSpec(OrderListKind::Invoices), {});
    invoices.open();
    ASSERT_EQ(invoices.rowCount(), 1u);
    EXPECT_EQ(invoices.row(0).cells[0], "1");   // Invoice#
    EXPECT_EQ(invoices.row(0).cells[1], "15");  // Quote#
    invoices.selectTab(1);
    invoices.setLocatorText("9");
    EXPECT_EQ(highlighted(invoices, 1), "15");
}

TEST_F(Reversal, OrderListsRunTheirFormsAndCopyOnTheHighlightedOrder) {
    invoice(1, 1, "30.00");
    core::Orders quote;
    quote.OrdNum = 7;
    quote.Status = "Q";
    quote.CustName = "Acme";
    quote.TOTAL = money("1234.50");
    store(quote);
    core::Handle<core::Orders> orders(*db);
    ASSERT_EQ(orders.open(), core::ErrorCode::None);

    std::vector<std::string> seen;
    ui.onWindow("QuoteForm1", [&](const core::WindowRequest& r) {
        const auto& o = *static_cast<const core::Orders*>(r.table->buffer());
        seen.push_back("QuoteForm1 " + std::to_string(static_cast<int>(r.request)) + " " + std::to_string(o.OrdNum) +
                       " " + o.Status.str());
        return core::WindowResponse{core::Response::Cancelled, 0, {}};
    });
    ui.onWindow("CopyOrder", [&](const core::WindowRequest&) {
        seen.push_back("CopyOrder " + std::to_string(core::glo.OrdNum));
        core::Orders copy = all<core::Orders>()[1];
        copy.OrdNum = 8;
        store(copy);
        return core::WindowResponse{core::Response::Completed, 8, {}};
    });
    core::ListWindow quotes(ui, orders, orderListSpec(OrderListKind::Quotes), {});
    quotes.open();
    ASSERT_EQ(quotes.rowCount(), 1u);
    // Money reads with two places and the currency sign; the date as mm/dd/yyyy.
    EXPECT_EQ(quotes.row(0).cells[4], "$1,234.50");
    quotes.insert();
    quotes.change();
    quotes.remove();
    EXPECT_TRUE(quotes.functionKey(4));
    EXPECT_EQ(seen,
              (std::vector<std::string>{"QuoteForm1 1 0 Q", "QuoteForm1 2 7 Q", "QuoteForm1 3 7 Q", "CopyOrder 7"}));
    // After the copy the list stands on the new quote.
    EXPECT_EQ(quotes.tab(), 1);
    EXPECT_EQ(highlighted(quotes, 0), "8");
    EXPECT_FALSE(quotes.functionKey(5));
}

TEST_F(Reversal, InvoiceSerialSearchListsInvoicesOnlyOncePerInvoice) {
    invoice(1, 1, "30.00");
    invoice(2, 2, "30.00");
    core::Serials dup;
    dup.ITENUM = 20;
    dup.SERIALNUMBER = "SN-1";  // the same number sold again on invoice 2
    store(dup);
    core::Orders quote;
    quote.OrdNum = 3;
    quote.Status = "Q";
    store(quote);
    core::ItemsOrd ql;
    ql.IteNum = 30;
    ql.OrdNum = 3;
    store(ql);
    core::Serials onQuote;
    onQuote.ITENUM = 30;
    onQuote.SERIALNUMBER = "SN-0";
    store(onQuote);
    auto tables = std::make_shared<InvoiceSerialTables>(*db, ui);
    ASSERT_TRUE(tables->isOpen());
    std::vector<std::int32_t> shown;
    ui.onWindow("InvoiceForm1", [&](const core::WindowRequest& r) {
        EXPECT_EQ(r.table, &tables->ord.handle);
        shown.push_back(static_cast<const core::Orders*>(r.table->buffer())->InvoiceNum);
        return core::WindowResponse{core::Response::Cancelled, 0, {}};
    });
    core::ListWindow search(ui, tables->ser.handle, invoiceSerialSpec(tables), {});
    search.open();
    ASSERT_EQ(search.rowCount(), 3u);
    EXPECT_EQ(column(search, 0), (std::vector<std::string>{"SN-1", "SN-1", "SN-2"}));
    EXPECT_EQ(column(search, 3), (std::vector<std::string>{"1", "2", "2"}));
    // Each command opens the closed invoice the highlighted number was sold on, and
    // the row stays highlighted afterwards.
    search.setCurrent(1);
    search.change();
    search.insert();
    search.remove();
    EXPECT_EQ(shown, (std::vector<std::int32_t>{2, 2, 2}));
    EXPECT_EQ(search.current(), std::optional<std::size_t>(1));
}

}  // namespace
}  // namespace quay::desk
