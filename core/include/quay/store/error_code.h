// The record store's numbered result codes. They are part of the program's domain:
// every store call returns one, and the windows react to each number as described
// beside it. Codes are returned, never thrown.
#pragma once

namespace quay::core {

enum class ErrorCode : int {
    // Success.
    None = 0,
    // open, remove or buildKeys of a table whose file has not been created yet; also a
    // data directory that does not exist. The program creates the table, then opens it.
    FileNotFound = 2,
    // An exclusive open, a remove or a buildKeys while another handle (of this or any
    // other process, including another handle of this process) holds the table; also
    // a data set the engine refuses to write. Delete or rebuild refused as in use.
    AccessDenied = 5,
    // A shared open while another handle holds the table exclusively (after waiting
    // the seconds a "Recover=N" allowed). The program sends "Recover=10", opens again.
    FileLocked = 32,
    // next() past the last record or previous() before the first (or without a set);
    // put or erase with no current record, or when the current record was deleted
    // meanwhile. The end of a sequential read.
    RecordNotAvailable = 33,
    // get() found no record with the buffer's key values (also for blank values of an
    // optional key); reget() of a position that names no record of this table.
    RecordNotFound = 35,
    // Any record or sequence call, or close, on a handle that is not open; a
    // transaction begun over a table that is not open. Reported.
    FileNotOpen = 37,
    // add or put would give a unique key a second record with the same values (the
    // record is not written); also a buildKeys over records that break a unique key.
    // The program shows "Duplicate Key Error" with the key's label (duplicateKey()).
    DuplicateKey = 40,
    // Another station's write kept the data set locked past the 2-second wait: a write
    // outside a transaction, or a transaction's begin. Nothing was written. Reported.
    RecordInUse = 43,
    // open found a key's index missing, different from the key, or an index no key
    // describes. The program offers to rebuild the keys (buildKeys), then opens again.
    InvalidKeyFile = 46,
    // open or create found the stored layout (fields, types, sizes) different from the
    // program's, or no layout stored for the table. "Invalid File".
    LayoutMismatch = 47,
    // open on a handle that is already open; the handle stays open. Counts as success.
    AlreadyOpen = 52,
    // put after watch() when another handle or station changed the record since it
    // was read. Nothing is written; the program reloads and tells the user.
    ChangedByOtherStation = 89,
    // Anything else from the database engine (a file that is not a database, disk
    // full, I/O error, corruption), an unknown send() command or key: the program
    // shows the driver's text and code (driverErrorText(), driverErrorCode()).
    DriverError = 90,
};

// Short text for a code, as the error insert of the standard messages uses it.
const char* errorCodeText(ErrorCode code);

}  // namespace quay::core
