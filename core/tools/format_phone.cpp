// The phone formatter.
#include "quay/tools/format_phone.h"

#include "quay/app/globals.h"

namespace quay::core {

PhoneResult formatPhone(std::string_view typed, const FixedString<3>& areaCode) {
    PhoneResult r;
    // The whole text is read: a number typed with its separators may be longer than
    // the 13 characters it is stored in.
    std::string_view text = detail::trimTrailingBlanks(typed);
    if (text.empty()) {
        r.accepted = true;
        return r;
    }
    std::string kept;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            kept += c;
        else if (c >= 'A' && c <= 'Z')
            kept += c;
        else if (c >= 'a' && c <= 'z')
            kept += static_cast<char>(c - 'a' + 'A');
    }
    if (!kept.empty() && kept.front() == '1') kept.erase(0, 1);
    if (kept.size() == 10) {
        r.text = "(" + kept.substr(0, 3) + ")" + kept.substr(3, 3) + "-" + kept.substr(6, 4);
        r.accepted = true;
    } else if (kept.size() == 7) {
        r.text = "(" + std::string(areaCode.raw()) + ")" + kept.substr(0, 3) + "-" + kept.substr(3, 4);
        r.accepted = true;
    }
    return r;
}

FixedString<13> FORMATPHONE(std::string_view typed, const Defaults& company) {
    const PhoneResult r = formatPhone(typed, company.DEFAREACODE);
    glo.GlobalResponse = r.accepted ? Response::Completed : Response::Cancelled;
    return r.text;
}

}  // namespace quay::core
