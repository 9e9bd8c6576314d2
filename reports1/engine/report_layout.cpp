// Building and checking report layouts.
#include "quay/reports/engine/report_layout.h"

#include <cassert>
#include <set>

namespace quay::reports {

ReportLayout::ReportLayout(std::string title, PageGeometry page) : m_title(std::move(title)), m_page(page) {}

Band& ReportLayout::addBand(int number, BandKind kind, Units height) {
    // REQUIRES: band numbers are unique within a layout.
    assert(band(number) == nullptr);
    Band b;
    b.number = number;
    b.kind = kind;
    b.height = height;
    m_bands.push_back(std::move(b));
    return m_bands.back();
}

const Band* ReportLayout::band(int number) const {
    for (const Band& b : m_bands)
        if (b.number == number) return &b;
    return nullptr;
}

Band* ReportLayout::band(int number) {
    for (Band& b : m_bands)
        if (b.number == number) return &b;
    return nullptr;
}

std::vector<std::string> ReportLayout::problems() const {
    std::vector<std::string> out;
    std::set<int> numbers;
    std::set<std::string> names;
    int headers = 0;
    int footers = 0;
    for (const Band& b : m_bands) {
        std::string where = "band " + std::to_string(b.number);
        if (!numbers.insert(b.number).second) out.push_back("duplicate band number " + std::to_string(b.number));
        if (b.kind == BandKind::PageHeader && ++headers == 2) out.push_back(where + ": second page header");
        if (b.kind == BandKind::PageFooter && ++footers == 2) out.push_back(where + ": second page footer");
        if (b.height < 0) out.push_back(where + ": negative height");
        if (b.across < 1 || (b.across > 1 && b.columnWidth <= 0))
            out.push_back(where + ": columns without a column width");
        for (const Control& c : b.controls) {
            if (!c.name.empty() && !names.insert(c.name).second)
                out.push_back(where + ": duplicate control name " + c.name);
            if (c.width < 0 || c.height < 0 || c.penWidth < 0)
                out.push_back(where + ": negative size of control " + (c.name.empty() ? c.text : c.name));
        }
    }
    Units body = m_page.bodyHeight();
    if (m_page.bodyWidth() <= 0 || body <= 0) out.push_back("page margins leave no room for the body");
    return out;
}

}  // namespace quay::reports
