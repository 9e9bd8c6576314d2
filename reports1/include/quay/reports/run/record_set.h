// A report's record set: the records of one table in the order of one of its keys,
// starting at the first key value of the set and ending at the first record that no
// longer belongs to it, each record kept or skipped by the report's filter. The set
// counts its records for the progress window, tells the record store a long scan is
// coming ("QUICKSCAN=on", and "off" when the set closes) and reports a failed read
// through the standard "Record Retrieval Error" message, so a report never passes a
// partial walk for a whole one.
//
//   RecordSet lines(items, core::ItemsOrd::byOrdNum);
//   lines.startAt([&] { items.rec.OrdNum = ordNum; })
//        .whileTrue([&] { return items.rec.OrdNum == ordNum; });
//
// The set reads through the caller's table handle: after next() answers Record, the
// handle's buffer holds the record.
#pragma once

#include <cstdint>
#include <functional>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table.h"

namespace quay::reports {

class QUAY_EXPORT RecordSet {
public:
    enum class Read {
        Record,  // the next record of the set is in the buffer
        End,     // no record of the set is left
        Failed,  // the store failed; the standard message has been shown
    };

    // REQUIRES: table is open while the set is walked and outlives the set.
    RecordSet(core::Table& table, core::KeyId key);

    // Fills the key fields of the first record in the cleared buffer; without it the set
    // starts at the key's first record.
    RecordSet& startAt(std::function<void()> fillKey);
    // True while the record in the buffer belongs to the set; without it every record
    // that follows in key order does.
    RecordSet& whileTrue(std::function<bool()> belongs);
    // False skips the record in the buffer (a pick list, a status); without it every
    // record of the set is kept.
    RecordSet& keepIf(std::function<bool()> keep);
    // Stretches of the key the set leaves out (the rest of a customer's charges once its
    // open ones are read): skip tells that the record in the buffer lies in one. The set
    // reads past a few such records in a row (kReadPast) and, when the stretch goes on,
    // has resume fill the buffer's key fields with the values it goes on from and seeks
    // there, so a long stretch costs one seek instead of a read per record. Asked before
    // keepIf. REQUIRES: the values resume fills lie after the record's own in key order.
    static constexpr int kReadPast = 16;
    RecordSet& skipIf(std::function<bool()> skip, std::function<void()> resume);

    // Stands before the set's first record. False, with the message shown, when the store
    // fails.
    bool position(core::UiPort& ui);
    // The records the set spans (kept or not), for the percentage a progress window shows:
    // counted on the first call by a walk of the set, which then stands before its first
    // record again, so a run without a progress window never pays for it. A count that
    // fails shows the message and ends the set (next() answers Failed).
    // REQUIRES: position() succeeded and next() has not been called yet.
    std::int64_t count();
    // The next record that is kept.
    Read next(core::UiPort& ui);
    // Ends the long scan; later calls do nothing.
    void close();

    core::Table& table() { return m_table; }

private:
    bool seek();
    // After a record was read: false when it is not in a stretch left out; true when it is
    // (read past, or sought past: *failed when that seek failed).
    bool skipped(bool* failed);
    void readFailed(core::UiPort& ui);

    core::Table& m_table;
    core::KeyId m_key;
    std::function<void()> m_fillKey;
    std::function<bool()> m_belongs;
    std::function<bool()> m_keep;
    std::function<bool()> m_skip;
    std::function<void()> m_resume;
    int m_skipRun = 0;  // records of the current stretch read past so far
    std::int64_t m_count = 0;
    bool m_counted = false;
    bool m_failed = false;
    core::UiPort* m_ui = nullptr;  // of position(), for the count's message
    bool m_scanning = false;
};

}  // namespace quay::reports
