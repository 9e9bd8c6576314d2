// Demo account work after the demo orders: manual charges, credits and payments
// received, applied to the oldest invoices, all entered through the charge and
// payment forms themselves, so a new user opens a real account in the receivables.
#pragma once
#include <string>

#include "quay/store/database.h"

namespace quay::desk {

struct DemoAccountsSummary {
    int charges = 0;
    int credits = 0;
    int payments = 0;
};

// Returns an empty text on success, else what went wrong.
std::string addDemoAccounts(core::Database& db, DemoAccountsSummary* summary = nullptr);

}  // namespace quay::desk
