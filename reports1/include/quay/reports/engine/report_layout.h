// A report's layout: its title, its paper and its numbered bands. Reports build their
// layout once in code and hand it to a ReportRun, which works on its own copy.
#pragma once

#include <string>
#include <vector>

#include "quay/export.h"
#include "quay/reports/engine/band.h"
#include "quay/reports/engine/page_geometry.h"

namespace quay::reports {

// Band numbers are unique within a layout, and so are the names of named controls; at most
// one band is the page header and one the page footer. problems() lists what breaks these
// rules so that a report's own test can hold its layout to them.
class QUAY_EXPORT ReportLayout {
public:
    explicit ReportLayout(std::string title = {}, PageGeometry page = {});

    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    const PageGeometry& page() const { return m_page; }
    void setPage(const PageGeometry& page) { m_page = page; }

    // Appends a band and returns it for adding controls. REQUIRES: number not yet used; the
    // reference is used before the next addBand().
    Band& addBand(int number, BandKind kind, Units height);

    const std::vector<Band>& bands() const { return m_bands; }
    std::vector<Band>& bands() { return m_bands; }
    // nullptr when no band has that number.
    const Band* band(int number) const;
    Band* band(int number);

    // One line per broken rule (duplicate band number or control name, a second page
    // header or footer, a negative size, columns without a column width); empty for a
    // sound layout.
    std::vector<std::string> problems() const;

private:
    std::string m_title;
    PageGeometry m_page;
    std::vector<Band> m_bands;
};

}  // namespace quay::reports
