// The order form end to end through the scripted UI: a new quote whose header is
// copied from the customer, lines priced from the order's price class, command
// availability, line deletes and selection, serial numbers with their indicator,
// Save As, the profit margin, F10 with its prints, and the line form's pricing
// and warnings.
#include <gtest/gtest.h>

#include "orders/invoice_dialogs.h"
#include "orders/item_ord_form.h"
#include "orders/quote_details.h"
#include "orders/quote_form.h"
#include "orders_test_support.h"
#include "quay/app/globals.h"
#include "serials/quote_serial_list.h"

namespace quay::desk {
namespace {

using core::Button;
using core::Request;
using core::Response;
using testing::money;
using testing::price;

class OrderForm : public testing::OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        core::Customer acme = customer("Acme Supply");
        acme.TAXLIC1 = "LIC-1";
        store(acme);
        core::Customer other = customer("Bolt Brothers");
        other.PRICECLASS = "R";
        other.SALESTAX1 = price("5.0000");
        other.TAX2EXEMPT = 1;
        store(other);
        store(product("BOLT-1", "10.00", 1));
        core::Products tracked = product("SAW-9", "3.00", 1);
        tracked.TRACKSERIAL = "YES";
        store(tracked);
        ui.onWindow("SaveInvoiceForm", [this](const core::WindowRequest& r) {
            SaveInvoiceForm f(*db, ui, *static_cast<core::Orders*>(r.table->buffer()));
            core::WindowResponse w;
            if (f.open()) {
                f.order().DOWNPAYMENT = f.order().TOTAL;
                if (f.ok()) w.response = Response::Completed;
            }
            return w;
        });
        ui.onWindow("PostInvoicePayment", [this](const core::WindowRequest& r) {
            PostInvoicePayment f(ui, *static_cast<core::Payments*>(r.table->buffer()));
            core::WindowResponse w;
            if (f.ok()) w.response = Response::Completed;
            return w;
        });
    }

    // Hooks that drive the real header and line logic with the parts queued here.
    OrderFormHooks hooks() {
        OrderFormHooks h;
        h.details = [this](core::Orders& o) {
            QuoteDetails d(*db, ui, o);
            d.open();
            if (!customerToPick.empty()) {
                EXPECT_TRUE(d.chooseCustomer(customerToPick));
            }
            if (editHeader) editHeader(o);
            if (cancelDetails) {
                if (d.isChanged()) ui.answer(Button::Yes);  // "Are you sure you want to cancel?"
                EXPECT_TRUE(d.cancel());
                return Response::Cancelled;
            }
            return d.ok() ? Response::Completed : Response::Cancelled;
        };
        h.editLine = [this](Request r, LineEntry& line) {
            if (parts.empty()) return Response::Cancelled;
            ItemOrdForm f(*db, ui, r, line);
            EXPECT_TRUE(f.open());
            const auto [part, qty] = parts.front();
            parts.erase(parts.begin());
            EXPECT_TRUE(f.choosePart(part));
            EXPECT_EQ(line.QTY.parse(qty), core::DecimalStatus::Ok);
            f.recompute();
            return f.ok() ? Response::Completed : Response::Cancelled;
        };
        h.editSerials = [this](std::vector<core::FixedString<20>>& numbers) {
            QuoteSerialList list(ui, numbers);
            for (const auto& n : serialsToAdd) list.insert(n);
            if (cancelSerials) {
                list.cancel();
                return Response::Cancelled;
            }
            list.save();
            return list.response();
        };
        h.print = [this](OrderPrint print, std::int32_t ordNum) {
            prints.push_back(std::string(orderPrintProcedure(print)) + " " + std::to_string(ordNum));
        };
        h.profit = [this] { ++profitShown; };
        return h;
    }

    std::unique_ptr<QuoteForm1> newQuote() {
        customerToPick = "Acme Supply";
        auto form = std::make_unique<QuoteForm1>(*db, ui, Request::Insert, core::Orders{}, hooks());
        EXPECT_TRUE(form->open());
        EXPECT_FALSE(form->canInsert());
        form->firstTick();
        customerToPick.clear();
        return form;
    }

    std::vector<std::pair<std::string, std::string>> parts;
    std::string customerToPick;
    std::function<void(core::Orders&)> editHeader;
    bool cancelDetails = false;
    bool cancelSerials = false;
    std::vector<std::string> serialsToAdd;
    std::vector<std::string> prints;
    int profitShown = 0;
};

TEST_F(OrderForm, NewQuoteCopiesCustomerHeaderAndPricesFirstLineFromItsClass) {
    parts = {{"BOLT-1", "2"}};
    auto form = newQuote();
    const core::Orders& o = form->order();
    EXPECT_EQ(o.CustName.view(), "Acme Supply");
    EXPECT_EQ(o.PRICECLASS.view(), "3");
    EXPECT_EQ(o.SLSTAXRATE1, price("8.2500"));
    EXPECT_EQ(o.TAXLIC1.view(), "LIC-1");
    ASSERT_EQ(form->work().lines.size(), 1u);
    EXPECT_EQ(form->work().lines[0].PRICE, price("12.5000"));
    EXPECT_EQ(form->work().lines[0].TOTAL, money("25.00"));
    EXPECT_EQ(form->work().lines[0].POSITION, 1);
    EXPECT_EQ(o.LISTSUB, money("25.00"));
    EXPECT_EQ(o.SALESTAX1, money("2.06"));
    EXPECT_EQ(o.TOTAL, money("27.06"));
    EXPECT_TRUE(form->canUseLines());
    EXPECT_EQ(form->selected(), 0);
}

TEST_F(OrderForm, CancelledHeaderOnInsertClosesTheFormWithNothingStored) {
    cancelDetails = true;
    auto form = std::make_unique<QuoteForm1>(*db, ui, Request::Insert, core::Orders{}, hooks());
    ASSERT_TRUE(form->open());
    form->firstTick();
    EXPECT_TRUE(form->isClosed());
    EXPECT_EQ(form->response(), Response::Cancelled);
    EXPECT_TRUE(all<core::Orders>().empty());
}

TEST_F(OrderForm, ChangingCustomerReplacesTaxFieldsButReselectingKeepsEdits) {
    parts = {{"BOLT-1", "1"}};
    auto form = newQuote();
    editHeader = [](core::Orders& o) { o.SLSTAXRATE1 = price("9.0000"); };
    customerToPick = "Acme Supply";
    form->details();
    EXPECT_EQ(form->order().SLSTAXRATE1, price("9.0000"));
    editHeader = nullptr;
    customerToPick = "Bolt Brothers";
    form->details();
    EXPECT_EQ(form->order().SLSTAXRATE1, price("5.0000"));
    EXPECT_EQ(form->order().PRICECLASS.view(), "R");
    EXPECT_EQ(form->order().TAX2EXEMPT, 1);
    EXPECT_TRUE(form->order().TAXLIC1.isBlank());
    EXPECT_EQ(form->order().SALESTAX1, money("0.63"));  // 12.50 x 5%
}

TEST_F(OrderForm, CancelledHeaderWindowUndoesEveryHeaderChange) {
    parts = {{"BOLT-1", "1"}};
    auto form = newQuote();
    editHeader = [](core::Orders& o) {
        o.SHIPPING = money("9.00");
        o.REFERENCE = "changed";
    };
    cancelDetails = true;
    form->details();
    EXPECT_EQ(form->order().SHIPPING, money("0.00"));
    EXPECT_TRUE(form->order().REFERENCE.isBlank());
    EXPECT_EQ(form->order().TOTAL, money("13.53"));
}

TEST_F(OrderForm, DeletingLinesMovesSelectionAndTheLastDeleteLeavesOnlyInsert) {
    parts = {{"BOLT-1", "1"}, {"BOLT-1", "2"}};
    auto form = newQuote();
    form->insertLine();
    ASSERT_EQ(form->work().lines.size(), 2u);
    form->select(0);
    ui.answers({Button::Ok, Button::Ok});
    form->deleteLine();
    EXPECT_EQ(ui.messages().back().caption, "Delete Line ITem");
    EXPECT_EQ(ui.messages().back().defaultButton, Button::Cancel);
    EXPECT_EQ(form->selected(), 0);
    EXPECT_EQ(form->work().lines[0].POSITION, 2);
    EXPECT_EQ(form->order().LISTSUB, money("25.00"));
    form->deleteLine();
    EXPECT_TRUE(form->work().lines.empty());
    EXPECT_EQ(form->selected(), -1);
    EXPECT_TRUE(form->canInsert());
    EXPECT_FALSE(form->canUseLines());
    EXPECT_EQ(form->order().TOTAL, money("0.00"));
    form->save();  // refused without lines
    EXPECT_TRUE(all<core::Orders>().empty());
}

TEST_F(OrderForm, SerialIndicatorFollowsTheLinesNumbersAndCancelKeepsThem) {
    parts = {{"SAW-9", "2"}};
    auto form = newQuote();
    EXPECT_EQ(form->serialMark(), SerialMark::Cross);
    serialsToAdd = {"B7", "A1"};
    form->serialNumbers();
    EXPECT_EQ(form->serialMark(), SerialMark::Check);
    ASSERT_EQ(form->work().serials.size(), 2u);
    EXPECT_EQ(form->work().serials[0].SERIALNUMBER.view(), "A1");
    EXPECT_EQ(form->work().serials[1].SERIALNUMBER.view(), "B7");
    serialsToAdd = {"C3"};
    cancelSerials = true;
    form->serialNumbers();
    EXPECT_EQ(form->work().serials.size(), 2u);
    EXPECT_EQ(core::glo.PartNum.view(), "SAW-9");
    form->save();
    const auto stored = all<core::Serials>();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].ITENUM, all<core::ItemsOrd>()[0].IteNum);
}

TEST_F(OrderForm, SaveAsMakesANewQuoteWithoutSerialsAndLeavesTheOldOne) {
    parts = {{"SAW-9", "1"}};
    auto form = newQuote();
    serialsToAdd = {"X1"};
    form->serialNumbers();
    form->save();
    ASSERT_EQ(form->request(), Request::Change);
    ui.answer(Button::Yes);
    form->saveAs();
    EXPECT_EQ(form->request(), Request::Insert);
    EXPECT_TRUE(form->work().serials.empty());
    form->save();
    const auto orders = all<core::Orders>();
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(orders[1].OrdNum, 2);
    EXPECT_EQ(all<core::ItemsOrd>().size(), 2u);
    const auto serials = all<core::Serials>();
    ASSERT_EQ(serials.size(), 1u);  // only the old quote's
    EXPECT_EQ(serials[0].ITENUM, all<core::ItemsOrd>()[0].IteNum);
}

TEST_F(OrderForm, InvoiceCommandPostsPrintsAndCloses) {
    parts = {{"BOLT-1", "2"}};
    company([](core::Defaults& d) {
        d.DEFAULTTOAR = 0;
        d.FLAG1 = 1;
    });
    auto form = newQuote();
    form->invoice();
    EXPECT_TRUE(form->isClosed());
    EXPECT_EQ(form->response(), Response::Completed);
    EXPECT_EQ(prints, (std::vector<std::string>{"QUOTEPRINT 1", "QUOTEPACKINGLIST 1"}));
    EXPECT_EQ(all<core::Orders>()[0].Status.view(), "I");
    EXPECT_EQ(productNamed("BOLT-1").OnHand, money("8.00"));
    EXPECT_EQ(all<core::Charges>()[0].Paid, 1);
    EXPECT_EQ(all<core::Payments>()[0].Method.view(), "Cash");
}

TEST_F(OrderForm, EachPrintShowsTheOrderAsStoredWithItsNumbers) {
    parts = {{"BOLT-1", "2"}};
    company([](core::Defaults& d) {
        d.DEFAULTTOAR = 0;
        d.FLAG1 = 1;
    });
    QuoteForm1* form = nullptr;
    std::vector<std::pair<std::int32_t, std::int32_t>> shown;  // order and invoice number at each print
    OrderFormHooks h = hooks();
    h.print = [&](OrderPrint, std::int32_t) { shown.emplace_back(form->order().OrdNum, form->order().InvoiceNum); };
    customerToPick = "Acme Supply";
    QuoteForm1 f(*db, ui, Request::Insert, core::Orders{}, std::move(h));
    form = &f;
    ASSERT_TRUE(f.open());
    f.firstTick();
    f.invoice();
    ASSERT_EQ(shown.size(), 2u);  // the invoice and the packing list
    for (const auto& [ordNum, invoiceNum] : shown) {
        EXPECT_EQ(ordNum, 1);
        EXPECT_EQ(invoiceNum, 1);
    }
}

TEST_F(OrderForm, ChangedQuoteLoadsItsLinesAndSerialsByPosition) {
    parts = {{"BOLT-1", "1"}, {"SAW-9", "1"}};
    auto form = newQuote();
    form->insertLine();
    serialsToAdd = {"S-1"};
    form->serialNumbers();
    form->saveAndClose();
    ASSERT_TRUE(form->isClosed());
    core::Orders stored = all<core::Orders>()[0];
    QuoteForm1 again(*db, ui, Request::Change, stored, hooks());
    ASSERT_TRUE(again.open());
    ASSERT_EQ(again.work().lines.size(), 2u);
    EXPECT_EQ(again.work().lines[1].POSITION, 2);
    ASSERT_EQ(again.work().serials.size(), 1u);
    EXPECT_EQ(again.work().serials[0].ITEQNUM, 2);
    EXPECT_EQ(again.order().TOTAL, stored.TOTAL);
}

TEST_F(OrderForm, DeletingAQuoteRemovesOrderLinesAndSerialsTogether) {
    parts = {{"SAW-9", "1"}};
    auto form = newQuote();
    serialsToAdd = {"S-1"};
    form->serialNumbers();
    form->save();
    core::Orders stored = all<core::Orders>()[0];
    ui.answer(Button::Cancel);
    QuoteForm1 kept(*db, ui, Request::Delete, stored, hooks());
    EXPECT_FALSE(kept.open());
    EXPECT_EQ(kept.response(), Response::Cancelled);
    EXPECT_EQ(all<core::Orders>().size(), 1u);
    ui.answer(Button::Ok);
    QuoteForm1 gone(*db, ui, Request::Delete, stored, hooks());
    EXPECT_FALSE(gone.open());
    EXPECT_EQ(gone.response(), Response::Completed);
    EXPECT_TRUE(all<core::Orders>().empty());
    EXPECT_TRUE(all<core::ItemsOrd>().empty());
    EXPECT_TRUE(all<core::Serials>().empty());
}

TEST_F(OrderForm, ProfitMarginIsZeroWhenTheOrderHasNoCost) {
    parts = {{"BOLT-1", "2"}};
    auto form = newQuote();
    form->profitMargin();
    EXPECT_EQ(core::glo.OrdCost, money("12.00"));
    EXPECT_EQ(core::glo.ProfitMargin, money("108.33"));  // (25 - 12) / 12
    const ProfitFigures f = profitFigures();
    EXPECT_EQ(f.profit, money("13.00"));
    EXPECT_EQ(f.margin, money("52.00"));
    form->work().lines[0].COST = price("0.0000");
    form->profitMargin();
    EXPECT_EQ(core::glo.ProfitMargin, money("0.00"));
    EXPECT_EQ(profitFigures().markup, money("0.00"));
    EXPECT_EQ(profitShown, 2);
}

TEST_F(OrderForm, MissingCompanyRecordKeepsTheFormClosed) {
    {
        core::ScriptedUi quiet;
        core::Handle<core::Defaults> d(*db);
        ASSERT_EQ(core::openTable(quiet, d), core::OpenOutcome::Opened);
        ASSERT_EQ(core::GETCOMPANYDEFAULTS(d, 1), 0);
        ASSERT_EQ(d.erase(), core::ErrorCode::None);
    }
    QuoteForm1 form(*db, ui, Request::Insert, core::Orders{}, hooks());
    EXPECT_FALSE(form.open());
    EXPECT_EQ(ui.messages().back().text, "Company Defaults not set.  Please set company defaults before continuing");
}

class LineForm : public testing::OrdersTest {
protected:
    void SetUp() override {
        OrdersTest::SetUp();
        core::Products p = product("BOLT-1", "3.00", 1);
        p.OnOrder = money("2.00");
        store(p);
        core::Products other = product("NUT-2", "0.00", 0);
        other.PRICECLASS3 = price("1.2500");
        store(other);
        core::Products dead = product("OLD-7");
        dead.Active = 0;
        store(dead);
        core::glo.PriceClass = "3";
    }
};

TEST_F(LineForm, PriceTakenOncePerPartFromTheOrdersClass) {
    // columns: order's price class, price expected
    const struct {
        const char* cls;
        const char* each;
    } cases[] = {{"3", "12.5000"}, {"1", "15.0000"}, {"C", "6.0000"}, {"R", "20.0000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cls);
        core::glo.PriceClass = c.cls;
        LineEntry line;
        ItemOrdForm f(*db, ui, Request::Insert, line);
        ASSERT_TRUE(f.open());
        ASSERT_TRUE(f.choosePart("BOLT-1"));
        EXPECT_EQ(line.PRICE, price(c.each));
    }
    core::glo.PriceClass = "3";
    LineEntry line;
    ItemOrdForm f(*db, ui, Request::Insert, line);
    ASSERT_TRUE(f.open());
    ASSERT_TRUE(f.choosePart("BOLT-1"));
    line.PRICE = price("11.0000");
    ASSERT_EQ(line.QTY.parse("4"), core::DecimalStatus::Ok);
    ASSERT_TRUE(f.choosePart("BOLT-1"));
    f.recompute();
    EXPECT_EQ(line.PRICE, price("11.0000"));
    EXPECT_EQ(line.TOTAL, money("44.00"));
    ASSERT_TRUE(f.choosePart("NUT-2"));
    EXPECT_EQ(line.PRICE, price("1.2500"));
    EXPECT_FALSE(f.choosePart("OLD-7"));  // inactive products are not offered
}

TEST_F(LineForm, PriceKeysWorkOnlyOnTheLoadedPart) {
    LineEntry line;
    line.PARTNUM = "BOLT-1";
    ItemOrdForm f(*db, ui, Request::Insert, line);
    ASSERT_TRUE(f.open());
    f.priceKey(7);
    EXPECT_TRUE(line.PRICE.isZero());
    ASSERT_TRUE(f.choosePart("BOLT-1"));
    f.priceKey(7);
    EXPECT_EQ(line.PRICE, price("6.0000"));
    f.priceKey(8);
    EXPECT_EQ(line.PRICE, price("20.0000"));
    f.priceKey(1);
    EXPECT_EQ(line.PRICE, price("15.0000"));
}

TEST_F(LineForm, LowInventoryWarnsOnlyBeyondOnHandPlusOnOrder) {
    company([](core::Defaults& d) { d.LOWINVENTORY = "W"; });
    for (const char* qty : {"5", "6"}) {
        SCOPED_TRACE(qty);
        ui.clearRecord();
        LineEntry line;
        ItemOrdForm f(*db, ui, Request::Insert, line);
        ASSERT_TRUE(f.open());
        ASSERT_TRUE(f.choosePart("BOLT-1"));
        ASSERT_EQ(line.QTY.parse(qty), core::DecimalStatus::Ok);
        const bool beyond = std::string(qty) == "6";
        if (beyond) ui.answer(Button::Yes);
        const bool done = f.ok();
        if (!beyond) {
            EXPECT_TRUE(done);
            EXPECT_TRUE(ui.messages().empty());
        } else {
            EXPECT_FALSE(done);
            EXPECT_EQ(ui.messages().back().caption, "WARNING:  Low Inventory");
            EXPECT_EQ(f.focus(), ItemOrdForm::Focus::Qty);
        }
    }
}

TEST_F(LineForm, ZeroPriceAsksAndBlankPartCannotComplete) {
    LineEntry line;
    ItemOrdForm f(*db, ui, Request::Insert, line);
    ASSERT_TRUE(f.open());
    ui.answer(Button::No);
    EXPECT_FALSE(f.ok());  // zero price kept, but no part
    EXPECT_EQ(ui.messages().back().caption, "WARNING:  No Price");
    EXPECT_EQ(f.focus(), ItemOrdForm::Focus::PartNum);
    ASSERT_TRUE(f.choosePart("NUT-2"));
    line.PRICE.clear();
    ui.answer(Button::Yes);
    EXPECT_FALSE(f.ok());
    EXPECT_EQ(f.focus(), ItemOrdForm::Focus::Price);
    ui.answer(Button::No);
    EXPECT_TRUE(f.ok());  // NUT-2 has no stock adjustment: no stock warning
}

TEST_F(LineForm, ChangedLineWhoseProductWasDeletedKeepsTheLineAndAsksForAnother) {
    LineEntry line;
    line.PARTNUM = "GONE-1";
    line.PRICE = price("3.0000");
    line.QTY = money("1.00");
    ItemOrdForm f(*db, ui, Request::Change, line);
    ASSERT_TRUE(f.open());
    EXPECT_EQ(ui.messages().back().text, "Product Referential Error");
    EXPECT_FALSE(ui.programEnded());
    EXPECT_EQ(line.PRICE, price("3.0000"));
    EXPECT_FALSE(f.ok());
    ASSERT_TRUE(f.choosePart("BOLT-1"));
    EXPECT_TRUE(f.ok());
}

}  // namespace
}  // namespace quay::desk
