// A connection to the data set of one data directory. The data set is one SQLite
// database in that directory; several processes (workstations) and several
// connections in one process may use it at once. A Database is used by one thread
// at a time; worker threads open a Database of their own.
#pragma once

#include <memory>
#include <string>

#include "quay/export.h"
#include "quay/store/error_code.h"

namespace quay::core {

namespace detail {
class DatabaseImpl;
}

class QUAY_EXPORT Database {
public:
    // Opens (creating when missing) the data set in `directory`. On failure
    // isOpen() is false and lastError()/driverErrorText() say why: a file that is
    // not a database gives DriverError with the engine's text.
    explicit Database(const std::string& directory);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    bool isOpen() const;
    const std::string& directory() const;
    ErrorCode lastError() const;
    const std::string& driverErrorText() const;
    int driverErrorCode() const;

    // True while a transaction begun through Transaction is running on this connection.
    bool inTransaction() const;

    detail::DatabaseImpl& impl();

private:
    std::unique_ptr<detail::DatabaseImpl> m_impl;
};

}  // namespace quay::core
