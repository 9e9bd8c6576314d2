// The record store's numbered result codes. They are part of the program's domain:
// every store call returns one, and the windows react to each number as described
// beside it. Codes are returned, never thrown.
#pragma once

namespace quay::core {

enum class ErrorCode : int {
    None = 0,                    // success
    FileNotFound = 2,            // the table does not exist yet: create it, then open
    AccessDenied = 5,            // an exclusive open or a remove while the table is open elsewhere
    FileLocked = 32,             // the table is held exclusively elsewhere: send "Recover=10", open again
    RecordNotAvailable = 33,     // end (or beginning) of a sequential read, or no current record
    RecordNotFound = 35,         // a keyed get found no record with the key values
    FileNotOpen = 37,            // a call on a handle that is not open: reported
    DuplicateKey = 40,           // an add or put would duplicate a unique key: "Duplicate Key Error"
    RecordInUse = 43,            // the record is locked by another station's write: reported
    InvalidKeyFile = 46,         // an index is missing or damaged: offer to rebuild keys
    LayoutMismatch = 47,         // the stored layout differs from the program's: "Invalid File"
    AlreadyOpen = 52,            // open on a handle that is already open: counts as success
    ChangedByOtherStation = 89,  // put after watch found another station's change: reload, tell the user
    DriverError = 90,            // anything else from the database engine: show driver text and code
};

// Short text for a code, as the error insert of the standard messages uses it.
const char* errorCodeText(ErrorCode code);

}  // namespace quay::core
