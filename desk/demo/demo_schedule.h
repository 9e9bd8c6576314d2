// The demo user's schedule: follow-ups about demo customers, vendors and products,
// two of them due a minute and three minutes after the demo is written (so the
// first start shows an alarm within its first check), others due later, one
// without an alarm and one already completed.
#pragma once

#include <string>

#include "quay/store/table.h"
#include "quay/tables/schedule.h"

namespace quay::desk::detail {

// Adds the entries through `schedule` (open, inside the caller's transaction) for
// `userId`, timed from today() and now(). Returns how many were added, or -1 on a
// failed add (the store's error is in the handle).
int addDemoSchedule(core::Handle<core::Schedule>& schedule, const std::string& userId);

}  // namespace quay::desk::detail
