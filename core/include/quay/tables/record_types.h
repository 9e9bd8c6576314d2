// What every record struct is made of: the field types (BYTE as std::uint8_t, LONG as
// std::int32_t, Decimal, FixedString with its FixedSpan views for overlay groups, Memo),
// the table description the record store reads the struct through, and the export
// macro. Each table header includes this one file.
#pragma once

#include <cstdint>

#include "quay/export.h"
#include "quay/store/table_desc.h"
#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"
#include "quay/types/memo.h"
