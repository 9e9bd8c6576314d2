// QuoteForm1: the open-order form. It holds the order's header in its Orders buffer,
// its lines and serial numbers in its own working lists, recomputes the line sums and
// totals after every event, and ends every save command in OrderSave. The request
// moves from insert to change after a save that stays open, and from change to insert
// after "Save As ...".
//
// The windows the form opens (header, line, serial numbers, notes, profit, printing)
// are reached through OrderFormHooks, which the view fills with its dialogs and the
// tests with the window logic driven directly.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "orders/order_save.h"
#include "orders/order_tables.h"
#include "orders/order_work.h"
#include "quay/app/ui_port.h"

namespace quay::desk {

struct OrderFormHooks {
    // QuoteDetails on the form's Orders buffer.
    std::function<core::Response(core::Orders& order)> details;
    // ItemOrdForm on one line (insert: a cleared entry).
    std::function<core::Response(core::Request request, LineEntry& line)> editLine;
    // QuoteSerialList on the line's numbers (SERQ1).
    std::function<core::Response(std::vector<core::FixedString<20>>& numbers)> editSerials;
    // QuoteComments on the order's notes.
    std::function<void(core::Orders& order)> notes;
    // ProfitMarginWindow, after glo.OrdCost, ListSubTotal, DiscountAmt, ProfitMargin are set.
    std::function<void()> profit;
    // Prints the stored order.
    std::function<void(OrderPrint print, std::int32_t ordNum)> print;
    // The save's status window line ("" closes it).
    OrderSave::StatusSink status;
};

enum class SerialMark { Hidden, Check, Cross };

class QuoteForm1 {
public:
    // REQUIRES for change and delete: `order` holds the order (its OrdNum at least).
    QuoteForm1(core::Database& db, core::UiPort& ui, core::Request request, const core::Orders& order,
               OrderFormHooks hooks);
    ~QuoteForm1();

    // Opens the tables and reads the company record; loads a changed order's lines;
    // runs a delete to its end. False when the form does not open (or a delete ended):
    // response() then says what the caller gets.
    bool open();
    // The first timer tick of an insert: the header window, then the first line.
    void firstTick();

    // --- state ---
    core::Orders& order() { return m_tables->ord.handle.rec; }
    OrderWork& work() { return m_work; }
    core::Request request() const { return m_request; }
    int selected() const { return m_selected; }  // index into work().lines, -1 for none
    void select(int index);
    bool isClosed() const { return m_closed; }
    core::Response response() const { return m_response; }
    const LineSums& sums() const { return m_sums; }
    core::Decimal<15, 2> shipping() const { return shippingLine(m_tables->ord.handle.rec); }
    SerialMark serialMark() const;

    // --- command availability ---
    bool canInsert() const;
    bool canUseLines() const;  // change, delete, serials, every save command, Save As

    // --- commands ---
    void details();           // F2
    void insertLine();        // Insert
    void changeLine();        // Enter, double-click
    void deleteLine();        // Delete
    void serialNumbers();     // F7
    void notes();             // F4
    void profitMargin();      // F6
    void saveDetailTicket();  // F8: save as quote, print the detail ticket, stay open
    void saveQuote();         // F9: save as quote, print it, stay open
    void invoice();           // F10: save as invoice, print it (and the packing list), close
    void save();              // save as quote, stay open
    void saveAndClose();      // save as quote, close
    void saveAs();            // the order gets a new number with the next save
    void cancel();

private:
    bool recompute();
    bool runSave(bool invoicing, bool print, bool stayOpen, OrderPrint printed = OrderPrint::QuoteOrInvoice);
    void loadLines();
    void deleteQuote();
    void close(core::Response response);

    core::Database& m_db;
    core::UiPort& m_ui;
    core::Request m_request;
    core::Orders m_given;
    OrderFormHooks m_hooks;
    std::unique_ptr<OrderTables> m_tables;
    OrderWork m_work;
    core::Orders m_snapshot;
    LineSums m_sums;
    int m_selected = -1;
    bool m_closed = false;
    core::Response m_response = core::Response::Cancelled;
};

}  // namespace quay::desk
