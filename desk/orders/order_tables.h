// The tables an order form holds while it is open, each through the open routine and
// the use counters, plus second cursors used only to read the highest number of a
// key, so that numbering never disturbs a buffer that holds the user's work.
#pragma once
#include <cstdint>

#include "quay/app/table_access.h"
#include "quay/store/database.h"
#include "quay/tables/all_tables.h"
#include "quay/tables/order_ref.h"
#include "quay/tables/ite_ref.h"

namespace quay::desk {

class OrderTables {
public:
    OrderTables(core::Database& db, core::UiPort& ui);
    OrderTables(const OrderTables&) = delete;
    OrderTables& operator=(const OrderTables&) = delete;

    // False when the open routine ended the program on one of the tables.
    bool isOpen() const;

    core::Database& db;
    core::HeldTable<core::Applied> app;
    core::HeldTable<core::Charges> chg;
    core::HeldTable<core::Customer> cus;
    core::HeldTable<core::Defaults> def;
    core::HeldTable<core::ItemsOrd> ite;
    core::HeldTable<core::Orders> ord;
    core::HeldTable<core::Payments> pay;
    core::HeldTable<core::Products> prd;
    core::HeldTable<core::Serials> ser;
    core::HeldTable<core::OrderRef> ordScan;
    core::HeldTable<core::IteRef> iteScan;
    core::HeldTable<core::Charges> chgScan;
    core::HeldTable<core::Payments> payScan;
};

// The highest value of a number key, read by positioning after the last record of the
// key and stepping back one; 0 for an empty table. `number` picks the field.
template <class R, class F>
core::ErrorCode highestNumber(core::Handle<R>& scan, core::KeyId key, F number, std::int32_t& highest) {
    highest = 0;
    if (core::ErrorCode e = scan.setEnd(key); e != core::ErrorCode::None) return e;
    const core::ErrorCode e = scan.previous();
    if (e == core::ErrorCode::RecordNotAvailable) return core::ErrorCode::None;
    if (e != core::ErrorCode::None) return e;
    highest = number(scan.rec);
    return core::ErrorCode::None;
}

}  // namespace quay::desk
