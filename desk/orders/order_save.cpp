// The save of an order, step by step:
//
//   prepare ── invoicing? ──> A: next invoice number, "SaveInvoiceForm",
//      │                         initial payment -> "PostInvoicePayment"
//      │                      credit-limit policy (E refuses, W asks, I passes)
//      v
//   B: one transaction over Orders, ItemsOrd, Serials, Products (+ Charges when
//      invoicing, + Payments and Applied with an initial payment):
//      add the new order (numbered here) or replace the old lines of a quote and
//      update it; add the lines with their serial numbers; take sold quantities
//      out of stock; add (or refresh) the charge; add the payment and its
//      application; commit.
//      when the order is an invoice, recompute the customer's balance from the
//      charges and payments the transaction sees and store it; commit.
//
// The balance is part of the transaction, so it commits with the charge that moved it:
// a station killed after the commit cannot leave it stale, and two stations invoicing
// one customer at once cannot store balances computed before the other's charge.
//
// The write lock is held only as long as the writes take: the status window is shown
// before the transaction begins and no events are processed while it runs (a timer
// opening a window then would hold every station's saves up), every line is checked
// against Products and every record built that can be before BEGIN IMMEDIATE, and the
// line numbers are read once per save rather than once per line.
//
// A duplicate order or invoice number (another station took it first) rolls the
// transaction back and offers a retry: a duplicate invoice number goes back to A, a
// duplicate order number back to B. Any other failure rolls back, says what failed
// and leaves the user's work in the form.
//
// Two mends beside the plain steps keep the account whole: the initial payment
// stored is always the amount entered in the payment dialog (the charge's unpaid
// balance and the application are computed from that one amount), and line numbers
// handed out inside a transaction that did not commit are given back, since another
// station may take them before the next save.
#include "orders/order_save.h"

#include "orders/invoice_dialogs.h"

#include <algorithm>

#include "quay/app/globals.h"
#include "quay/customers/customer_balance.h"
#include "quay/store/transaction.h"
#include "quay/types/date.h"

namespace quay::desk {

using core::Button;
using core::ErrorCode;
using core::Icon;
using core::Response;

OrderSave::OrderSave(core::UiPort& ui, OrderTables& tables, OrderWork& work, core::Orders& snapshot)
    : m_ui(ui), m_t(tables), m_work(work), m_snapshot(snapshot) {}

void OrderSave::status(const std::string& text) {
    m_statusLog.push_back(text);
    // The sink may repaint and process events; while the write lock is held nothing
    // may run that could open a window or wait for the user.
    if (m_sink && !m_t.db.inTransaction()) m_sink(text);
}

void OrderSave::closeStatus() {
    if (m_sink) m_sink(std::string());
}

void OrderSave::restoreSnapshot() {
    m_t.ord.handle.rec = m_snapshot;
    m_t.ord.handle.rec.InvoiceNum = 0;
}

core::Response OrderSave::run(bool invoicing, bool newOrder) {
    m_invoicing = invoicing;
    m_statusLog.clear();
    m_transactionTables.clear();
    core::Orders& ord = m_t.ord.handle.rec;
    const core::Defaults& def = m_t.def.handle.rec;
    m_ui.setBusy(true);
    status("Saving Quote");
    if (def.CREDITLIMIT.view() != "I") core::GETCUSTBALANCE(m_t.db, m_ui, ord.CustName.view());
    m_t.pay.handle.clear();
    const std::string entryStatus(m_snapshot.Status.view());

    for (;;) {  // retry point A
        if (invoicing) {
            if (!invoiceDialog()) {
                closeStatus();
                m_ui.setBusy(false);
                return Response::Cancelled;
            }
            // The snapshot is what a cancel restores: the order as the quote it was.
            if (entryStatus != "I") m_snapshot.Status = entryStatus;
        }
        if (ord.Status.view() == "I" && !creditCheck()) {
            closeStatus();
            m_ui.setBusy(false);
            return Response::Cancelled;
        }
        Outcome outcome;
        do {  // retry point B
            outcome = transaction(invoicing, newOrder);
        } while (outcome == Outcome::RetryOrder);
        if (outcome == Outcome::RetryInvoice) continue;
        if (outcome == Outcome::Failed) {
            if (invoicing) {
                // The order is again the quote it was, without an invoice number.
                ord.Status = entryStatus.empty() ? std::string("Q") : entryStatus;
                if (entryStatus != "I") ord.InvoiceNum = 0;
            }
            closeStatus();
            m_ui.setBusy(false);
            return Response::Cancelled;
        }
        break;
    }
    closeStatus();
    m_ui.setBusy(false);
    return Response::Completed;
}

bool OrderSave::invoiceDialog() {
    core::Orders& ord = m_t.ord.handle.rec;
    status("Getting Next Invoice Number");
    std::int32_t highest = 0;
    if (ErrorCode e = highestNumber(
            m_t.ordScan.handle, core::Orders::byInvoiceNum, [](const core::Orders& o) { return o.InvoiceNum; },
            highest);
        e != ErrorCode::None) {
        m_ui.message("Error", "Error reading the last invoice number: " + std::to_string(static_cast<int>(e)),
                     Icon::Error, Button::Ok, Button::Ok);
        return false;
    }
    ord.InvoiceNum = highest + 1;
    m_snapshot = ord;

    core::WindowRequest request;
    request.request = core::Request::Change;
    request.table = &m_t.ord.handle;
    m_ui.setBusy(false);
    const core::WindowResponse invoice = m_ui.runWindow("SaveInvoiceForm", request);
    m_ui.setBusy(true);
    if (invoice.response != Response::Completed) {
        restoreSnapshot();
        return false;
    }
    ord.Status = "I";

    core::Payments& pay = m_t.pay.handle.rec;
    if (ord.DOWNPAYMENT.isZero()) {
        // No payment with this invoice: nothing left from an earlier pass may count.
        m_t.pay.handle.clear();
        return true;
    }
    if (ord.DOWNPAYMENT != pay.AMOUNT) {
        m_t.pay.handle.clear();
        pay.Customer = ord.CustName.view();
        pay.Date = ord.OrdDate;
        pay.AMOUNT = ord.DOWNPAYMENT;
        pay.Method = "Cash";
        core::WindowRequest payRequest;
        payRequest.request = core::Request::Insert;
        payRequest.table = &m_t.pay.handle;
        m_ui.setBusy(false);
        const core::WindowResponse payment = m_ui.runWindow("PostInvoicePayment", payRequest);
        m_ui.setBusy(true);
        if (payment.response != Response::Completed) {
            restoreSnapshot();
            return false;
        }
    }
    if (pay.AMOUNT != ord.DOWNPAYMENT) {
        // The amount received is what the account records; it must still fit the invoice.
        if (!SaveInvoiceForm::isValidPayment(ord.TOTAL, pay.AMOUNT)) {
            m_ui.message("Error", "The payment amount must lie between 0 and the invoice total.", Icon::Error,
                         Button::Ok, Button::Ok);
            restoreSnapshot();
            m_t.pay.handle.clear();
            return false;
        }
        ord.DOWNPAYMENT = pay.AMOUNT;
        if (ord.DOWNPAYMENT.isZero()) m_t.pay.handle.clear();
    }
    return true;
}

bool OrderSave::creditCheck() {
    const core::Defaults& def = m_t.def.handle.rec;
    const std::string_view policy = def.CREDITLIMIT.view();
    if (policy != "E" && policy != "W") return true;
    core::Orders& ord = m_t.ord.handle.rec;
    m_t.cus.handle.rec.Name = ord.CustName.view();
    core::Decimal<13, 2> limit;
    if (m_t.cus.handle.get(core::Customer::byName) == ErrorCode::None) limit = m_t.cus.handle.rec.CREDITLIMIT;
    const auto exposure = ord.TOTAL - m_t.pay.handle.rec.AMOUNT + core::glo.BalanceDue;
    if (!(exposure > limit)) return true;
    if (policy == "E") {
        restoreSnapshot();
        closeStatus();
        m_ui.setBusy(false);
        m_ui.message("CREDIT LIMIT ERROR", "This invoice will exceed this customers credit limit.", Icon::Error,
                     Button::Ok, Button::Ok);
        return false;
    }
    m_ui.setBusy(false);
    const Button b = m_ui.message("CREDIT LIMIT WARNING",
                                  "This invoice will exceed this customers credit limit.  Do you wish to continue?",
                                  Icon::Warning, Button::Yes | Button::No, Button::No);
    if (b != Button::Yes) {
        restoreSnapshot();
        closeStatus();
        return false;
    }
    m_ui.setBusy(true);
    return true;
}

OrderSave::Outcome OrderSave::transaction(bool invoicing, bool newOrder) {
    core::Orders& ord = m_t.ord.handle.rec;
    std::vector<core::Table*> tables{&m_t.ord.handle, &m_t.ite.handle, &m_t.ser.handle, &m_t.prd.handle};
    const bool withPayment = invoicing && !ord.DOWNPAYMENT.isZero();
    if (invoicing) tables.push_back(&m_t.chg.handle);
    if (withPayment) {
        tables.push_back(&m_t.app.handle);
        tables.push_back(&m_t.pay.handle);
    }
    const bool balanceToStore = ord.Status.view() == "I";
    if (balanceToStore) tables.push_back(&m_t.cus.handle);
    m_numbered.clear();

    // Everything that can be read or built without the write lock.
    if (m_sink) m_sink(newOrder ? "Saving Order Information" : "Removing Old Order Information");
    std::vector<PreparedLine> prepared;
    if (std::string failure; !prepareLines(prepared, failure)) {
        closeStatus();
        m_ui.setBusy(false);
        m_ui.message("Error", failure, Icon::Error, Button::Ok, Button::Ok);
        return Outcome::Failed;
    }

    core::Transaction tx(m_t.db, tables);
    m_transactionTables = tx.tableNames();
    m_lockHeld = std::chrono::nanoseconds(0);
    if (ErrorCode e = tx.begin(); e != ErrorCode::None) {
        m_ui.setBusy(false);
        m_ui.message("Error",
                     "The order could not be saved: the files are in use at another station (" +
                         std::to_string(static_cast<int>(e)) + ").  Please save again.",
                     Icon::Error, Button::Ok, Button::Ok);
        return Outcome::Failed;
    }
    m_lockTaken = std::chrono::steady_clock::now();
    ord.LASTMODDATE = core::today();

    if (newOrder) {
        std::int32_t highest = 0;
        if (ErrorCode e = highestNumber(
                m_t.ordScan.handle, core::Orders::byOrdNum, [](const core::Orders& o) { return o.OrdNum; }, highest);
            e != ErrorCode::None) {
            return fail(tx, "Error reading the last order number: " + std::to_string(static_cast<int>(e)));
        }
        core::glo.OrdNum = highest + 1;
        ord.OrdNum = core::glo.OrdNum;
        if (ErrorCode e = m_t.ord.handle.add(); e != ErrorCode::None) return orderWriteFailed(e, tx, true);
    } else {
        status("Removing Old Order Information");
        core::glo.OrdNum = ord.OrdNum;
        const core::Orders edited = ord;
        for (;;) {
            m_t.ite.handle.clear();
            m_t.ite.handle.rec.OrdNum = core::glo.OrdNum;
            m_t.ite.handle.setAtKey(core::ItemsOrd::byOrdNum);
            if (m_t.ite.handle.next() != ErrorCode::None || m_t.ite.handle.rec.OrdNum != core::glo.OrdNum) break;
            const core::ItemsOrd line = m_t.ite.handle.rec;
            for (;;) {
                m_t.ser.handle.clear();
                m_t.ser.handle.rec.ITENUM = line.IteNum;
                m_t.ser.handle.setAtKey(core::Serials::byIteNum);
                if (m_t.ser.handle.next() != ErrorCode::None || m_t.ser.handle.rec.ITENUM != line.IteNum) break;
                if (m_t.ser.handle.erase() != ErrorCode::None)
                    return fail(tx, "Error deleting Serial Numbers in Serials.tps.  Please repair database.");
            }
            m_t.ite.handle.rec = line;
            if (m_t.ite.handle.get(core::ItemsOrd::byIteNum) != ErrorCode::None ||
                m_t.ite.handle.erase() != ErrorCode::None)
                return fail(tx, "Error deleting items in ItemsOrd.tps.  Please repair database.");
        }
        status("Saving Order Information");
        ord.OrdNum = core::glo.OrdNum;
        if (m_t.ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) {
            ord = edited;
            return fail(tx, "Error locating original order");
        }
        ord = edited;
        if (ErrorCode e = m_t.ord.handle.put(); e != ErrorCode::None) return orderWriteFailed(e, tx, false);
    }

    std::string failure;
    if (!saveLines(invoicing, prepared, failure)) return fail(tx, failure);
    if (invoicing) {
        std::int32_t chargeId = 0;
        if (!postCharge(chargeId, failure)) return fail(tx, failure);
        if (withPayment && !postPayment(chargeId, failure)) return fail(tx, failure);
    }
    if (balanceToStore) {
        const core::StoredBalance b = core::storeCustomerBalance(
            tx, {m_t.cus.handle, m_t.chgScan.handle, m_t.payScan.handle}, ord.CustName.view());
        if (b.code != ErrorCode::None)
            return fail(tx, "Error updating the customer's balance (Customer).  Please repair database.");
    }
    const ErrorCode committed = tx.commit();
    lockReleased();
    if (ErrorCode e = committed; e != ErrorCode::None) {
        return fail(tx, "Error saving the order: " + std::to_string(static_cast<int>(e)) + " " + tx.driverErrorText());
    }
    m_numbered.clear();
    return Outcome::Done;
}

bool OrderSave::prepareLines(std::vector<PreparedLine>& prepared, std::string& failure) {
    std::vector<LineEntry*> ordered;
    for (LineEntry& l : m_work.lines) ordered.push_back(&l);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const LineEntry* a, const LineEntry* b) { return a->POSITION < b->POSITION; });
    prepared.clear();
    prepared.reserve(ordered.size());
    for (LineEntry* line : ordered) {
        // A part that is not stored is refused before any lock is taken; the
        // transaction reads each product again for its stock and cost.
        m_t.prd.handle.clear();
        m_t.prd.handle.rec.PartNum = line->PARTNUM.view();
        if (m_t.prd.handle.get(core::Products::byPartNum) != ErrorCode::None) {
            failure = "Error finding inventory records (Products).  Please repair database.";
            return false;
        }
        PreparedLine p;
        p.entry = line;
        m_t.ite.handle.clear();
        p.record = m_t.ite.handle.rec;
        core::ItemsOrd& ite = p.record;
        ite.PartNum = line->PARTNUM.view();
        ite.DESCRIPTION = line->DESCRIPTION.view();
        ite.QTY = line->QTY;
        ite.QTYDELIVERED = line->QTYDELIVERED;
        ite.PRICE = line->PRICE;
        ite.TOTAL = line->TOTAL;
        ite.SALESTAXABLE1 = line->SALESTAXABLE1;
        ite.SALESTAXABLE2 = line->SALESTAXABLE2;
        ite.BACKORDDATE = line->BACKORDDATE;
        ite.DUEDATE = line->DUEDATE;
        ite.DELIVERYDATE = line->DELIVERYDATE;
        ite.TRACKSERIAL = line->TRACKSERIAL.view();
        ite.MARKED = line->MARKED;
        ite.Comments = line->COMMENTS;
        ite.GROUP = line->GROUP.view();  // the line keeps the first 10 characters
        ite.COST = line->COST;
        prepared.push_back(std::move(p));
    }
    return true;
}

bool OrderSave::saveLines(bool invoicing, std::vector<PreparedLine>& prepared, std::string& failure) {
    const core::Orders& ord = m_t.ord.handle.rec;
    const core::Defaults& def = m_t.def.handle.rec;
    // New lines are numbered after the highest stored line and after every number the
    // order's own lines keep, so that one reading of the key serves the whole order.
    std::int32_t highest = 0;
    if (highestNumber(
            m_t.iteScan.handle, core::ItemsOrd::byIteNum, [](const core::ItemsOrd& i) { return i.IteNum; }, highest) !=
        ErrorCode::None) {
        failure = "Error adding records to ItemsOrd.tps.  Please repair database.";
        return false;
    }
    for (const PreparedLine& p : prepared) highest = std::max(highest, p.entry->ITENUM);
    const bool costsFromProducts = ord.Status.view() == "I" && def.UPDATECOSTSATINV == 1;
    for (PreparedLine& p : prepared) {
        LineEntry* line = p.entry;
        status("Saving Items Ordered");
        core::Products& prd = m_t.prd.handle.rec;
        m_t.prd.handle.clear();
        prd.PartNum = line->PARTNUM.view();
        if (m_t.prd.handle.get(core::Products::byPartNum) != ErrorCode::None) {
            failure = "Error finding inventory records (Products).  Please repair database.";
            return false;
        }
        core::ItemsOrd& ite = m_t.ite.handle.rec;
        ite = p.record;
        ite.OrdNum = core::glo.OrdNum;
        if (costsFromProducts) ite.COST = prd.COST;
        if (line->ITENUM != 0) {
            ite.IteNum = line->ITENUM;
        } else {
            ite.IteNum = ++highest;
            line->ITENUM = ite.IteNum;
            m_numbered.push_back(line->POSITION);
        }
        if (m_t.ite.handle.add() != ErrorCode::None) {
            failure = "Error adding records to ItemsOrd.tps.  Please repair database.";
            return false;
        }
        if (!m_work.serials.empty()) {
            status("Saving Serial Numbers");
            for (SerialEntry& s : m_work.serials) {
                if (s.ITEQNUM != line->POSITION) continue;
                m_t.ser.handle.clear();
                m_t.ser.handle.rec.ITENUM = ite.IteNum;
                m_t.ser.handle.rec.SERIALNUMBER = s.SERIALNUMBER.view();
                if (m_t.ser.handle.add() != ErrorCode::None) {
                    failure = "Error adding records to Serials.tps.  Please repair database.";
                    return false;
                }
                s.ITENUM = ite.IteNum;
            }
        }
        if (invoicing) {
            status("Updating Inventory Quantities");
            if (prd.ADJUSTSTOCK) {
                if (prd.OnHand.assign(prd.OnHand - ite.QTY) != core::DecimalStatus::Ok ||
                    m_t.prd.handle.put() != ErrorCode::None) {
                    failure = "Error updating inventory records (Products).  Please repair database.";
                    return false;
                }
            }
        }
    }
    return true;
}

bool OrderSave::postCharge(std::int32_t& chargeId, std::string& failure) {
    const core::Orders& ord = m_t.ord.handle.rec;
    failure = "Error updating AR records (Charges).  Please repair database.";
    status("Adding Charge to A/R");
    std::int32_t highest = 0;
    if (highestNumber(
            m_t.chgScan.handle, core::Charges::byId, [](const core::Charges& c) { return c.Id; }, highest) !=
        ErrorCode::None)
        return false;
    core::Charges& chg = m_t.chg.handle.rec;
    m_t.chg.handle.clear();
    chg.Id = highest + 1;
    chg.Customer = ord.CustName.view();
    chg.INVOICENUM = ord.InvoiceNum;
    chg.Paid = ord.TOTAL == ord.DOWNPAYMENT ? 1 : 0;
    chg.Date = ord.OrdDate;
    chg.REASON = "Invoice " + std::to_string(ord.InvoiceNum);
    chg.AMOUNT = ord.TOTAL;
    if (chg.UNPAIDBAL.assign(ord.TOTAL - ord.DOWNPAYMENT) != core::DecimalStatus::Ok) return false;
    chg.MARKED = 0;
    const core::Charges built = chg;
    ErrorCode e = m_t.chg.handle.add();
    if (e == ErrorCode::DuplicateKey && m_t.chg.handle.duplicate(core::Charges::byInvoiceNum)) {
        m_t.chg.handle.clear();
        chg.INVOICENUM = ord.InvoiceNum;
        if (m_t.chg.handle.get(core::Charges::byInvoiceNum) != ErrorCode::None) return false;
        chg.Date = built.Date;
        chg.REASON = built.REASON;
        chg.AMOUNT = built.AMOUNT;
        chg.UNPAIDBAL = built.UNPAIDBAL;
        chg.MARKED = built.MARKED;
        e = m_t.chg.handle.put();
    }
    if (e != ErrorCode::None) return false;
    chargeId = chg.Id;
    failure.clear();
    return true;
}

bool OrderSave::postPayment(std::int32_t chargeId, std::string& failure) {
    status("Saving Payment Information");
    core::Payments& pay = m_t.pay.handle.rec;
    std::int32_t highest = 0;
    failure = "Error updating AR records (Payments).  Please repair database.";
    if (highestNumber(
            m_t.payScan.handle, core::Payments::byId, [](const core::Payments& p) { return p.Id; }, highest) !=
        ErrorCode::None)
        return false;
    pay.Id = highest + 1;
    pay.Applied = 1;
    pay.UNAPPAMT.clear();
    pay.MARKED = 0;
    if (m_t.pay.handle.add() != ErrorCode::None) return false;
    failure = "Error updating AR records (Applied).  Please repair database.";
    core::Applied& app = m_t.app.handle.rec;
    m_t.app.handle.clear();
    app.PayId = pay.Id;
    app.ChgId = chargeId;
    app.AMOUNT = pay.AMOUNT;
    if (m_t.app.handle.add() != ErrorCode::None) return false;
    failure.clear();
    return true;
}

OrderSave::Outcome OrderSave::orderWriteFailed(ErrorCode code, core::Transaction& tx, bool adding) {
    core::Orders& ord = m_t.ord.handle.rec;
    giveBackLineNumbers();
    // Rolled back before anything is said: a message waiting for OK must not keep every
    // other station's saves waiting for the write lock.
    tx.rollback();
    lockReleased();
    m_ui.setBusy(false);
    if (adding)
        m_ui.message("Error", "ErrorCode: " + std::to_string(static_cast<int>(code)) + " Adding Orders", Icon::Error,
                     Button::Ok, Button::Ok);
    if (code == ErrorCode::DuplicateKey) {
        if (m_invoicing && ord.InvoiceNum != 0 && m_t.ord.handle.duplicate(core::Orders::byInvoiceNum)) {
            if (m_ui.message("Error", "Duplicate Invoice Number.  Press OK to Retry.", Icon::Error,
                             Button::Ok | Button::Cancel, Button::Ok) == Button::Ok) {
                m_ui.setBusy(true);
                return Outcome::RetryInvoice;
            }
        }
        if (m_t.ord.handle.duplicate(core::Orders::byOrdNum)) {
            if (m_ui.message("Error", "Duplicate Order Number.  Press OK to Retry.", Icon::Error,
                             Button::Ok | Button::Cancel, Button::Ok) == Button::Ok) {
                m_ui.setBusy(true);
                return Outcome::RetryOrder;
            }
        }
        return Outcome::Failed;
    }
    m_ui.message("Error", "Error adding/updating Orders.tps.:" + std::to_string(static_cast<int>(code)), Icon::Error,
                 Button::Ok, Button::Ok);
    return Outcome::Failed;
}

void OrderSave::lockReleased() {
    if (m_lockTaken == std::chrono::steady_clock::time_point{}) return;
    m_lockHeld = std::chrono::steady_clock::now() - m_lockTaken;
    m_lockTaken = {};
}

OrderSave::Outcome OrderSave::fail(core::Transaction& tx, const std::string& text) {
    if (tx.isActive()) tx.rollback();
    lockReleased();
    giveBackLineNumbers();
    closeStatus();
    m_ui.setBusy(false);
    m_ui.message("Error", text, Icon::Error, Button::Ok, Button::Ok);
    return Outcome::Failed;
}

void OrderSave::giveBackLineNumbers() {
    for (const std::int32_t position : m_numbered) {
        const int i = m_work.indexOf(position);
        if (i >= 0) m_work.lines[static_cast<std::size_t>(i)].ITENUM = 0;
    }
    m_numbered.clear();
    for (SerialEntry& s : m_work.serials)
        if (m_work.indexOf(s.ITEQNUM) >= 0 &&
            m_work.lines[static_cast<std::size_t>(m_work.indexOf(s.ITEQNUM))].ITENUM == 0)
            s.ITENUM = 0;
}

}  // namespace quay::desk
