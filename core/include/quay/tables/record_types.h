// What every record struct is made of: the field types (BYTE as std::uint8_t, LONG as
// std::int32_t, Decimal, FixedString with its FixedSpan views for overlay groups, Memo),
// the table description the record store reads the struct through, and the export
// macro. Each table header includes this one file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "quay/export.h"
#include "quay/store/table_desc.h"
#include "quay/types/decimal.h"
#include "quay/types/fixed_string.h"
#include "quay/types/memo.h"

namespace quay::core {

// The position of a record member in its table's description, named by the member itself:
// fieldOf(&Customer::Name). A misspelt field does not compile, where a name looked up as
// text would only fail when the window runs.
// REQUIRES: the member is described in R::desc() (every member is; a test walks them).
template <class R, class T>
int fieldOf(T R::*member) {
    static const R probe{};
    const auto* base = reinterpret_cast<const unsigned char*>(&probe);
    const auto offset = static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&(probe.*member)) - base);
    const TableDesc& desc = R::desc();
    for (std::size_t i = 0; i < desc.fields.size(); ++i)
        if (desc.fields[i].offset == offset) return static_cast<int>(i);
    return -1;
}

}  // namespace quay::core
