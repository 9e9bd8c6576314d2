// The rename and delete rules of the master tables, as data: for each master table
// the tables a change and a delete run their transaction over, the dependants a
// change of identity is carried into (each found through its key, or read through
// in file order where no key leads to it), and the dependants a delete removes
// with the record (cascade) or is refused by (restrict), in the order applied.
#pragma once

#include <optional>
#include <vector>

#include "quay/store/table_desc.h"

namespace quay::core::detail {

enum class DeleteRule { Cascade, Restrict };

struct Dependant {
    const TableDesc* table;
    std::optional<KeyId> key;  // the key whose first component is `field`; none: read in file order
    int field;                 // the field that names the master
};

struct DeleteDependant {
    Dependant dependant;
    DeleteRule rule;
};

struct MasterRule {
    const TableDesc* master;
    KeyId primary;
    int identity;                                // the identity field, -1 for the plain tables
    std::vector<const TableDesc*> changeCovers;  // besides the master's own table
    std::vector<const TableDesc*> deleteCovers;
    std::vector<Dependant> carries;
    std::vector<DeleteDependant> deletes;
};

// The rule for a table (matched by its file, so second handles share their master's
// rule); the plain tables have no dependants. Null for a table without rules.
const MasterRule* masterRuleFor(const TableDesc& table);

// A rule for a table without rules of its own: the record alone, by its primary key.
MasterRule plainRuleFor(const TableDesc& table);

}  // namespace quay::core::detail
