// Expanding reduced members (methods 2 to 5): not decoded yet; every member is refused.
#include "legacy_methods.h"

namespace zw::legacy {

Status unreduce(const uint8_t*, size_t, uint8_t*, size_t, int)
{
    return Status::BadData;
}

}  // namespace zw::legacy
