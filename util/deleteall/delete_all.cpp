// Delete all data. The free test opens each table exclusively and closes it again
// (a table with no file yet is free); the removal then runs under one write
// transaction, each remove a savepoint inside it, so a table another station opens in
// the moment between test and removal refuses its remove and the whole run is undone.
#include "quay/util/delete_all.h"

#include <cstddef>
#include <memory>

#include "quay/app/use_counters.h"
#include "quay/store/table.h"
#include "quay/store/transaction.h"
#include "quay/tables/registry.h"

namespace quay::util {

using namespace core;

const std::vector<std::string_view>& deletedTables() {
    static const std::vector<std::string_view> order = {"Customer", "Vendors",  "VenProds", "Products", "Terms",
                                                        "Orders",   "ItemsOrd", "Serials",  "Payments", "Charges",
                                                        "Applied",  "Groups",   "Manufact", "Salesmen"};
    return order;
}

namespace {

// A handle on a table by its name, with a scratch buffer: the run reads no record.
struct ScratchTable {
    explicit ScratchTable(Database& db, const TableDesc& desc)
        : buffer(std::make_unique<std::max_align_t[]>(desc.recordSize / sizeof(std::max_align_t) + 1)),
          table(db, desc, buffer.get()) {}
    std::unique_ptr<std::max_align_t[]> buffer;
    Table table;
};

bool isFree(Database& db, const TableDesc& desc) {
    if (UseCounters::count(desc.name) > 0) return false;
    ScratchTable t(db, desc);
    const ErrorCode c = t.table.open(OpenMode::Exclusive);
    if (c == ErrorCode::None) {
        t.table.close();
        return true;
    }
    return c == ErrorCode::FileNotFound;
}

}  // namespace

DeleteAllOutcome DeleteAllData::yes() {
    const Button sure = m_ui.message(
        "WARNING",
        "This will delete ALL data.  THIS PROCEDURE IS NOT REVERSABLE.  Tallvane is not responsible for data lost "
        "using this utility.  Make sure you have a backup of your data before proceeding.  ARE YOU SURE YOU WANT TO "
        "CONTINUE?",
        Icon::Warning, Button::Yes | Button::No, Button::No);
    if (sure != Button::Yes) return DeleteAllOutcome::Declined;
    const DeleteAllOutcome out = run();
    m_closed = true;
    return out;
}

void DeleteAllData::filesInUse() {
    m_ui.message("FILE DELETE ERROR",
                 "All files are not closed.  Make sure everyone is out of Billquay and that you have closed all other "
                 "windows in this copy of Billquay",
                 Icon::Error, Button::Ok, Button::Ok);
}

DeleteAllOutcome DeleteAllData::run() {
    std::vector<const TableDesc*> descs;
    for (std::string_view name : deletedTables()) {
        const TableDesc* d = findTable(name);
        if (d != nullptr) descs.push_back(d);
    }
    for (const TableDesc* d : descs) {
        if (!isFree(m_db, *d)) {
            filesInUse();
            return DeleteAllOutcome::FilesInUse;
        }
    }

    Transaction tx(m_db, std::vector<Table*>{});
    if (tx.begin() != ErrorCode::None) {
        filesInUse();  // another station is writing: it is still in the program
        return DeleteAllOutcome::FilesInUse;
    }
    for (const TableDesc* d : descs) {
        ScratchTable t(m_db, *d);
        const ErrorCode c = t.table.remove();
        if (c == ErrorCode::AccessDenied || c == ErrorCode::FileLocked || c == ErrorCode::RecordInUse) {
            tx.rollback();
            filesInUse();
            return DeleteAllOutcome::FilesInUse;
        }
        if (c != ErrorCode::None && c != ErrorCode::FileNotFound) {
            tx.rollback();
            m_ui.message("FILE DELETE ERROR",
                         "The data could not be deleted; nothing was removed.||" + t.table.errorText() + " (" +
                             std::to_string(static_cast<int>(c)) + ")",
                         Icon::Error, Button::Ok, Button::Ok);
            return DeleteAllOutcome::Failed;
        }
        if (m_afterRemoval) m_afterRemoval(d->name);
    }
    if (tx.commit() != ErrorCode::None) {
        m_ui.message("FILE DELETE ERROR",
                     "The data could not be deleted; nothing was removed.||" + tx.driverErrorText(), Icon::Error,
                     Button::Ok, Button::Ok);
        return DeleteAllOutcome::Failed;
    }
    return DeleteAllOutcome::Deleted;
}

}  // namespace quay::util
