// Each table gets a scratch record buffer of its own size, since the test reads no
// record and only needs a handle to open and close.
//
// The use counters are read first: a window of this copy may count a table it opens
// only for each page it reads (the quote and invoice lists), and an exclusive open
// between two pages would find it free.
#include "backup/files_free.h"

#include <memory>

#include "quay/app/use_counters.h"
#include "quay/store/table.h"
#include "quay/tables/registry.h"

namespace quay::desk {

const std::vector<std::string_view>& filesFreeOrder() {
    static const std::vector<std::string_view> order = {
        "Applied",  "Charges", "Comments", "Customer", "Defaults", "Groups",   "ItemsOrd",
        "Manufact", "Orders",  "PO",       "POItems",  "Payments", "Products", "Salesmen",
        "Schedule", "Serials", "ShipMthd", "Terms",    "TipOfDay", "VenProds", "Vendors",
    };
    return order;
}

FilesFreeResult allFilesFree(core::Database& db) {
    FilesFreeResult result;
    for (std::string_view name : filesFreeOrder()) {
        if (core::UseCounters::count(name) > 0) {
            result.free = false;
            result.busyTable = std::string(name);
            result.error = core::ErrorCode::AccessDenied;
            return result;
        }
    }
    for (std::string_view name : filesFreeOrder()) {
        const core::TableDesc* desc = core::findTable(name);
        if (!desc) continue;
        auto buffer = std::make_unique<std::max_align_t[]>(desc->recordSize / sizeof(std::max_align_t) + 1);
        core::Table table(db, *desc, buffer.get());
        const core::ErrorCode c = table.open(core::OpenMode::Exclusive);
        if (c == core::ErrorCode::None) {
            table.close();
            continue;
        }
        if (c == core::ErrorCode::FileNotFound) continue;
        result.free = false;
        result.busyTable = std::string(name);
        result.error = c;
        return result;
    }
    return result;
}

}  // namespace quay::desk
