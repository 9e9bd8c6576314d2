// The public Table: every call forwards to the handle's TableImpl, which keeps the
// last error.
#include "quay/store/table.h"

#include "table_impl.h"

namespace quay::core {

Table::Table(Database& db, const TableDesc& desc, void* buffer)
    : m_impl(std::make_unique<detail::TableImpl>(db.impl(), desc, buffer)) {}

Table::~Table() {
    if (m_impl->isOpen()) m_impl->close();
}

const TableDesc& Table::desc() const { return m_impl->desc(); }
void* Table::buffer() { return m_impl->buffer(); }

ErrorCode Table::open(OpenMode mode) { return m_impl->open(mode); }
ErrorCode Table::create() { return m_impl->create(); }
ErrorCode Table::close() { return m_impl->close(); }
ErrorCode Table::remove() { return m_impl->remove(); }
ErrorCode Table::buildKeys() { return m_impl->buildKeys(); }
std::string Table::fileName() const { return m_impl->desc().fileName; }
bool Table::isOpen() const { return m_impl->isOpen(); }

ErrorCode Table::add() { return m_impl->add(); }
ErrorCode Table::put() { return m_impl->put(); }
ErrorCode Table::erase() { return m_impl->erase(); }
ErrorCode Table::get(KeyId key) { return m_impl->get(key); }
ErrorCode Table::reget(const std::string& position) { return m_impl->reget(position); }
std::string Table::position() const { return m_impl->position(); }
void Table::clear() { m_impl->clear(); }

ErrorCode Table::set(KeyId key) { return m_impl->set(key); }
ErrorCode Table::setAtKey(KeyId key) { return m_impl->setAtKey(key); }
ErrorCode Table::setEnd(KeyId key) { return m_impl->setEnd(key); }
ErrorCode Table::setFileOrder() { return m_impl->setFileOrder(); }
ErrorCode Table::next() { return m_impl->next(); }
ErrorCode Table::previous() { return m_impl->previous(); }

void Table::watch() { m_impl->watch(); }
bool Table::duplicate(KeyId key) { return m_impl->duplicate(key); }
bool Table::duplicate() { return m_impl->duplicate(); }
std::int64_t Table::records() { return m_impl->records(); }
ErrorCode Table::send(std::string_view command) { return m_impl->send(command); }

ErrorCode Table::lastError() const { return m_impl->status().code; }

std::string Table::errorText() const {
    const detail::StoreStatus& s = m_impl->status();
    if (s.code == ErrorCode::DriverError && !s.driverText.empty()) return s.driverText;
    return errorCodeText(s.code);
}

const std::string& Table::driverErrorText() const { return m_impl->status().driverText; }
int Table::driverErrorCode() const { return m_impl->status().driverCode; }

int Table::duplicateKey() const { return m_impl->duplicateKey(); }

detail::TableImpl& Table::impl() { return *m_impl; }

}  // namespace quay::core
