// Unshrinking (method 1): not decoded yet; every member is refused as bad data.
#include "legacy_methods.h"

namespace zw::legacy {

Status unshrink(const uint8_t*, size_t, uint8_t*, size_t)
{
    return Status::BadData;
}

}  // namespace zw::legacy
