// Payment terms: the texts offered for an order's terms.
// File "Terms.tps", field prefix TER.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT Terms {
    FixedString<15> TERMS;  // payment terms text (for example a number of days); the entry's
                            // identity

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId byTerms{0};  // TERMS; unique, case-insensitive, primary
};

}  // namespace quay::core
