// The list of every table of the program, for the work that walks all of them: deleting
// all data, checking that every file is free before a backup or the A/R verification,
// creating a fresh data set, and the description tests.
#pragma once

#include <string_view>
#include <vector>

#include "quay/export.h"
#include "quay/store/table_desc.h"

namespace quay::core {

// The tables that own a file, one description per file, in data-dictionary order: the
// master tables, the transaction tables, then Defaults.
QUAY_EXPORT const std::vector<const TableDesc*>& fileTables();

// The second handles CustRef, IteRef, OrderRef and ProdRef; each names the file of its
// first table.
QUAY_EXPORT const std::vector<const TableDesc*>& secondHandles();

// A table or second handle by its name ("Customer", "custref"; the case does
// not matter), or nullptr.
QUAY_EXPORT const TableDesc* findTable(std::string_view name);

}  // namespace quay::core
