// Validation of a call's command before any work: each failure returns 47
// with its detail text (or 0 when the command can be run).
#pragma once

#include <cstdint>
#include <string>

#include "zwunzip.h"

namespace zw::detail {

// The layout version (1, 2, 3) of an accepted structure size, else 0.
int32_t layoutVersionOf(int32_t size);

// Checks the full-layout command; on failure sets `detail` and returns 47.
int32_t checkCommand(const UNZIPCMDSTRUCT& cmd, std::string& detail);

// True when the text can name one member for extraction to memory: no
// control characters and none of * + , / < = > ? [ ] |.
bool isPlainMemberName(const char* name);

}  // namespace zw::detail
