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
// batches. A write through any handle on the same Database drops the batch at once;
// another station's change to a record already fetched is seen from the next batch.
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

namespace detail { class TableImpl; }

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
    ErrorCode open(OpenMode mode = OpenMode::Shared);  // FileNotFound, FileLocked, AccessDenied, AlreadyOpen, InvalidKeyFile, LayoutMismatch
    ErrorCode create();                                 // makes the table and its keys (fine when it exists and matches)
    ErrorCode close();
    ErrorCode remove();                                 // AccessDenied while open anywhere
    ErrorCode buildKeys();                              // recreates every key's index
    std::string fileName() const;                       // the documented file name, e.g. "customer.tps"
    bool isOpen() const;

    // --- records ---
    ErrorCode add();                  // inserts the buffer as a new record; it becomes current
    ErrorCode put();                  // rewrites the current record from the buffer
    ErrorCode erase();                // deletes the current record
    ErrorCode get(KeyId key);         // reads the first record whose key values equal the buffer's
    ErrorCode reget(const std::string& position);  // reads the record a position() names
    std::string position() const;     // the current record's position (at most 512 bytes)
    void clear();                     // blanks the buffer: strings blank, numbers and memos zero

    // --- sequential access ---
    ErrorCode set(KeyId key);         // before the first record in key order
    ErrorCode setAtKey(KeyId key);    // before the first record at or after the buffer's key values
    ErrorCode setEnd(KeyId key);      // after the last record, for previous()
    ErrorCode setFileOrder();         // before the first record in file (insertion) order
    ErrorCode next();                 // RecordNotAvailable at the end
    ErrorCode previous();             // RecordNotAvailable at the beginning

    // --- tests and hints ---
    void watch();                                 // arm change detection for the next put
    bool duplicate(KeyId key);                    // would the buffer duplicate another record on this unique key?
    bool duplicate();                             // ... on any unique key?
    std::int64_t records();                       // number of records
    ErrorCode send(std::string_view command);     // "QUICKSCAN=on", "QUICKSCAN=off", "Recover=10"

    // --- the last error ---
    ErrorCode lastError() const;
    std::string errorText() const;
    const std::string& driverErrorText() const;
    int driverErrorCode() const;
    // After DuplicateKey: the index of the unique key the buffer collided on (for the
    // label "Duplicate Key Error" names), or -1.
    int duplicateKey() const;

protected:
    detail::TableImpl& impl();

private:
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
