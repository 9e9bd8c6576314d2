// The public Database: a thin owner of the connection (DatabaseImpl).
#include "quay/store/database.h"

#include "database_impl.h"

namespace quay::core {

Database::Database(const std::string& directory) : m_impl(std::make_unique<detail::DatabaseImpl>(directory)) {}

Database::~Database() = default;

bool Database::isOpen() const { return m_impl->isOpen(); }
const std::string& Database::directory() const { return m_impl->directory(); }
ErrorCode Database::lastError() const { return m_impl->status().code; }
const std::string& Database::driverErrorText() const { return m_impl->status().driverText; }
int Database::driverErrorCode() const { return m_impl->status().driverCode; }
bool Database::inTransaction() const { return m_impl->inTransaction(); }
detail::DatabaseImpl& Database::impl() { return *m_impl; }

}  // namespace quay::core
