// Demo purchasing after the demo orders: purchase orders to the vendors the demo
// buys from, entered through the purchasing ledger as the PO forms do, so each line's
// quantity is on order; the oldest orders are received into stock and closed, one is
// received in part, the newest stays open.
#pragma once
#include <string>

#include "quay/store/database.h"

namespace quay::desk {

struct DemoPurchasingSummary {
    int openOrders = 0;
    int closedOrders = 0;
    int lines = 0;
};

// Returns an empty text on success, else what went wrong.
std::string addDemoPurchasing(core::Database& db, DemoPurchasingSummary* summary = nullptr);

}  // namespace quay::desk
