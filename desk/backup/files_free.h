// The all-files-free test that guards a backup, a restore and other work that must
// have the whole data set to itself: no table may be counted as held by a window of
// this copy (the use counters), and each table is opened exclusively, in a fixed
// order, and closed again. An exclusive open fails while any handle of this or
// another running copy of the program holds the table, so the test answers "files
// open" while another window or workstation works on the data. A table that has no
// file yet counts as free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quay/store/database.h"
#include "quay/store/error_code.h"

namespace quay::desk {

// The tables the test opens, in the order it opens them.
const std::vector<std::string_view>& filesFreeOrder();

struct FilesFreeResult {
    bool free = true;
    std::string busyTable;                          // the first table that would not open
    core::ErrorCode error = core::ErrorCode::None;  // and why
};

FilesFreeResult allFilesFree(core::Database& db);

}  // namespace quay::desk
