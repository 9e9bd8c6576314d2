// Product groups: the groups products are filed under, identified by name.
// File "groups.tps", field prefix GRP.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Groups {
    std::uint8_t ACTIVE{};  // 1 active, 0 inactive
    FixedString<15> GROUP;  // group name; the group's identity

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byGroup{0};        // GROUP; unique, case-insensitive, primary
    static constexpr KeyId ByActiveGroup{1};  // ACTIVE, GROUP; duplicates, case-insensitive
};

}  // namespace quay::core
