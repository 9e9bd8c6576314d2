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

namespace quay::core {

class Table;

class QUAY_EXPORT Transaction {
public:
    Transaction(Database& db, std::initializer_list<Table*> tables);
    Transaction(Database& db, std::vector<Table*> tables);
    ~Transaction();  // rolls back when begun and not committed
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Begins the transaction. RecordInUse (or FileLocked) when other stations kept
    // the data set busy for 2 seconds; FileNotOpen when a listed table is not open.
    ErrorCode begin();
    ErrorCode commit();
    ErrorCode rollback();
    bool isActive() const;

    // The listed tables' names joined for "Transaction Framing Error".
    std::string tableNames() const;

private:
    Database& m_db;
    std::vector<Table*> m_tables;
    bool m_active = false;
};

}  // namespace quay::core
