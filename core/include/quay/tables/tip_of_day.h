// Tips: the texts shown by the tip of the day at start-up, numbered from 1.
// File "tipofday.tps", field prefix TIP.
#pragma once

#include "quay/tables/record_types.h"

namespace quay::core {

struct QUAY_EXPORT TipOfDay {
    std::int32_t TIPID{};  // tip number, counted from 1
    Memo<2400> Comment;    // free text kept with the record

    static const TableDesc& desc();

    // Keys, in order: a KeyId is the key's position in desc().keys.
    static constexpr KeyId ByTipID{0};  // TIPID; unique, case-insensitive, primary
};

}  // namespace quay::core
