// Adding a record that is numbered automatically (VPR:VPRID of a vendor part number,
// CMT:CMTID of a contact-log note, and the like): the new number is the highest
// stored in the number key + 1 (1 for an empty table), read by positioning after the
// last record of the key and reading the one before.
//
// The add is tried three times, each with a fresh number, since another station may
// take the same number in between; the unique number key settles which one gets it.
// When all three collide, "Auto Increment Error" offers to try again (Retry) or to
// give the insert up (Cancel). A duplicate on another unique key is no numbering
// problem: "Duplicate Key Error" names that key and the insert is not made. A number
// that cannot be read ends the insert with "Record Retrieval Error"; any other add
// failure with "Record Insert Error". Nothing is stored unless the outcome is Added.
//
// The highest number is read and the record added inside one transaction unless the
// caller already runs one on `db`.
#pragma once

#include <cstdint>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/table.h"

namespace quay::core {

enum class NumberedInsert {
    Added,      // the record is stored with its number, which is in the buffer
    Cancelled,  // the user gave the insert up after the numbering failed
    Failed,     // an error was reported; nothing stored
};

// Adds the record in `table`'s buffer, numbering the LONG field `numberField` (an
// index into the table's fields) by `numberKey`, whose only component it is.
// REQUIRES: `table` is open on `db`.
QUAY_EXPORT NumberedInsert addNumbered(Database& db, UiPort& ui, Table& table, KeyId numberKey, int numberField);

template <class R>
NumberedInsert addNumbered(Database& db, UiPort& ui, Handle<R>& table, KeyId numberKey, const char* numberField) {
    return addNumbered(db, ui, table, numberKey, R::desc().fieldIndex(numberField));
}

}  // namespace quay::core
