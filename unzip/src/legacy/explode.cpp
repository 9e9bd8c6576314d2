// Exploding imploded members (method 6): not decoded yet; every member is refused.
#include "legacy_methods.h"

namespace zw::legacy {

Status explode(const uint8_t*, size_t, uint8_t*, size_t, uint16_t)
{
    return Status::BadData;
}

}  // namespace zw::legacy
