// The copy reads the source's lines through a second cursor over the lines' file
// (IteRef) and adds the copies through the first. The new order's number and the
// first new line's number are the highest stored plus one, read inside the
// transaction, which holds the data set for writing: no other station can add an
// order or a line until it ends.
#include "orders/copy_order.h"

#include <vector>

#include "orders/order_tables.h"
#include "quay/app/globals.h"
#include "quay/app/table_access.h"
#include "quay/store/transaction.h"
#include "quay/types/date.h"

namespace quay::desk {

using core::Button;
using core::ErrorCode;
using core::Icon;
using core::Response;

CopyOrder::CopyOrder(core::Database& db, core::UiPort& ui) : m_db(db), m_ui(ui) {}

bool CopyOrder::open() {
    core::HeldTable<core::Orders> ord(m_db, m_ui);
    if (!ord.isOpen()) return false;
    ord.handle.rec.OrdNum = core::glo.OrdNum;
    if (ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) return false;
    m_source = ord.handle.rec;
    return true;
}

core::Response CopyOrder::ok() {
    if (m_ui.message("Are you sure?", "Are you sure you want to copy this order?", Icon::Question,
                     Button::Yes | Button::No, Button::Yes) != Button::Yes)
        return Response::Cancelled;
    core::HeldTable<core::IteRef> itr(m_db, m_ui);
    core::HeldTable<core::ItemsOrd> ite(m_db, m_ui);
    core::HeldTable<core::Orders> ord(m_db, m_ui);
    if (!itr.isOpen() || !ite.isOpen() || !ord.isOpen()) return Response::Cancelled;
    m_ui.setBusy(true);
    core::Transaction tx(m_db, {&ord.handle, &ite.handle, &itr.handle});
    auto failed = [&](const char* text) {
        tx.rollback();
        m_ui.setBusy(false);
        m_ui.message("Copy Order", text, Icon::Error, Button::Ok, Button::Ok);
        return Response::Cancelled;
    };
    if (tx.begin() != ErrorCode::None) return failed("Files cannot be locked");
    ord.handle.rec.OrdNum = m_source.OrdNum;
    if (ord.handle.get(core::Orders::byOrdNum) != ErrorCode::None) return failed("Error getting current order");
    const core::Orders source = ord.handle.rec;

    std::int32_t highest = 0;
    if (highestNumber(
            ord.handle, core::Orders::byOrdNum, [](const core::Orders& o) { return o.OrdNum; }, highest) !=
            ErrorCode::None ||
        highest == 0)
        return failed("No Orders to copy");
    const std::int32_t newNum = highest + 1;
    ord.handle.rec = source;
    ord.handle.rec.OrdNum = newNum;
    ord.handle.rec.Status = "Q";
    ord.handle.rec.InvoiceNum = 0;
    ord.handle.rec.ENTRYDATE = ord.handle.rec.LASTMODDATE = ord.handle.rec.OrdDate = core::today();
    if (ord.handle.add() != ErrorCode::None) return failed("Error adding new order");

    // The source's lines are read in one pass first, so adding the copies (to the
    // same file) never disturbs the reading cursor.
    std::vector<core::ItemsOrd> lines;
    itr.handle.clear();
    itr.handle.rec.OrdNum = source.OrdNum;
    itr.handle.setAtKey(core::IteRef::byOrdNum);
    while (itr.handle.next() == ErrorCode::None && itr.handle.rec.OrdNum == source.OrdNum)
        lines.push_back(itr.handle.rec);
    std::int32_t highestLine = 0;
    if (highestNumber(
            ite.handle, core::ItemsOrd::byIteNum, [](const core::ItemsOrd& i) { return i.IteNum; }, highestLine) !=
        ErrorCode::None)
        return failed("Error getting new item number");
    for (const core::ItemsOrd& line : lines) {
        ite.handle.rec = line;
        ite.handle.rec.IteNum = ++highestLine;  // inside the transaction no other station adds lines
        ite.handle.rec.OrdNum = newNum;
        if (ite.handle.add() != ErrorCode::None) return failed("Error adding new item");
    }
    if (tx.commit() != ErrorCode::None) return failed("Error adding new order");
    m_newOrdNum = newNum;
    m_ui.setBusy(false);
    m_ui.message("SUCCESS", "Order copied successfully", Icon::Information, Button::Ok, Button::Ok);
    return Response::Completed;
}

}  // namespace quay::desk
