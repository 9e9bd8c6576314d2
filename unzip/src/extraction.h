// Function 8 (extract or test the selected members) and function 9 (extract
// one member into the caller's memory block).
#pragma once

#include <cstdint>

namespace zw::detail {

struct CallContext;

int32_t runExtract(CallContext& ctx);
int32_t runFileToMemory(CallContext& ctx);

}  // namespace zw::detail
