// MasterRecords: the change and delete of a master record (Customer, Vendors,
// Products, Manufact, Groups, and the plain tables Salesmen, Terms, ShipMthd,
// VenProds, Comments) with everything that depends on it, as the master forms and
// lists call it. A second handle on a master's file (CustRef, ProdRef) follows the
// master's rules; any other table is changed or deleted alone, by its primary key.
//
// A change runs in one transaction over the master's table and its dependants'.
// The record is re-read by its primary key first and compared with the copy the
// form took when it opened: another station's change since then is not
// overwritten. When the identity (name, part number, group) differs from the
// original, the new value is carried into every record that names the master.
// A delete runs likewise: dependants are deleted with the record or, while one
// exists, the delete is refused.
//
// Every failure rolls the whole transaction back, so either everything changed or
// nothing did, and is reported through the standard messages:
//   transaction not begun            "Transaction Framing Error"       -> Failed
//   record or dependant not readable "Record Retrieval Error"          -> Failed
//   a rewrite failed                 "Update Operation Error" (number, table) -> Failed
//   a delete failed                  "Delete Operation Error" (number, table) -> Failed
//   new identity already taken       "Duplicate Key Error" (key label) -> Failed
//   refused by a dependant           "Referential Integrity Delete Error" naming it -> Refused
//   changed by another station       "Record Was Not Updated" (a non-interactive caller:
//                                    "Record Changed by Another Station" under
//                                    "Update Operation Error")          -> ChangedElsewhere
// The form stays open on every outcome but Done. On ChangedElsewhere the
// `original` record holds the other station's version, which the form shows and
// keeps as its new original (change detection armed again); `edited` still holds
// the user's changes for the Ditto recall.
//
// The tables are opened through the open routine (a table that cannot be opened
// there ends the program: ProgramEnded). Used on the thread that owns `db`.
#pragma once

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/table_desc.h"

namespace quay::core {

enum class MasterOutcome {
    Done,              // written and committed
    Refused,           // a delete refused while dependants exist; nothing changed
    ChangedElsewhere,  // another station changed the record; nothing changed
    Failed,            // an error was reported; nothing changed
    ProgramEnded,      // a table could not be opened and the program was ended
};

class QUAY_EXPORT MasterRecords {
public:
    MasterRecords(Database& db, UiPort& ui);

    // Writes `edited` over the stored record that `original` was read as, carrying
    // a changed identity to the dependants.
    template <class R>
    MasterOutcome change(R& original, const R& edited, bool interactive = true) {
        return change(R::desc(), &original, &edited, interactive);
    }

    // Deletes the stored record `record` names by its primary key, with its
    // dependants, or refuses.
    template <class R>
    MasterOutcome remove(const R& record) {
        return remove(R::desc(), &record);
    }

    MasterOutcome change(const TableDesc& table, void* original, const void* edited, bool interactive);
    MasterOutcome remove(const TableDesc& table, const void* record);

private:
    Database& m_db;
    UiPort& m_ui;
};

}  // namespace quay::core
