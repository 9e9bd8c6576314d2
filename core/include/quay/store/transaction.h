// A transaction over listed tables ("logout" in the record files' terms): begins with
// a wait of at most 2 seconds for other stations' writes to finish, rolls back when
// destroyed unless commit() succeeded. Every multi-table change runs in one.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "quay/export.h"
#include "quay/store/database.h"
#include "quay/store/error_code.h"
#include "quay/store/store_status.h"

namespace quay::core {

class Table;

class QUAY_EXPORT Transaction {
public:
    // REQUIRES: `db` and the tables outlive the transaction.
    Transaction(Database& db, std::initializer_list<Table*> tables);
    Transaction(Database& db, std::vector<Table*> tables);
    ~Transaction();  // rolls back when begun and not committed
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Begins the transaction. RecordInUse when other stations kept the data set busy
    // for 2 seconds; FileNotOpen when a listed table is not open; DriverError when a
    // transaction is already running on the connection or a listed table belongs to
    // another Database. Nothing is begun on failure.
    ErrorCode begin();
    // Makes every change since begin() permanent. On failure (DriverError with the
    // engine's text, also when the engine had already rolled the transaction back)
    // nothing of the transaction is kept. The transaction is over either way.
    ErrorCode commit();
    // Undoes every change since begin().
    ErrorCode rollback();
    bool isActive() const;

    // The outcome of the last begin/commit/rollback, with the driver's text and code.
    ErrorCode lastError() const;
    const std::string& driverErrorText() const;
    int driverErrorCode() const;

    // The listed tables' names joined for "Transaction Framing Error".
    std::string tableNames() const;

private:
    Database& m_db;
    std::vector<Table*> m_tables;
    bool m_active = false;
    detail::StoreStatus m_status;
};

}  // namespace quay::core
