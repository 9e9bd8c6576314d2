// The person-name rule of the master forms.
#include "quay/masterlists/person_name.h"

namespace quay::core {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
}

}  // namespace

std::string personName(std::string_view firstName, std::string_view lastName) {
    const std::string_view first = trimmed(firstName);
    const std::string_view last = trimmed(lastName);
    if (!first.empty() && !last.empty()) return std::string(last) + ", " + std::string(first);
    if (!first.empty()) return std::string(first);
    return std::string(last);
}

}  // namespace quay::core
