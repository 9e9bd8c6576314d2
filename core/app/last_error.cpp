// The per-thread saved error and the error insert built from it.
#include "quay/app/last_error.h"

#include "quay/store/table.h"

namespace quay::core {
namespace {

thread_local SavedError t_saved;

std::string clipped(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

}  // namespace

int SavedError::number() const { return code == ErrorCode::DriverError ? driverCode : static_cast<int>(code); }

std::string SavedError::shownText() const {
    if (code == ErrorCode::DriverError && !clipped(driverText).empty()) return clipped(driverText);
    if (!clipped(text).empty()) return clipped(text);
    return errorCodeText(code) ? clipped(errorCodeText(code)) : std::string();
}

std::string SavedError::insert() const {
    if (!isSet()) return {};
    return shownText() + " (" + std::to_string(number()) + ")";
}

void saveError(const Table& table) {
    saveError(table.lastError(), table.errorText(), table.driverErrorText(), table.driverErrorCode());
}

void saveError(ErrorCode code, std::string text, std::string driverText, int driverCode) {
    t_saved.code = code;
    t_saved.text = std::move(text);
    t_saved.driverText = std::move(driverText);
    t_saved.driverCode = driverCode;
}

const SavedError& savedError() { return t_saved; }

void clearSavedError() { t_saved = SavedError{}; }

}  // namespace quay::core
