// The first run of the program on a data set without a company record: the record
// is made with the first-run values, the default-area-code window asks for the
// telephone area code, and the company window lets the user fill in the rest.
// Cancelling either window removes every company record again and ends the program,
// so the next start begins the first run afresh.
#pragma once

#include "quay/app/ui_port.h"
#include "quay/store/table.h"
#include "quay/tables/defaults.h"

namespace quay::desk {

// Procedure names the first run runs through the UI port.
inline constexpr const char* kAreaCodeWindow = "EnterDefaultAreaCode";
inline constexpr const char* kDefaultsForm = "DEFAULTSFORM";

// Text the program ends with when the user cancels the first-run set-up.
inline constexpr const char* kFirstRunCancelled =
    "The company set-up was cancelled, so Billquay cannot start.  It will ask again next time.";

enum class FirstRunOutcome {
    Completed,     // the company record exists and is in defaults.rec
    ProgramEnded,  // cancelled or failed: no company record is left; the port ended the program
};

// Fills `rec` with the values of a company record made at first start.
void primeFirstRunRecord(core::Defaults& rec);

// Runs the first run on the open `defaults` handle. REQUIRES: defaults is open.
FirstRunOutcome runFirstRun(core::UiPort& ui, core::Handle<core::Defaults>& defaults);

// Deletes every company record. Returns the first failed delete's code, or None.
core::ErrorCode removeCompanyRecords(core::Handle<core::Defaults>& defaults);

}  // namespace quay::desk
