// Field look-up of a table description. Field names are not case-sensitive and may be
// written with the table's prefix ("CUS:Name", "cus:NAME" and "Name" are one field).
#include "quay/store/table_desc.h"

#include <cctype>

namespace quay::core {

namespace {

bool equalsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

int TableDesc::fieldIndex(const std::string& fieldName) const {
    std::string bare = fieldName;
    const std::size_t colon = fieldName.find(':');
    if (colon != std::string::npos) {
        if (!equalsNoCase(fieldName.substr(0, colon), prefix)) return -1;
        bare = fieldName.substr(colon + 1);
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (equalsNoCase(fields[i].name, bare)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace quay::core
