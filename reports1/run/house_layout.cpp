// The house layout's pieces. The run stamp and the page number stand at the right of the
// heading, where every report of the program shows them.
#include "quay/reports/run/house_layout.h"

namespace quay::reports::house {

ReportLayout layout(std::string title) { return ReportLayout(std::move(title)); }

void addLabelled(Band& band, Units x, Units y, const char* label, const char* name, Units valueWidth,
                 Units labelWidth) {
    band.add(textControl("", x, y, labelWidth, kRow, label, kBold));
    band.add(textControl(name, x + labelWidth, y, valueWidth, kRow, "", kText));
}

void addRunStamp(Band& band, Units y) {
    band.add(textControl("", 5300, y, 600, kRow, "Run:", kBold));
    band.add(fieldControl("runDate", 5900, y, 900, kRow, "@d2", kText));
    band.add(fieldControl("runTime", 6800, y, 700, kRow, "@t7", kText, Alignment::Right));
    band.add(textControl("", 5300, y + 200, 600, kRow, "Page:", kBold));
    band.add(pageNumberControl("page", 5900, y + 200, 1600, kRow, kPageOfPages, kText));
}

std::string trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

std::string joined(std::initializer_list<std::string_view> parts, std::string_view separator) {
    std::string out;
    for (std::string_view p : parts) {
        std::string t = trimmed(p);
        if (t.empty()) continue;
        if (!out.empty()) out += separator;
        out += t;
    }
    return out;
}

std::string cityLine(std::string_view city, std::string_view state, std::string_view zip) {
    const std::string tail = joined({state, zip}, " ");
    return joined({city, tail}, ", ");
}

HeadingLines companyHeading(const core::Defaults& def) {
    HeadingLines lines;
    if (def.PRINTNAME != 0) lines[0] = trimmed(def.COMPANYNAME.view());
    BlockFiller<kHeadingLines> fill(lines, 1);
    if (def.PRINTADDRESS != 0) {
        fill.putIfAny(trimmed(def.ADD1.view()));
        fill.putIfAny(trimmed(def.ADD2.view()));
        fill.putIfAny(cityLine(def.CITY.view(), def.STATE.view(), def.ZIPCODE.view()));
    }
    if (def.PRINTPHONE != 0) {
        std::string phones = joined({def.PHONE1.view(), def.PHONE2.view()}, " - ");
        if (!def.FAX.isBlank()) phones += (phones.empty() ? "Fax " : " - Fax ") + trimmed(def.FAX.view());
        fill.putIfAny(std::move(phones));
    }
    if (def.PRINTEMAIL != 0) fill.putIfAny(trimmed(def.EMAIL.view()));
    if (def.PRINTWWW != 0) fill.putIfAny(trimmed(def.WEBADR.view()));
    return lines;
}

}  // namespace quay::reports::house
