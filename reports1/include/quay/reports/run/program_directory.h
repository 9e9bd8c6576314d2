// The folder the running program was started from, where the company's logo file and
// other files shipped beside the program are looked for.
#pragma once

#include <filesystem>

#include "quay/export.h"

namespace quay::reports {

// The folder of the program's executable; the working directory when it cannot be told.
QUAY_EXPORT std::filesystem::path programDirectory();

}  // namespace quay::reports
