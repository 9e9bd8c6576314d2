// Numbered insert. One attempt: read the highest number, put number + 1 into the
// buffer, add. Rounds of three attempts run until one succeeds or the user cancels
// at the "Auto Increment Error" question.
#include "quay/masters/numbered_insert.h"

#include <cassert>
#include <cstring>
#include <memory>
#include <string>

#include "quay/app/last_error.h"
#include "quay/app/standard_messages.h"
#include "quay/store/transaction.h"

namespace quay::core {
namespace {

constexpr int kAttemptsPerRound = 3;

enum class Attempt { Added, NumberTaken, OtherDuplicate, NotFramed, ReadFailed, AddFailed };

Attempt attempt(Database& db, Table& table, KeyId numberKey, int numberField) {
    const FieldDesc& f = table.desc().fields[static_cast<std::size_t>(numberField)];
    char* slot = static_cast<char*>(table.buffer()) + f.offset;

    // The record to add, kept aside while the key is read through the same buffer.
    std::unique_ptr<char[]> kept(new char[table.desc().recordSize]);
    std::memcpy(kept.get(), table.buffer(), table.desc().recordSize);

    std::unique_ptr<Transaction> tx;
    if (!db.inTransaction()) {
        tx = std::make_unique<Transaction>(db, std::vector<Table*>{&table});
        const ErrorCode begun = tx->begin();
        if (begun != ErrorCode::None) {
            saveError(begun, errorCodeText(begun));
            return Attempt::NotFramed;
        }
    }

    std::int32_t highest = 0;
    ErrorCode e = table.setEnd(numberKey);
    if (e == ErrorCode::None) e = table.previous();
    if (e == ErrorCode::None) {
        std::memcpy(&highest, slot, sizeof highest);
    } else if (e != ErrorCode::RecordNotAvailable) {
        saveError(table);
        std::memcpy(table.buffer(), kept.get(), table.desc().recordSize);
        return Attempt::ReadFailed;
    }

    std::memcpy(table.buffer(), kept.get(), table.desc().recordSize);
    const std::int32_t next = highest + 1;
    std::memcpy(slot, &next, sizeof next);
    e = table.add();
    if (e == ErrorCode::None && tx) e = tx->commit();
    if (e == ErrorCode::None) return Attempt::Added;
    saveError(table);
    if (tx) tx->rollback();
    if (e != ErrorCode::DuplicateKey) return Attempt::AddFailed;
    return table.duplicate(numberKey) ? Attempt::NumberTaken : Attempt::OtherDuplicate;
}

std::string duplicatedKeyLabel(Table& table) {
    const TableDesc& d = table.desc();
    for (std::size_t k = 0; k < d.keys.size(); ++k) {
        if (d.keys[k].unique && table.duplicate(KeyId{static_cast<int>(k)})) return d.keys[k].label;
    }
    return {};
}

}  // namespace

NumberedInsert addNumbered(Database& db, UiPort& ui, Table& table, KeyId numberKey, int numberField) {
    // REQUIRES: numberField names a LONG field of the table.
    assert(numberField >= 0 && table.desc().fields[static_cast<std::size_t>(numberField)].type == FieldType::Long);
    for (;;) {
        for (int i = 0; i < kAttemptsPerRound; ++i) {
            switch (attempt(db, table, numberKey, numberField)) {
            case Attempt::Added: return NumberedInsert::Added;
            case Attempt::NumberTaken: continue;
            case Attempt::OtherDuplicate: {
                clearSavedError();
                const std::string label = duplicatedKeyLabel(table);
                showStandardMessage(ui, StandardMessage::DuplicateKey, {label});
                return NumberedInsert::Failed;
            }
            case Attempt::NotFramed: {
                const std::string name = table.desc().name;
                showStandardMessage(ui, StandardMessage::TransactionFramingError, {name, name});
                return NumberedInsert::Failed;
            }
            case Attempt::ReadFailed: {
                const std::string name = table.desc().name;
                showStandardMessage(ui, StandardMessage::RecordRetrievalError, {name});
                return NumberedInsert::Failed;
            }
            case Attempt::AddFailed:
                showStandardMessage(ui, StandardMessage::InsertError);
                return NumberedInsert::Failed;
            }
        }
        if (showStandardMessage(ui, StandardMessage::AutoIncrementError) != Button::Retry)
            return NumberedInsert::Cancelled;
    }
}

}  // namespace quay::core
