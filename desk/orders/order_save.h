// OrderSave: the one routine every save command of the order form ends in. It
// stores the order header, replaces the order's lines and serial numbers and, when
// the order becomes an invoice, numbers the invoice, takes the sold quantities out
// of stock, posts the charge "Invoice <n>", records the payment taken with the
// invoice and applies it to that charge, and stores the customer's recomputed
// balance, all in one transaction.
//
// The routine works on the form's buffers (tables.ord.rec with its notes, the
// Payments buffer) and on the form's working lists; the form's snapshot of the order
// is what a cancelled invoicing save restores. Sub-windows "SaveInvoiceForm" and
// "PostInvoicePayment" run through the UI port on the Orders and Payments handles.
#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "orders/order_tables.h"
#include "orders/order_work.h"
#include "quay/app/ui_port.h"
#include "quay/store/transaction.h"

namespace quay::desk {

class OrderSave {
public:
    // Shows one line of the "Saving....." status window; an empty text closes it.
    // Never called while the save's transaction is open, so a sink may repaint and
    // process events.
    using StatusSink = std::function<void(const std::string&)>;
    static constexpr const char* kStatusCaption = "Saving.....";

    OrderSave(core::UiPort& ui, OrderTables& tables, OrderWork& work, core::Orders& snapshot);

    void setStatusSink(StatusSink sink) { m_sink = std::move(sink); }

    // Runs the save. `invoicing`: the F10 command; `newOrder`: the form's request is
    // insert. Completed leaves the stored order in the buffer (and glo.OrdNum set);
    // Cancelled leaves the user's data in the buffers and lists as far as the steps
    // allow (line numbers handed out stay in the list).
    core::Response run(bool invoicing, bool newOrder);

    // Every status text shown, in order, for the view and the tests.
    const std::vector<std::string>& statusLog() const { return m_statusLog; }
    // The tables the last begun transaction covered, joined as the store names them.
    const std::string& transactionTables() const { return m_transactionTables; }
    // How long the last transaction held the data set's write lock, from its begin to
    // its commit or rollback (0 when none was begun); every other station's save
    // waits this long. For the benchmark.
    std::chrono::nanoseconds lockHeld() const { return m_lockHeld; }

private:
    enum class Outcome { Done, Failed, RetryInvoice, RetryOrder };

    void status(const std::string& text);
    void closeStatus();
    bool invoiceDialog();                                // steps 4-7; false when cancelled
    bool creditCheck();                                  // steps 8-10; false when refused
    Outcome transaction(bool invoicing, bool newOrder);  // steps 11-25
    Outcome orderWriteFailed(core::ErrorCode code, core::Transaction& tx, bool adding);  // step 27
    Outcome fail(core::Transaction& tx, const std::string& text);                        // step 28
    // A line as it will be stored, built before the transaction; the number, the
    // order number and (at invoicing) the cost are filled in inside it.
    struct PreparedLine {
        LineEntry* entry = nullptr;
        core::ItemsOrd record{};
    };
    bool prepareLines(std::vector<PreparedLine>& prepared, std::string& failure);
    bool saveLines(bool invoicing, std::vector<PreparedLine>& prepared, std::string& failure);
    bool postCharge(std::int32_t& chargeId, std::string& failure);
    bool postPayment(std::int32_t chargeId, std::string& failure);
    void restoreSnapshot();
    void lockReleased();
    void giveBackLineNumbers();

    core::UiPort& m_ui;
    OrderTables& m_t;
    OrderWork& m_work;
    core::Orders& m_snapshot;
    StatusSink m_sink;
    std::vector<std::string> m_statusLog;
    std::string m_transactionTables;
    bool m_invoicing = false;
    std::chrono::steady_clock::time_point m_lockTaken{};
    std::chrono::nanoseconds m_lockHeld{0};
    std::vector<std::int32_t> m_numbered;  // positions of lines numbered in the running transaction
};

}  // namespace quay::desk
