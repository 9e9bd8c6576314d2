// StepReader: a second table read along one of its keys in step with a report's record
// set that visits the same key values in the same order (the customers of a walk of
// charges, and each customer's payments). Each target is reached from where the reader
// stands: by reading on when it lies a few records ahead, by one seek when it lies
// farther, so the key is read forward once, in batches, and never searched per record.
//
//   StepReader pays(payments, core::Payments::byCustAppDate);
//   e = pays.advanceTo([&] { return compareNames(payments.rec.Customer.view(), who) < 0; },
//                      [&] { payments.rec.Customer = who; });
//   while (e == ErrorCode::None && <the record is the customer's>) { ...; e = pays.next(); }
//
// The record the reader stops at stays in the table's buffer, unconsumed, for the next
// target.
#pragma once

#include <functional>

#include "quay/export.h"
#include "quay/store/table.h"

namespace quay::reports {

class QUAY_EXPORT StepReader {
public:
    // Targets more than readPast records ahead are sought.
    // REQUIRES: table outlives the reader and is open while it reads.
    StepReader(core::Table& table, core::KeyId key, int readPast = 16);
    ~StepReader();

    // Stands at the first record at or after the target: `before` tells whether the record
    // in the buffer lies before it in key order, `fill` puts the target's key values into
    // the cleared buffer for a seek. None with that record in the buffer; RecordNotAvailable
    // when the key holds nothing at or after the target; the store's code when it failed.
    // REQUIRES: targets come in key order.
    core::ErrorCode advanceTo(const std::function<bool()>& before, const std::function<void()>& fill);
    // The record after the one in the buffer: None, RecordNotAvailable at the end, or the
    // store's code.
    core::ErrorCode next();

private:
    core::ErrorCode seek(const std::function<void()>& fill);

    core::Table& m_table;
    core::KeyId m_key;
    int m_readPast;
    bool m_scanning = false;
    enum class State { Unset, At, End } m_state = State::Unset;
};

}  // namespace quay::reports
