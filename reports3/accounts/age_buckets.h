// The age of a customer's open balance, as the statements and the aging report divide it:
// each unpaid charge goes whole into one of four buckets by its age on the day the report
// runs (not the end date the user chose), and each unapplied payment is then set against
// the buckets oldest first. The Total Due is the open balance less every unapplied
// payment, so it turns negative (a credit) when the payments exceed the charges, while
// the buckets never go below what the charges put in them less what was set against them.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "quay/types/decimal.h"

namespace quay::reports::detail {

// The report's figures: 2 places, up to 9 digits.
using AgeFigure = core::Decimal<9, 2>;

enum class Age { Current = 0, Over30 = 1, Over60 = 2, Over90 = 3 };

// Current when dated on or after today less 30 days, +30 Days on or after today less 60,
// +60 Days on or after today less 90, else +90 Days.
constexpr Age ageOf(std::int32_t chargeDate, std::int32_t today) {
    if (chargeDate >= today - 30) return Age::Current;
    if (chargeDate >= today - 60) return Age::Over30;
    if (chargeDate >= today - 90) return Age::Over60;
    return Age::Over90;
}

struct AgeFigures {
    std::array<AgeFigure, 4> buckets{};  // indexed by Age
    AgeFigure totalDue;

    const AgeFigure& operator[](Age a) const { return buckets[static_cast<std::size_t>(a)]; }

    // Adds a charge's unpaid balance to its bucket and to the Total Due. False, with the
    // figures unchanged, when a figure would no longer fit.
    bool addCharge(Age age, const core::Decimal<13, 2>& unpaid);
    // Sets an unapplied amount against the buckets from +90 Days down to Current, each only
    // while it is above zero and something remains; what remains after Current stays
    // unallocated. The Total Due drops by the whole amount. False, with the figures
    // unchanged, when the Total Due would no longer fit.
    bool applyPayment(const core::Decimal<13, 2>& unapplied);
    // Adds another customer's figures (the grand totals). False, unchanged, on overflow.
    bool add(const AgeFigures& other);
    void clear() { *this = AgeFigures{}; }
};

// Customer names compared as the record store's case-insensitive keys order them: letters
// folded to lower case, trailing blanks ignored.
int compareNames(std::string_view a, std::string_view b);
inline bool sameName(std::string_view a, std::string_view b) { return compareNames(a, b) == 0; }

}  // namespace quay::reports::detail
