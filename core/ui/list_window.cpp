// The list window pattern: tabs, the limit or the "Active" box, the locator and the
// commands that run the list's form.
//
// After any form returns, the list is read again around the record the form left
// in the table handle (the inserted or changed record), or, after a delete or a
// cancel, around the row that was highlighted or its neighbour, so the user sees
// what other stations changed meanwhile too.
//
// Every read goes through readSucceeded(): a vanished edge row reloads the list, any
// other failure is reported and closes the window, so a damaged table never passes
// for an empty one.
#include "quay/ui/list_window.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <string>

#include "quay/app/globals.h"
#include "quay/ui/list_errors.h"
#include "quay/ui/record_fields.h"

namespace quay::core {

ListObserver::~ListObserver() = default;

ListColumn pictureColumn(std::string heading, std::string_view picture) {
    ListColumn c;
    const auto p = Picture::parse(picture);
    c.width = std::max<int>(p ? p->width() : 12, static_cast<int>(heading.size()));
    c.rightAligned = p && p->kind() != PictureKind::String;
    c.heading = std::move(heading);
    return c;
}

int listField(const TableDesc& desc, std::string_view name) {
    for (std::size_t i = 0; i < desc.fields.size(); ++i) {
        const std::string& f = desc.fields[i].name;
        if (f.size() == name.size() && std::equal(f.begin(), f.end(), name.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return static_cast<int>(i);
    }
    return -1;
}

const Picture& moneyPicture() {
    static const Picture picture = *Picture::parse(kMoneyPicture);
    return picture;
}

std::string cellText(std::string shown) {
    shown.erase(0, shown.find_first_not_of(' '));
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    return shown;
}

ListWindow::ListWindow(UiPort& ui, Table& table, ListSpec spec, const WindowRequest& request)
    : m_ui(ui),
      m_table(table),
      m_spec(std::move(spec)),
      m_selecting(request.request == Request::Select),
      m_activeOnly(m_spec.activeField >= 0 && m_spec.activeInitially) {
    assert(!m_spec.tabs.empty());  // REQUIRES: at least one tab
    // REQUIRES: the record functions were written for this table's records.
    assert(m_spec.format.fits(table.desc()) && m_spec.filter.fits(table.desc()));
    assert(m_spec.prepareInsert.fits(table.desc()) && m_spec.formRecord.fits(table.desc()));
    assert(!(m_spec.limit && m_spec.activeField >= 0));  // REQUIRES: one range at most
    // Rows are empty until open(); the window's own pager replaces this one there.
    m_pager = std::make_unique<ListPager>(m_table, m_spec.format);
    m_response.response = m_selecting ? Response::Cancelled : Response::Completed;
}

ListWindow::~ListWindow() = default;

std::unique_ptr<ListPager> ListWindow::makePager(Table& table, RowFormatter format) {
    return std::make_unique<ListPager>(table, std::move(format));
}

void ListWindow::ensurePager() {
    if (m_pagerMade) return;
    m_pager = makePager(m_table, m_spec.format);
    m_pagerMade = true;
}

void ListWindow::applyTab() {
    ensurePager();
    const ListTab& tab = m_spec.tabs[static_cast<std::size_t>(m_tab)];
    m_pager->setKey(tab.key);
    if (tab.range)
        m_pager->setRange(tab.range);
    else if (m_spec.limit)
        m_pager->setRange(m_spec.limit);
    else if (m_activeOnly && m_spec.activeField >= 0)
        m_pager->setRange(ListRange{m_spec.activeField, std::to_string(m_spec.activeValue)});
    else
        m_pager->setRange(std::nullopt);
    m_pager->setFilter(m_spec.filter);
}

bool ListWindow::readSucceeded() {
    const ErrorCode e = m_pager->lastError();
    if (e == ErrorCode::None || e == ErrorCode::RecordNotFound || m_closed) return !m_closed;
    reportReadError(m_ui, m_table.desc().name);
    // "Returning to previous window": a list that cannot be read is not shown as empty.
    m_pager->dropBack(m_pager->size());
    m_currentPosition.clear();
    if (m_observer) m_observer->rowsReset();
    m_response.response = Response::Cancelled;
    close();
    return false;
}

void ListWindow::reset(std::optional<std::size_t> current) {
    if (!readSucceeded()) return;
    if (current && *current < m_pager->size())
        m_currentPosition = m_pager->rows()[*current].position;
    else if (m_pager->size() > 0)
        m_currentPosition = m_pager->rows().front().position;
    else
        m_currentPosition.clear();
    if (m_observer) m_observer->rowsReset();
}

std::optional<std::size_t> ListWindow::current() const {
    if (m_currentPosition.empty()) return std::nullopt;
    const auto& rows = m_pager->rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].position == m_currentPosition) return i;
    return std::nullopt;
}

void ListWindow::setCurrent(std::size_t index) {
    ensurePager();
    if (index < m_pager->size()) m_currentPosition = m_pager->rows()[index].position;
}

bool ListWindow::loadCurrent() {
    ensurePager();
    const auto index = current();
    if (!index) return false;
    const ErrorCode e = m_pager->loadRecord(*index);
    if (e == ErrorCode::None) return true;
    if (e == ErrorCode::RecordNotFound) {
        // Another station deleted it meanwhile: show the list as it is now, on its neighbour.
        if (*index + 1 < m_pager->size())
            m_currentPosition = m_pager->rows()[*index + 1].position;
        else if (*index > 0)
            m_currentPosition = m_pager->rows()[*index - 1].position;
        else
            m_currentPosition.clear();
        refresh();
    } else {
        saveError(m_table);
        reportReadError(m_ui, m_table.desc().name);
    }
    return false;
}

std::size_t ListWindow::dropOverLimit(bool front) {
    const std::size_t size = m_pager->size();
    if (size <= ListPager::kMaxRows) return 0;
    const std::size_t n = size - ListPager::kMaxRows;
    if (m_observer) m_observer->rowsAboutToDrop(front, n);
    if (front)
        m_pager->dropFront(n);
    else
        m_pager->dropBack(n);
    if (m_observer) m_observer->rowsDropped();
    return n;
}

std::size_t ListWindow::fetchAfter() {
    ensurePager();
    if (m_closed) return 0;
    const std::size_t n = m_pager->fetchAfter();
    if (n == 0 && m_pager->lastError() == ErrorCode::RecordNotFound) {
        refresh();
        return 0;
    }
    if (n > 0 && m_observer) m_observer->rowsAdded(false, n);
    if (!readSucceeded()) return 0;
    dropOverLimit(true);
    return n;
}

std::size_t ListWindow::fetchBefore() {
    ensurePager();
    if (m_closed) return 0;
    const std::size_t n = m_pager->fetchBefore();
    if (n == 0 && m_pager->lastError() == ErrorCode::RecordNotFound) {
        refresh();
        return 0;
    }
    if (n > 0 && m_observer) m_observer->rowsAdded(true, n);
    if (!readSucceeded()) return 0;
    dropOverLimit(false);
    return n;
}

void ListWindow::open() {
    applyTab();
    m_pager->loadFirst();
    // A list that opens with more than a page (the serial search) reads on at once.
    while (m_pager->lastError() == ErrorCode::None && !m_pager->atEnd() && m_pager->size() < m_spec.firstPage &&
           m_pager->fetchAfter(std::min(ListPager::kPageSize, m_spec.firstPage - m_pager->size())) > 0) {
    }
    reset(0);
}

void ListWindow::selectTab(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_spec.tabs.size() || index == m_tab) return;
    m_tab = index;
    m_locator.clear();  // the text typed for one key means nothing in another
    applyTab();
    if (m_currentPosition.empty()) {
        m_pager->loadFirst();
        reset(0);
        return;
    }
    reset(m_pager->loadAround(m_currentPosition));
}

void ListWindow::setActiveOnly(bool on) {
    if (m_spec.activeField < 0 || on == m_activeOnly) return;
    m_activeOnly = on;
    applyTab();
    if (m_currentPosition.empty()) {
        m_pager->loadFirst();
        reset(0);
        return;
    }
    reset(m_pager->loadAround(m_currentPosition));
}

void ListWindow::locate(std::string_view text) {
    ensurePager();
    const int field = m_spec.tabs[static_cast<std::size_t>(m_tab)].locatorField;
    if (field < 0 || m_closed) return;
    const TableDesc& desc = m_table.desc();
    const bool numeric = desc.fields[static_cast<std::size_t>(field)].type != FieldType::String;
    const auto at = m_pager->loadAt([&](Table& t) {
        if (!numeric) {
            setFieldText(desc, field, t.buffer(), text);
            return;
        }
        // A number beyond what the field holds positions after every record.
        long long n = 0;
        for (const char c : text.substr(0, 18))
            if (std::isdigit(static_cast<unsigned char>(c)) != 0) n = n * 10 + (c - '0');
        if (!setFieldNumber(desc, field, t.buffer(), n)) setFieldNumber(desc, field, t.buffer(), 2147483647);
    });
    // Past the last record the highlight goes to the last one.
    if (at)
        reset(at);
    else
        reset(m_pager->size() > 0 ? std::optional<std::size_t>(m_pager->size() - 1) : std::nullopt);
}

bool ListWindow::hasLocator() const { return m_spec.tabs[static_cast<std::size_t>(m_tab)].locatorField >= 0; }

void ListWindow::setLocatorText(std::string_view text) {
    if (!hasLocator()) return;
    const int field = m_spec.tabs[static_cast<std::size_t>(m_tab)].locatorField;
    const bool numeric = m_table.desc().fields[static_cast<std::size_t>(field)].type != FieldType::String;
    std::string kept;
    for (const char c : text) {
        if (kept.size() >= kLocatorLength) break;
        const auto u = static_cast<unsigned char>(c);
        if (numeric ? std::isdigit(u) != 0 : (std::isprint(u) != 0 || u >= 0x80)) kept.push_back(c);
    }
    if (kept == m_locator) return;
    m_locator = std::move(kept);
    locate(m_locator);
}

void ListWindow::typeLocator(char c) { setLocatorText(m_locator + c); }

void ListWindow::backspaceLocator() {
    if (m_locator.empty()) return;
    // Whole characters: a trailing multi-byte character goes at once.
    std::size_t cut = m_locator.size() - 1;
    while (cut > 0 && (static_cast<unsigned char>(m_locator[cut]) & 0xC0) == 0x80) --cut;
    setLocatorText(std::string_view(m_locator).substr(0, cut));
}

void ListWindow::toStart() {
    ensurePager();
    m_pager->loadFirst();
    reset(0);
}

void ListWindow::toEnd() {
    ensurePager();
    m_pager->loadLast();
    reset(m_pager->size() > 0 ? std::optional<std::size_t>(m_pager->size() - 1) : std::nullopt);
}

void ListWindow::refresh() {
    ensurePager();
    if (m_closed) return;
    if (m_currentPosition.empty()) {
        m_pager->loadFirst();
        reset(0);
        return;
    }
    reset(m_pager->loadAround(m_currentPosition));
}

void ListWindow::showRecord(const std::string& position) {
    if (!position.empty()) m_currentPosition = position;
    refresh();
}

void ListWindow::runForm(Request request) {
    ensurePager();
    if (m_closed) return;
    const auto index = current();
    std::string neighbour;  // where the highlight goes if the record is gone afterwards
    Table* target = &m_table;
    // A row that stands for another record (a serial number for its invoice) runs the
    // form on that record for every request, insert too.
    if (request != Request::Insert || m_spec.formRecord) {
        if (!index) return;  // nothing highlighted
        if (*index + 1 < m_pager->size())
            neighbour = m_pager->rows()[*index + 1].position;
        else if (*index > 0)
            neighbour = m_pager->rows()[*index - 1].position;
        if (!loadCurrent()) return;
        if (m_spec.formRecord) {
            target = m_spec.formRecord(m_table);
            if (target == nullptr) {
                refresh();
                return;
            }
        }
    } else {
        m_table.clear();
        if (m_spec.prepareInsert) m_spec.prepareInsert(m_table);
    }
    glo.GlobalRequest = request;
    WindowRequest r;
    r.request = request;
    r.table = target;
    const WindowResponse response = m_ui.runWindow(m_spec.formProcedure, r);
    m_lastForm = response.response;
    glo.GlobalResponse = response.response;
    if (target == &m_table && response.response == Response::Completed && request != Request::Delete) {
        const std::string position = m_table.position();
        if (!position.empty()) m_currentPosition = position;
    } else if (target == &m_table && response.response == Response::Completed && request == Request::Delete) {
        m_currentPosition = neighbour;
    }
    // A row standing for another record keeps its highlight while it is still listed.
    refresh();
}

void ListWindow::insert() {
    if (m_spec.allowInsert) runForm(Request::Insert);
}

void ListWindow::change() {
    if (m_spec.allowChange) runForm(Request::Change);
}

void ListWindow::remove() {
    if (m_spec.allowDelete) runForm(Request::Delete);
}

bool ListWindow::select() {
    if (!m_selecting || m_closed) return false;
    if (!loadCurrent()) return false;
    m_response.response = Response::Completed;
    glo.GlobalResponse = Response::Completed;
    close();
    return true;
}

void ListWindow::activate() {
    if (m_selecting)
        select();
    else if (m_spec.activateCommand >= 0)
        command(static_cast<std::size_t>(m_spec.activateCommand));
    else
        change();
}

void ListWindow::acceptLocator() {
    // The record the locator found is the highlighted one.
    m_locator.clear();
    activate();
}

void ListWindow::command(std::size_t index) {
    if (index >= m_spec.commands.size() || m_closed || !m_spec.commands[index].run) return;
    m_spec.commands[index].run(*this);
}

bool ListWindow::functionKey(int n) {
    for (std::size_t i = 0; i < m_spec.commands.size(); ++i) {
        if (n != 0 && m_spec.commands[i].functionKey == n) {
            command(i);
            return true;
        }
    }
    return false;
}

void ListWindow::close() {
    if (m_closed) return;
    m_closed = true;
    if (m_spec.onClose) m_spec.onClose(*this);
    glo.GlobalResponse = m_response.response;
    if (m_observer) m_observer->closed();
}

}  // namespace quay::core
