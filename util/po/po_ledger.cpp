// The purchasing ledger. Every operation is one transaction begun here (BEGIN
// IMMEDIATE: the data set's write lock is taken at once, so everything read inside
// is what is stored, and no other station writes until the commit). The order of
// each is: read what is stored (the line, its mark, its product), decide, write the
// product, write the line, commit. Any failure returns before the commit and the
// transaction's destructor rolls everything back.
#include "quay/util/po_ledger.h"

#include <vector>

#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/store/transaction.h"
#include "quay/util/po_stock.h"

namespace quay::util {

using core::ErrorCode;
using core::StandardMessage;

struct PoLedger::Tx {
    explicit Tx(PoLedger& l)
        : t(l.m_db, {&l.m_po.handle, &l.m_lines.handle, &l.m_products.handle, &l.m_schedule.handle}) {}
    core::Transaction t;
};

PoLedger::PoLedger(core::Database& db, core::UiPort& ui)
    : m_db(db), m_ui(ui), m_po(db, ui), m_lines(db, ui), m_products(db, ui), m_schedule(db, ui) {}

bool PoLedger::isOpen() const {
    return m_po.isOpen() && m_lines.isOpen() && m_products.isOpen() && m_schedule.isOpen();
}

bool PoLedger::begin(Tx& tx, const char* what) {
    if (tx.t.begin() == ErrorCode::None) return true;
    core::saveError(tx.t.lastError(), {}, tx.t.driverErrorText(), tx.t.driverErrorCode());
    const std::string names = tx.t.tableNames();
    core::showStandardMessage(m_ui, StandardMessage::TransactionFramingError, {what, names});
    return false;
}

LedgerOutcome PoLedger::updateFailed(core::Table& t) {
    core::saveError(t);
    const std::string name = t.desc().name;
    core::showStandardMessage(m_ui, StandardMessage::UpdateError, {name});
    return LedgerOutcome::Failed;
}

LedgerOutcome PoLedger::deleteFailed(core::Table& t) {
    core::saveError(t);
    const std::string name = t.desc().name;
    core::showStandardMessage(m_ui, StandardMessage::DeleteError, {name});
    return LedgerOutcome::Failed;
}

LedgerOutcome PoLedger::retrievalFailed(core::Table& t) {
    core::saveError(t);
    const std::string name = t.desc().name;
    core::showStandardMessage(m_ui, StandardMessage::RecordRetrievalError, {name});
    return LedgerOutcome::Failed;
}

LedgerOutcome PoLedger::tooLarge(const core::Products& p) {
    m_ui.message(
        "Update Operation Error",
        "The stock figures of " + p.PartNum.str() + " would become too large for their fields.  Nothing was changed.",
        core::Icon::Warning, core::Button::Ok, core::Button::Ok);
    return LedgerOutcome::Failed;
}

bool PoLedger::findProduct(const core::FixedString<20>& part, ErrorCode& error) {
    error = ErrorCode::None;
    if (part.isBlank()) return false;
    m_products.handle.clear();
    m_products.rec().PartNum = part.view();
    const ErrorCode e = m_products.handle.get(core::Products::byPartNum);
    if (e == ErrorCode::RecordNotFound) return false;
    error = e;
    return e == ErrorCode::None;
}

template <class Rule>
LedgerOutcome PoLedger::moveStock(const core::FixedString<20>& part, Rule rule) {
    ErrorCode e = ErrorCode::None;
    if (!findProduct(part, e)) {
        // A part that names no product moves no stock.
        return e == ErrorCode::None ? LedgerOutcome::Done : retrievalFailed(m_products.handle);
    }
    core::Products& p = m_products.rec();
    StockFigures s{p.OnHand, p.OnOrder};
    if (rule(s) != core::DecimalStatus::Ok) return tooLarge(p);
    p.OnHand = s.onHand;
    p.OnOrder = s.onOrder;
    if (m_products.handle.put() != ErrorCode::None) return updateFailed(m_products.handle);
    return LedgerOutcome::Done;
}

ErrorCode PoLedger::linesOf(std::int32_t poNum, std::vector<std::int32_t>& out) {
    out.clear();
    core::Table& t = m_lines.handle;
    t.clear();
    m_lines.rec().PoNum = poNum;
    ErrorCode e = t.setAtKey(core::POItems::byPoNum);
    while (e == ErrorCode::None) {
        e = t.next();
        if (e != ErrorCode::None || m_lines.rec().PoNum != poNum) break;
        out.push_back(m_lines.rec().POINUM);
    }
    return e == ErrorCode::RecordNotAvailable || e == ErrorCode::None ? ErrorCode::None : e;
}

namespace {

// Reads line `poiNum` by POI:byPoiNum into `t`.
ErrorCode readLine(core::HeldTable<core::POItems>& t, std::int32_t poiNum) {
    t.handle.clear();
    t.rec().POINUM = poiNum;
    return t.handle.get(core::POItems::byPoiNum);
}

}  // namespace

LedgerOutcome PoLedger::saveLine(const core::POItems& line, bool entered) {
    Tx tx(*this);
    if (!begin(tx, "POItems")) return LedgerOutcome::Failed;
    const ErrorCode e = readLine(m_lines, line.POINUM);
    if (e != ErrorCode::None) return retrievalFailed(m_lines.handle);
    const core::POItems stored = m_lines.rec();
    if (stored.RECEIVED != 0) {
        m_ui.message(kErrorCaption, kReceivedLineText, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Refused;
    }
    LedgerOutcome moved = LedgerOutcome::Done;
    if (entered) {
        moved = moveStock(line.PartNum, [&](StockFigures& s) { return raiseOnOrder(s, line.QTY); });
    } else if (stored.PartNum.equalsNoCase(line.PartNum.view())) {
        moved = moveStock(line.PartNum, [&](StockFigures& s) { return changeOnOrder(s, stored.QTY, line.QTY); });
    } else {
        // Another part: the old one no longer has this line on order, the new one has.
        moved = moveStock(stored.PartNum, [&](StockFigures& s) { return lowerOnOrder(s, stored.QTY); });
        if (moved == LedgerOutcome::Done)
            moved = moveStock(line.PartNum, [&](StockFigures& s) { return raiseOnOrder(s, line.QTY); });
    }
    if (moved != LedgerOutcome::Done) return moved;
    m_lines.rec() = line;
    m_lines.rec().RECEIVED = stored.RECEIVED;
    if (m_lines.handle.put() != ErrorCode::None) return updateFailed(m_lines.handle);
    if (tx.t.commit() != ErrorCode::None) return updateFailed(m_lines.handle);
    return LedgerOutcome::Done;
}

LedgerOutcome PoLedger::deleteLine(std::int32_t poiNum) {
    Tx tx(*this);
    if (!begin(tx, "POItems")) return LedgerOutcome::Failed;
    const ErrorCode e = readLine(m_lines, poiNum);
    if (e == ErrorCode::RecordNotFound) return LedgerOutcome::Unchanged;
    if (e != ErrorCode::None) return retrievalFailed(m_lines.handle);
    const core::POItems stored = m_lines.rec();
    if (stored.RECEIVED != 0) {
        m_ui.message(kErrorCaption, kReceivedLineText, core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Refused;
    }
    const LedgerOutcome moved = moveStock(stored.PartNum, [&](StockFigures& s) { return lowerOnOrder(s, stored.QTY); });
    if (moved != LedgerOutcome::Done) return moved;
    if (readLine(m_lines, poiNum) != ErrorCode::None) return retrievalFailed(m_lines.handle);
    if (m_lines.handle.erase() != ErrorCode::None) return deleteFailed(m_lines.handle);
    if (tx.t.commit() != ErrorCode::None) return deleteFailed(m_lines.handle);
    return LedgerOutcome::Done;
}

LedgerOutcome PoLedger::removeOrder(std::int32_t poNum) {
    Tx tx(*this);
    if (!begin(tx, "PO")) return LedgerOutcome::Failed;
    m_po.handle.clear();
    m_po.rec().PoNum = poNum;
    ErrorCode e = m_po.handle.get(core::PO::byPoNum);
    if (e == ErrorCode::RecordNotFound) return LedgerOutcome::Unchanged;
    if (e != ErrorCode::None) return retrievalFailed(m_po.handle);

    std::vector<std::int32_t> lines;
    if (linesOf(poNum, lines) != ErrorCode::None) return retrievalFailed(m_lines.handle);
    for (const std::int32_t poiNum : lines) {
        if (readLine(m_lines, poiNum) != ErrorCode::None) return retrievalFailed(m_lines.handle);
        const core::POItems line = m_lines.rec();
        // A received line's goods are on hand: it has nothing left on order.
        if (line.RECEIVED == 0) {
            const LedgerOutcome moved =
                moveStock(line.PartNum, [&](StockFigures& s) { return lowerOnOrder(s, line.QTY); });
            if (moved != LedgerOutcome::Done) return moved;
        }
        if (readLine(m_lines, poiNum) != ErrorCode::None) return retrievalFailed(m_lines.handle);
        if (m_lines.handle.erase() != ErrorCode::None) return deleteFailed(m_lines.handle);
    }

    // The schedule entries about the order go with it.
    for (;;) {
        m_schedule.handle.clear();
        m_schedule.rec().PONUM = poNum;
        e = m_schedule.handle.setAtKey(core::Schedule::ByPoComp);
        if (e == ErrorCode::None) e = m_schedule.handle.next();
        if (e == ErrorCode::RecordNotAvailable || (e == ErrorCode::None && m_schedule.rec().PONUM != poNum)) break;
        if (e != ErrorCode::None) return retrievalFailed(m_schedule.handle);
        if (m_schedule.handle.erase() != ErrorCode::None) return deleteFailed(m_schedule.handle);
    }

    m_po.handle.clear();
    m_po.rec().PoNum = poNum;
    if (m_po.handle.get(core::PO::byPoNum) != ErrorCode::None) return retrievalFailed(m_po.handle);
    if (m_po.handle.erase() != ErrorCode::None) return deleteFailed(m_po.handle);
    if (tx.t.commit() != ErrorCode::None) return deleteFailed(m_po.handle);
    return LedgerOutcome::Done;
}

LedgerOutcome PoLedger::markLine(std::int32_t poiNum, bool received) {
    Tx tx(*this);
    if (!begin(tx, "POItems")) return LedgerOutcome::Failed;
    // The mark as stored now, not as the list showed it: another station may have
    // received the line since.
    const ErrorCode e = readLine(m_lines, poiNum);
    if (e == ErrorCode::RecordNotFound) return LedgerOutcome::Unchanged;
    if (e != ErrorCode::None) return retrievalFailed(m_lines.handle);
    const core::POItems stored = m_lines.rec();
    if ((stored.RECEIVED != 0) == received) return LedgerOutcome::Unchanged;
    const LedgerOutcome moved = moveStock(stored.PartNum, [&](StockFigures& s) {
        return received ? receiveStock(s, stored.QTY) : unreceiveStock(s, stored.QTY);
    });
    if (moved != LedgerOutcome::Done) return moved;
    m_lines.rec().RECEIVED = received ? 1 : 0;
    if (m_lines.handle.put() != ErrorCode::None) return updateFailed(m_lines.handle);
    if (tx.t.commit() != ErrorCode::None) return updateFailed(m_lines.handle);
    return LedgerOutcome::Done;
}

LedgerOutcome PoLedger::receiveOrder(std::int32_t poNum) {
    Tx tx(*this);
    if (!begin(tx, "PO")) return LedgerOutcome::Failed;
    m_po.handle.clear();
    m_po.rec().PoNum = poNum;
    if (m_po.handle.get(core::PO::byPoNum) != ErrorCode::None) {
        m_ui.message(kErrorCaption, "Error " + m_po.handle.errorText() + " getting PO#" + std::to_string(poNum),
                     core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Failed;
    }
    std::vector<std::int32_t> lines;
    if (linesOf(poNum, lines) != ErrorCode::None) return retrievalFailed(m_lines.handle);
    for (const std::int32_t poiNum : lines) {
        if (readLine(m_lines, poiNum) != ErrorCode::None) return retrievalFailed(m_lines.handle);
        if (m_lines.rec().RECEIVED != 0) continue;
        const core::POItems line = m_lines.rec();
        const LedgerOutcome moved = moveStock(line.PartNum, [&](StockFigures& s) { return receiveStock(s, line.QTY); });
        if (moved != LedgerOutcome::Done) return moved;
        m_lines.rec().RECEIVED = 1;
        if (m_lines.handle.put() != ErrorCode::None) return updateFailed(m_lines.handle);
    }
    m_po.rec().Status = "Closed";
    if (m_po.handle.put() != ErrorCode::None || tx.t.commit() != ErrorCode::None) {
        m_ui.message(kErrorCaption, "Error " + m_po.handle.errorText() + " Updating PO " + std::to_string(poNum),
                     core::Icon::Warning, core::Button::Ok, core::Button::Ok);
        return LedgerOutcome::Failed;
    }
    return LedgerOutcome::Done;
}

LedgerOutcome PoLedger::followLines(std::int32_t poNum) {
    Tx tx(*this);
    if (!begin(tx, "PO")) return LedgerOutcome::Failed;
    m_po.handle.clear();
    m_po.rec().PoNum = poNum;
    const ErrorCode e = m_po.handle.get(core::PO::byPoNum);
    if (e == ErrorCode::RecordNotFound) return LedgerOutcome::Unchanged;
    if (e != ErrorCode::None) return retrievalFailed(m_po.handle);
    std::vector<std::int32_t> lines;
    if (linesOf(poNum, lines) != ErrorCode::None) return retrievalFailed(m_lines.handle);
    if (lines.empty()) return LedgerOutcome::Unchanged;
    bool allReceived = true;
    for (const std::int32_t poiNum : lines) {
        if (readLine(m_lines, poiNum) != ErrorCode::None) return retrievalFailed(m_lines.handle);
        if (m_lines.rec().RECEIVED == 0) allReceived = false;
    }
    const std::string_view status = m_po.rec().Status.view();
    const char* next = nullptr;
    if (!allReceived && status == "Closed") next = "Open";
    if (allReceived && status == "Open") next = "Closed";
    if (next == nullptr) return LedgerOutcome::Unchanged;
    m_po.rec().Status = next;
    if (m_po.handle.put() != ErrorCode::None) return updateFailed(m_po.handle);
    if (tx.t.commit() != ErrorCode::None) return updateFailed(m_po.handle);
    return LedgerOutcome::Done;
}

LedgerOutcome PoLedger::retotal(std::int32_t poNum) {
    Tx tx(*this);
    if (!begin(tx, "PO")) return LedgerOutcome::Failed;
    m_po.handle.clear();
    m_po.rec().PoNum = poNum;
    const ErrorCode e = m_po.handle.get(core::PO::byPoNum);
    if (e == ErrorCode::RecordNotFound) return LedgerOutcome::Unchanged;
    if (e != ErrorCode::None) return retrievalFailed(m_po.handle);
    std::vector<std::int32_t> lines;
    if (linesOf(poNum, lines) != ErrorCode::None) return retrievalFailed(m_lines.handle);
    core::Decimal<13, 2> total = m_po.rec().SHIPAMT;
    for (const std::int32_t poiNum : lines) {
        if (readLine(m_lines, poiNum) != ErrorCode::None) return retrievalFailed(m_lines.handle);
        if (total.assign(total + m_lines.rec().LINECOST) != core::DecimalStatus::Ok) {
            m_ui.message("Update Operation Error",
                         "The order total of PO " + std::to_string(poNum) +
                             " would be too large for its field.  Nothing was changed.",
                         core::Icon::Warning, core::Button::Ok, core::Button::Ok);
            return LedgerOutcome::Failed;
        }
    }
    if (total == m_po.rec().ORDERTOTAL) return LedgerOutcome::Unchanged;
    m_po.rec().ORDERTOTAL = total;
    if (m_po.handle.put() != ErrorCode::None) return updateFailed(m_po.handle);
    if (tx.t.commit() != ErrorCode::None) return updateFailed(m_po.handle);
    return LedgerOutcome::Done;
}

}  // namespace quay::util
