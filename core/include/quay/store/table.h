// A handle on one table: its own record buffer and its own position, as the keyed
// record files of the program have them. Every call returns an ErrorCode and also
// leaves it in lastError() (with errorText(), and for DriverError the driver's text
// and code), so the standard-message routine can build its error insert.
//
// Positioning: set(key) positions before the first record of the key (a previous()
// straight after it reads from the last record instead), setAtKey(key)
// before the first record at or after the key values in the buffer, setEnd(key) after
// the last; next() and previous() then read in key order (ties in row order), one
// keyset seek at a time, so no read transaction is held between calls.
//
// get(), reget() and a sequential read make the record read current (for put, erase,
// position and watch) and place the sequence right after it, in the key of the get
// (reget keeps the running sequence's key), so next() goes on from there.
//
// Read-ahead: after send("QUICKSCAN=on") next() and previous() fetch records in
// batches. A write to the same table through any handle on the same Database drops
// the batch at once; another station's change to a record already fetched is seen
// from the next batch.
//
// Codes every call may return besides those listed: FileNotOpen for a record or
// sequence call on a handle that is not open, DriverError for engine failures (and
// for a KeyId the table does not have), RecordInUse for a write that waited 2 seconds
// for another station's write to finish.
//
// Change detection: watch() remembers the current record's version; the next put()
// fails with ChangedByOtherStation when another handle or station changed the
// record meanwhile.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/error_code.h"
#include "quay/store/table_desc.h"

namespace quay::core {

namespace detail {
class TableImpl;
}

enum class OpenMode { Shared, Exclusive };

class QUAY_EXPORT Table {
public:
    // REQUIRES: `buffer` points at a record struct of desc.recordSize bytes that
    // outlives the handle; `db` outlives the handle.
    Table(Database& db, const TableDesc& desc, void* buffer);
    virtual ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const TableDesc& desc() const;
    void* buffer();

    // --- file level ---
    // Opens the table. AlreadyOpen (still open, counts as success); FileNotFound (not
    // created yet); FileLocked (a shared open while held exclusively elsewhere);
    // AccessDenied (an exclusive open while held anywhere else); LayoutMismatch;
    // InvalidKeyFile (offer buildKeys). On failure the handle stays closed.
    ErrorCode open(OpenMode mode = OpenMode::Shared);
    // Makes the table and its keys; None when it exists with the same layout,
    // LayoutMismatch when it exists with another. Does not open it.
    ErrorCode create();
    // Closes the handle and drops its hold on the table. FileNotOpen when not open.
    ErrorCode close();
    // Deletes the table with its records. FileNotFound; AccessDenied while any handle
    // (this one included) holds it.
    ErrorCode remove();
    // Recreates every key's index (open or closed handle). FileNotFound; AccessDenied
    // while another handle holds the table; LayoutMismatch; DuplicateKey when stored
    // records break a unique key (the indexes are then left as they were).
    ErrorCode buildKeys();
    std::string fileName() const;  // the documented file name, e.g. "customer.tps"
    bool isOpen() const;

    // --- records ---
    // Inserts the buffer as a new record, which becomes current. DuplicateKey.
    ErrorCode add();
    // Rewrites the current record from the buffer. RecordNotAvailable (no current
    // record, or it was deleted meanwhile); DuplicateKey; ChangedByOtherStation after
    // watch(). Nothing is written on failure.
    ErrorCode put();
    // Deletes the current record. RecordNotAvailable (none, or already deleted).
    ErrorCode erase();
    // Reads the first record whose key values equal the buffer's. RecordNotFound
    // (buffer unchanged).
    ErrorCode get(KeyId key);
    // Reads the record a position() of this table named. RecordNotFound.
    ErrorCode reget(const std::string& position);
    std::string position() const;  // the current record's position (at most 512 bytes; "" when none)
    void clear();                  // blanks the buffer: strings blank, numbers and memos zero

    // --- sequential access ---
    ErrorCode set(KeyId key);       // before the first record in key order
    ErrorCode setAtKey(KeyId key);  // before the first record at or after the buffer's key values
    ErrorCode setEnd(KeyId key);    // after the last record, for previous()
    ErrorCode setFileOrder();       // before the first record in file (insertion) order
    ErrorCode next();               // RecordNotAvailable at the end (or without a set)
    ErrorCode previous();           // RecordNotAvailable at the beginning (or without a set)

    // --- tests and hints ---
    void watch();  // arm change detection for the next put
    // Would the buffer duplicate a record other than the current one on this unique
    // key (false for keys with duplicates and for blank values of an optional key)?
    bool duplicate(KeyId key);
    bool duplicate();        // ... on any unique key?
    std::int64_t records();  // number of records (0 with lastError() set on failure)
    // "QUICKSCAN=on" / "QUICKSCAN=off" (read-ahead), "Recover=N" (the next open waits up
    // to N seconds, 0 to 3600, for a lock to clear); anything else is a DriverError.
    ErrorCode send(std::string_view command);

    // --- the last error ---
    ErrorCode lastError() const;
    std::string errorText() const;  // the code's text; for DriverError the driver's own text
    const std::string& driverErrorText() const;
    int driverErrorCode() const;
    // After DuplicateKey: the index of the unique key the buffer collided on (for the
    // label "Duplicate Key Error" names), or -1.
    int duplicateKey() const;

protected:
    detail::TableImpl& impl();

private:
    friend class Transaction;  // checks that its tables write through its connection
    std::unique_ptr<detail::TableImpl> m_impl;
};

// A table handle with its own record buffer of type R: Handle<Customer> cus(db);
// cus.rec.Name = "Smith"; cus.get(Customer::byName);
template <class R>
class Handle : public Table {
public:
    explicit Handle(Database& db, const TableDesc& desc = R::desc()) : Table(db, desc, &rec) {}
    R rec{};
};

}  // namespace quay::core
