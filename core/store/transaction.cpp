// Transactions over listed tables. All tables of a data set share one connection, so
// the transaction is the connection's: BEGIN IMMEDIATE takes the data set's write lock
// at once (waiting at most the 2-second busy timeout), which keeps every later write of
// the transaction from failing halfway on another station's lock.
#include "quay/store/transaction.h"

#include "database_impl.h"
#include "quay/store/table.h"
#include "table_impl.h"

namespace quay::core {

Transaction::Transaction(Database& db, std::initializer_list<Table*> tables) : m_db(db), m_tables(tables) {}

Transaction::Transaction(Database& db, std::vector<Table*> tables) : m_db(db), m_tables(std::move(tables)) {}

Transaction::~Transaction() {
    if (m_active) rollback();
}

ErrorCode Transaction::begin() {
    if (m_active) return ErrorCode::None;
    for (Table* t : m_tables) {
        if (t == nullptr || !t->isOpen()) return m_status.set(ErrorCode::FileNotOpen);
        // A table of another connection would write outside this transaction.
        if (&t->impl().database() != &m_db.impl())
            return m_status.set(ErrorCode::DriverError,
                                t->desc().name + " belongs to another connection than the transaction", 0);
    }
    const ErrorCode c = m_db.impl().beginTransaction(m_status);
    m_active = c == ErrorCode::None;
    return c;
}

ErrorCode Transaction::commit() {
    if (!m_active) return m_status.set(ErrorCode::DriverError, "no transaction is running", 0);
    m_active = false;
    return m_db.impl().commitTransaction(m_status);
}

ErrorCode Transaction::rollback() {
    if (!m_active) return m_status.set(ErrorCode::DriverError, "no transaction is running", 0);
    m_active = false;
    return m_db.impl().rollbackTransaction(m_status);
}

bool Transaction::isActive() const { return m_active; }

std::string Transaction::tableNames() const {
    std::string names;
    for (const Table* t : m_tables) {
        if (t == nullptr) continue;
        if (!names.empty()) names += ", ";
        names += t->desc().name;
    }
    return names;
}

ErrorCode Transaction::lastError() const { return m_status.code; }
const std::string& Transaction::driverErrorText() const { return m_status.driverText; }
int Transaction::driverErrorCode() const { return m_status.driverCode; }

}  // namespace quay::core
