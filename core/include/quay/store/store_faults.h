// StoreFaults: a test hook of the record store that makes one chosen record write or
// commit fail, as a full disk or an I/O error would, so that tests can prove a
// multi-table change leaves nothing behind wherever it breaks off.
//
// Once armed with n, the store counts every record write (add, put, erase) and every
// transaction commit on any connection of the process; the nth fails with DriverError
// and the engine's I/O error code, writing nothing (a failed commit rolls the
// transaction back). The hook then disarms itself. Unarmed, it costs one atomic load
// per write.
//
// Thread-safe. For tests only: nothing in the program arms it.
#pragma once

#include <string>

#include "quay/export.h"

namespace quay::core {

class QUAY_EXPORT StoreFaults {
public:
    // The driver text of an injected failure.
    static constexpr const char* kInjectedText = "injected I/O error";

    // Makes the nth write or commit from now fail (n >= 1); 0 disarms.
    static void failNth(int n);
    static void disarm() { failNth(0); }
    // Whether the armed failure happened since the last failNth().
    static bool fired();
    // What failed: "add <table>", "put <table>", "erase <table>" or "commit"; "" when
    // nothing did.
    static std::string lastFault();
};

namespace detail {
// Called by the store before each counted operation; true when this one must fail.
// `what` names it as lastFault() reports it.
bool faultDue(const char* operation, const std::string& table);
}  // namespace detail

}  // namespace quay::core
