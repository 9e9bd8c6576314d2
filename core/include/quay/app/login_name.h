// The workstation user's log-in name, and the user id the schedule belongs to
// (GLO:UserID): the name clipped of trailing blanks, upper-cased and cut to the
// id's 20 characters; "DEFAULT" when no name can be had or it is blank.
#pragma once

#include <string>
#include <string_view>

#include "quay/export.h"

namespace quay::core {

// The log-in name from the operating system's user database for the effective
// user; when that has no entry, $USER; else empty.
QUAY_EXPORT std::string loginName();

// The user id for a log-in name, as above.
QUAY_EXPORT std::string userIdForLoginName(std::string_view name);

}  // namespace quay::core
