// Aging and allocation. Every figure is worked out into a copy first, so a sum that does
// not fit leaves the customer's figures as they were and the report says so.
#include "age_buckets.h"

#include <algorithm>

namespace quay::reports::detail {

using core::DecimalStatus;

bool AgeFigures::addCharge(Age age, const core::Decimal<13, 2>& unpaid) {
    AgeFigures f = *this;
    if ((f.buckets[static_cast<std::size_t>(age)] += unpaid) != DecimalStatus::Ok ||
        (f.totalDue += unpaid) != DecimalStatus::Ok)
        return false;
    *this = f;
    return true;
}

bool AgeFigures::applyPayment(const core::Decimal<13, 2>& unapplied) {
    AgeFigures f = *this;
    if ((f.totalDue -= unapplied) != DecimalStatus::Ok) return false;
    core::Decimal<13, 2> remaining = unapplied;
    const AgeFigure zero;
    for (Age a : {Age::Over90, Age::Over60, Age::Over30, Age::Current}) {
        AgeFigure& bucket = f.buckets[static_cast<std::size_t>(a)];
        if (!(bucket > zero) || !(remaining > zero)) continue;
        if (bucket < remaining) {
            (void)(remaining -= bucket);  // cannot overflow: both are positive
            bucket.clear();
        } else {
            (void)(bucket -= remaining);
            remaining.clear();
        }
    }
    *this = f;
    return true;
}

bool AgeFigures::add(const AgeFigures& other) {
    AgeFigures f = *this;
    for (std::size_t i = 0; i < f.buckets.size(); ++i)
        if ((f.buckets[i] += other.buckets[i]) != DecimalStatus::Ok) return false;
    if ((f.totalDue += other.totalDue) != DecimalStatus::Ok) return false;
    *this = f;
    return true;
}

int compareNames(std::string_view a, std::string_view b) {
    while (!a.empty() && a.back() == ' ') a.remove_suffix(1);
    while (!b.empty() && b.back() == ' ') b.remove_suffix(1);
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace quay::reports::detail
