// The running report. Page state machine:
//   no page open --print(band)--> page open (header placed, footer room kept)
//   page open --print(band) that does not fit--> page closed (footer placed), new page open
//   page open --endPage()--> no page open
// A band kept with the next is laid out when printed but placed only with the band after
// it, as one block, so a group heading never stands alone at the foot of a page.
//   any --finish()--> finished (pages handed over; every later call is refused)
// The page footer is laid out when its page closes, with the controls as they are then, so
// a footer can show totals carried to the end of the page. Room for it is reserved when
// the page opens, from its layout at that moment.
// Only the open page is in memory: closing a page hands it to the page store, which writes
// it out. A page-number item keeps its pattern and is marked for the store, which fills
// in "{page}" and "{pages}" when the page is read back, so no stored page is ever changed.
// A page the store cannot write ends the run (every later print answers PagesNotStored)
// rather than let a report with pages missing pass for a whole one.
#include "quay/reports/engine/report_run.h"

#include <algorithm>
#include <cassert>
#include <optional>

#include "band_layout.h"
#include "page_store.h"
#include "quay/types/picture.h"
#include "text_wrapper.h"

namespace quay::reports {
namespace {

// A picture pads its text with blanks to its width, which suits a fixed-pitch entry field;
// on paper the control's alignment places the text instead.
std::string trimmed(std::string text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// A number without a picture: its digits with the decimal point at its places.
std::string plainNumber(std::int64_t scaled, int places) {
    const bool negative = scaled < 0;
    // Work on the magnitude as unsigned so that the lowest int64 has one too.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    std::string reversed;
    for (int i = 0; magnitude > 0 || i <= places; ++i) {
        if (i == places && places > 0) reversed.push_back('.');
        reversed.push_back(static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    }
    if (negative) reversed.push_back('-');
    return std::string(reversed.rbegin(), reversed.rend());
}

const Band* findKind(const ReportLayout& layout, BandKind kind) {
    for (const Band& b : layout.bands())
        if (b.kind == kind) return &b;
    return nullptr;
}

}  // namespace

ReportRun::ReportRun(const ReportLayout& layout, const TextMeasurer& measurer)
    : m_layout(layout), m_measurer(&measurer), m_store(std::make_shared<detail::PageStore>()) {}

void ReportRun::setPageFile(std::unique_ptr<PageFile> file) {
    // REQUIRES: no page has gone to the store yet.
    assert(m_closedPages == 0);
    m_store = std::make_shared<detail::PageStore>(std::move(file));
}

RunStatus ReportRun::status() const { return m_failed ? RunStatus::PagesNotStored : RunStatus::Ok; }

std::string ReportRun::failureText() const { return m_failed ? m_store->error() : std::string(); }

ReportRun::~ReportRun() = default;

Control* ReportRun::findControl(std::string_view name) {
    if (name.empty()) return nullptr;
    for (Band& b : m_layout.bands())
        for (Control& c : b.controls)
            if (c.name == name) return &c;
    return nullptr;
}

const Control* ReportRun::control(std::string_view name) const {
    return const_cast<ReportRun*>(this)->findControl(name);
}

Units ReportRun::freshPageBodyHeight() const {
    const PageGeometry& g = m_layout.page();
    Units body = g.bodyHeight();
    if (const Band* h = findKind(m_layout, BandKind::PageHeader)) body -= detail::layoutBand(*h, *m_measurer).height;
    if (const Band* f = findKind(m_layout, BandKind::PageFooter)) body -= detail::layoutBand(*f, *m_measurer).height;
    return body;
}

Units ReportRun::remainingHeight() const {
    if (!m_pageOpen) return freshPageBodyHeight();
    return std::max<Units>(0, m_bodyBottom - m_cursorY);
}

void ReportRun::place(std::vector<detail::LaidItem>& items, Units offsetY, Units offsetX) {
    const PageGeometry& g = m_layout.page();
    for (detail::LaidItem& li : items) {
        PlacedItem it = std::move(li.item);
        it.x += g.leftMargin + offsetX;
        it.y += offsetY;
        if (li.pageNumber) m_openPatterns.push_back(static_cast<std::uint32_t>(m_openPage.items.size()));
        m_openPage.items.push_back(std::move(it));
    }
}

void ReportRun::openPage() {
    const PageGeometry& g = m_layout.page();
    m_openPage.items.clear();
    m_openPatterns.clear();
    m_pageOpen = true;
    m_pageUsed = false;
    m_cursorY = g.topMargin;
    m_bodyBottom = g.height - g.bottomMargin;
    if (const Band* f = findKind(m_layout, BandKind::PageFooter))
        m_bodyBottom -= detail::layoutBand(*f, *m_measurer).height;
    if (const Band* h = findKind(m_layout, BandKind::PageHeader)) {
        detail::LaidBand laid = detail::layoutBand(*h, *m_measurer);
        place(laid.items, m_cursorY);
        m_cursorY += laid.height;
    }
}

void ReportRun::closePage() {
    m_acrossBand = 0;
    if (!m_pageOpen) return;
    if (const Band* f = findKind(m_layout, BandKind::PageFooter)) {
        const PageGeometry& g = m_layout.page();
        detail::LaidBand laid = detail::layoutBand(*f, *m_measurer);
        place(laid.items, g.height - g.bottomMargin - laid.height);
    }
    m_pageOpen = false;
    ++m_closedPages;
    if (!m_failed && !m_store->append(m_openPage, m_openPatterns)) m_failed = true;
    m_openPage.items.clear();
    m_openPatterns.clear();
}

RunStatus ReportRun::print(int bandNumber) {
    if (m_finished) return RunStatus::Finished;
    if (m_failed) return RunStatus::PagesNotStored;
    const Band* band = m_layout.band(bandNumber);
    if (!band) return RunStatus::UnknownBand;
    if (band->kind == BandKind::PageHeader || band->kind == BandKind::PageFooter) return RunStatus::AutomaticBand;

    detail::LaidBand laid = detail::layoutBand(*band, *m_measurer);
    const bool across = band->across > 1;
    if (band->keepWithNext && !across) {
        // Held back, laid out as it is now, until the band it belongs with is printed.
        if (!m_pending) m_pending = std::make_unique<detail::LaidBand>();
        append(*m_pending, std::move(laid));
        return status();
    }
    if (m_pending) {
        if (across) {
            flushPending();
        } else {
            append(*m_pending, std::move(laid));
            laid = std::move(*m_pending);
            m_pending.reset();
        }
    }
    if (!m_pageOpen) openPage();
    if (across && m_acrossBand == bandNumber && m_acrossColumn < band->across &&
        m_rowTop + laid.height <= m_bodyBottom) {
        // The next column of the row begun by the same band.
        place(laid.items, m_rowTop, m_acrossColumn * band->columnWidth);
        ++m_acrossColumn;
        m_rowHeight = std::max(m_rowHeight, laid.height);
        m_cursorY = m_rowTop + m_rowHeight;
        return status();
    }
    placeBand(std::move(laid), across ? bandNumber : 0);
    return status();
}

void ReportRun::append(detail::LaidBand& to, detail::LaidBand&& band) {
    for (detail::LaidItem& li : band.items) {
        li.item.y += to.height;
        to.items.push_back(std::move(li));
    }
    to.height += band.height;
}

void ReportRun::flushPending() {
    if (!m_pending) return;
    std::unique_ptr<detail::LaidBand> laid = std::move(m_pending);
    if (!m_pageOpen) openPage();
    placeBand(std::move(*laid), 0);
}

void ReportRun::placeBand(detail::LaidBand&& laid, int acrossBand) {
    m_acrossBand = 0;
    bool pageFresh = !m_pageUsed;
    for (;;) {
        Units room = m_bodyBottom - m_cursorY;
        if (laid.height <= room) {
            if (acrossBand != 0) {
                m_acrossBand = acrossBand;
                m_acrossColumn = 1;
                m_rowTop = m_cursorY;
                m_rowHeight = laid.height;
            }
            place(laid.items, m_cursorY);
            m_cursorY += laid.height;
            m_pageUsed = true;
            return;
        }
        if (!pageFresh) {
            closePage();
            openPage();
            pageFresh = true;
            continue;
        }
        // Taller than an empty page: fill this page to a line boundary and carry the rest.
        if (room <= 0) {
            // Header and footer leave no body at all: place the band anyway rather than loop.
            place(laid.items, m_cursorY);
            m_cursorY += laid.height;
            m_pageUsed = true;
            return;
        }
        Units cut = detail::findCut(laid, room);
        if (cut <= 0) cut = room;  // one line taller than the page: cut it where the page ends
        detail::LaidBand rest = detail::splitAt(laid, cut);
        place(laid.items, m_cursorY);
        m_cursorY += cut;
        laid = std::move(rest);
        closePage();
        openPage();
        pageFresh = true;
    }
}

void ReportRun::endPage() {
    if (m_finished) return;
    flushPending();
    closePage();
}

PageList ReportRun::finish() {
    PageList out;
    if (m_finished) return out;
    flushPending();
    closePage();
    m_finished = true;
    if (!m_failed && m_closedPages > 0) out = PageList(std::shared_ptr<const detail::PageStore>(m_store));
    out.title = m_layout.title();
    out.geometry = m_layout.page();
    out.copies = m_copies;
    out.printerName = m_printerName;
    return out;
}

RunStatus ReportRun::setText(std::string_view name, std::string text) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (c->kind == ControlKind::Line || c->kind == ControlKind::Box || c->kind == ControlKind::Image)
        return RunStatus::WrongKind;
    c->text = std::move(text);
    return RunStatus::Ok;
}

RunStatus ReportRun::setValue(std::string_view name, std::string_view text) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (c->kind != ControlKind::Field) return RunStatus::WrongKind;
    std::optional<core::Picture> picture = core::Picture::parse(c->picture);
    c->text = trimmed(picture ? picture->format(text) : std::string(text));
    return RunStatus::Ok;
}

RunStatus ReportRun::setScaledValue(std::string_view name, std::int64_t scaled, int places) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (c->kind != ControlKind::Field) return RunStatus::WrongKind;
    if (places < 0 || places > 18) return RunStatus::InvalidValue;
    std::optional<core::Picture> picture = core::Picture::parse(c->picture);
    c->text = trimmed(picture ? picture->formatScaled(scaled, places) : plainNumber(scaled, places));
    return RunStatus::Ok;
}

RunStatus ReportRun::setPicture(std::string_view name, std::string picture) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (c->kind != ControlKind::Field) return RunStatus::WrongKind;
    if (!picture.empty() && !core::Picture::parse(picture)) return RunStatus::InvalidValue;
    c->picture = std::move(picture);
    return RunStatus::Ok;
}

RunStatus ReportRun::setHidden(std::string_view name, bool hidden) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    c->hidden = hidden;
    return RunStatus::Ok;
}

RunStatus ReportRun::setX(std::string_view name, Units x) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    c->x = x;
    return RunStatus::Ok;
}

RunStatus ReportRun::setY(std::string_view name, Units y) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (y < 0) return RunStatus::InvalidValue;
    c->y = y;
    return RunStatus::Ok;
}

RunStatus ReportRun::setWidth(std::string_view name, Units width) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (width < 0) return RunStatus::InvalidValue;
    c->width = width;
    return RunStatus::Ok;
}

RunStatus ReportRun::setHeight(std::string_view name, Units height) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (height < 0) return RunStatus::InvalidValue;
    c->height = height;
    return RunStatus::Ok;
}

RunStatus ReportRun::setImage(std::string_view name, std::string imagePath) {
    Control* c = findControl(name);
    if (!c) return RunStatus::UnknownControl;
    if (c->kind != ControlKind::Image) return RunStatus::WrongKind;
    c->imagePath = std::move(imagePath);
    return RunStatus::Ok;
}

int ReportRun::lineCount(std::string_view name) const {
    const Control* c = control(name);
    if (!c) return 0;
    if (!c->wraps) return c->text.empty() ? 0 : 1;
    return static_cast<int>(detail::wrapText(c->text, c->width, c->font, *m_measurer).size());
}

Units ReportRun::lineHeight(std::string_view name) const {
    const Control* c = control(name);
    return c ? m_measurer->lineHeight(c->font) : 0;
}

RunStatus ReportRun::setCopies(int copies) {
    if (copies < 1) return RunStatus::InvalidValue;
    m_copies = copies;
    return RunStatus::Ok;
}

}  // namespace quay::reports
