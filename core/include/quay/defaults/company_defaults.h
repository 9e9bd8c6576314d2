// The company record: reading it for every window that needs it (GETCOMPANYDEFAULTS)
// and creating the first one, at first start or when the company window finds none.
#pragma once

#include <cstdint>

#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/error_code.h"
#include "quay/store/table.h"
#include "quay/tables/defaults.h"

namespace quay::core {

// Positions `defaults` at its start in file order and reads `n` records forward,
// leaving the last one read in defaults.rec. Returns 0 when all n reads succeeded, 1
// when one failed: no company record (or the table is not open). Callers pass 1 and
// treat 1 as a missing company record, showing their own message.
// REQUIRES: n >= 1 (a smaller n reads nothing and returns 1).
QUAY_EXPORT std::int32_t GETCOMPANYDEFAULTS(Handle<Defaults>& defaults, std::int32_t n);

// Where the first company record is being made: first start of the program also turns
// on the program notice on printed quotes and invoices (DEF:INVOICEAD).
enum class CompanyCreation {
    FromDefaultsForm,
    AtFirstStart,
};

// Adds a company record with its initial values: DEF:COMPANYNUM one more than the
// highest stored (1 in an empty table), DEF:CREDITLIMIT "I", DEF:LOWINVENTORY "I",
// DEF:PRINTNAME 1, DEF:PRINTADDRESS 1, DEF:DEFAULTTOAR 1, DEF:ROUNDPC "C", and at first
// start DEF:INVOICEAD 1; everything else blank or zero. The number is taken and the
// record added inside one transaction (unless the caller already runs one on `db`),
// tried three times when another station took the number first.
// Returns the store's code: None (the new record is in defaults.rec and current),
// DuplicateKey after three collisions ("Auto Increment Error"), the read error when
// the highest number cannot be read ("Record Retrieval Error"), or the code of a
// failed transaction or add. On failure nothing is stored.
// REQUIRES: `defaults` is open on `db`.
QUAY_EXPORT ErrorCode createCompanyRecord(Database& db, Handle<Defaults>& defaults, CompanyCreation creation);

}  // namespace quay::core
