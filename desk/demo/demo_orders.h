// Demo orders for the demo data set: quotes, invoices on account and invoices paid
// at once (with their charges, payments and applications) and serial numbers, all
// made through the order save itself, so the demo's accounts, stock and balances
// agree exactly as a user's work would leave them.
#pragma once
#include <string>

#include "quay/store/database.h"

namespace quay::desk {

struct DemoOrdersSummary {
    int quotes = 0;
    int invoices = 0;
    int payments = 0;
    int serials = 0;
};

// Adds the demo orders for the first active customers and products of `db`. Returns
// an empty text on success, else what went wrong (orders saved before the failure
// stay, each whole).
std::string addDemoOrders(core::Database& db, DemoOrdersSummary* summary = nullptr);

}  // namespace quay::desk
