// The listing functions: counting members (1, 3), walking them one call at a
// time (2, 4), the archive comment (5, 6) and the member at an index (7).
#pragma once

#include <cstdint>

#include "zwunzip.h"

namespace zw::detail {

struct CallContext;
struct Member;

// Runs function 1 to 7 on the opened archive of the call.
int32_t runListing(CallContext& ctx);

// Fills a member-information record for the member at directory position
// `position`, reported as `index`.
void fillInfo(ZINFO& info, const Member& m, int32_t index, bool forwardSlashes);

}  // namespace zw::detail
