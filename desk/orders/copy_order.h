// CopyOrder (caption "Copy Order"): copies the order glo.OrdNum, quote or invoice,
// into a new quote dated today with the same header, totals, notes and lines (with
// their comments). Serial numbers, charges and payments are never copied. The new
// order and its lines are added in one transaction.
#pragma once
#include <cstdint>

#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/tables/orders.h"

namespace quay::desk {

class CopyOrder {
public:
    CopyOrder(core::Database& db, core::UiPort& ui);

    // Fetches the source order glo.OrdNum for the window's display. False when it
    // does not exist.
    bool open();
    const core::Orders& source() const { return m_source; }

    // "&Ok": asks "Are you sure?" and, on Yes, copies. Completed with the new order
    // number in newOrderNumber(); Cancelled after No or a failure (its message shown).
    core::Response ok();
    std::int32_t newOrderNumber() const { return m_newOrdNum; }

private:
    core::Database& m_db;
    core::UiPort& m_ui;
    core::Orders m_source;
    std::int32_t m_newOrdNum = 0;
};

}  // namespace quay::desk
