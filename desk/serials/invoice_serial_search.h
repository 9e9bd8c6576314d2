// InvoiceSerialBrowse's rows: the serial numbers sold on invoices, in serial-number
// order (then line number), each joined to its line and the line's order. Serial
// numbers on quotes are left out. Rows are read a page at a time from a starting
// serial number, so the search opens as fast on many numbers as on few.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/store/database.h"
#include "quay/types/fixed_string.h"

namespace quay::desk {

struct InvoiceSerialRow {
    core::FixedString<20> serial;       // "Serial#"
    core::FixedString<20> partNum;      // "Part#"
    core::FixedString<35> description;  // "Description"
    std::int32_t invoiceNum = 0;        // "Invoice#"
    std::int32_t ordDate = 0;           // "Date"
    core::FixedString<35> custName;     // "Cust Name"
    std::int32_t ordNum = 0;            // the order the closed-invoice window shows
    std::int32_t iteNum = 0;
    std::string position;               // the Serials record's place, where the next page goes on
};

// Up to `count` rows at or after serial number `from` (blank: the first).
std::vector<InvoiceSerialRow> invoiceSerialRows(core::Database& db, core::UiPort& ui, std::string_view from,
                                                std::size_t count);
// Up to `count` rows after the row whose `position` is given (the last row of the
// page before). Empty at the end, and when that serial number was deleted meanwhile
// (the caller then reads again from its number).
std::vector<InvoiceSerialRow> invoiceSerialRowsAfter(core::Database& db, core::UiPort& ui,
                                                     const std::string& position, std::size_t count);

}  // namespace quay::desk
