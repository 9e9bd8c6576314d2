// The list window pattern: tabs, the "Active" box, the locator and the commands
// that run the list's form.
//
// After any form returns, the list is read again around the record the form left
// in the table handle (the inserted or changed record), or, after a delete or a
// cancel, around the row that was highlighted or its neighbour, so the user sees
// what other stations changed meanwhile too.
#include "quay/ui/list_window.h"

#include <cassert>

#include "quay/app/globals.h"
#include "quay/ui/record_fields.h"

namespace quay::core {

ListWindow::ListWindow(UiPort& ui, Table& table, ListSpec spec, const WindowRequest& request)
    : m_ui(ui),
      m_table(table),
      m_spec(std::move(spec)),
      m_selecting(request.request == Request::Select),
      m_activeOnly(m_spec.activeField >= 0 && m_spec.activeInitially) {
    assert(!m_spec.tabs.empty());  // REQUIRES: at least one tab
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
    m_pager->setKey(m_spec.tabs[static_cast<std::size_t>(m_tab)].key);
    if (m_activeOnly && m_spec.activeField >= 0) m_pager->setRange(std::make_pair(m_spec.activeField, m_spec.activeValue));
    else m_pager->setRange(std::nullopt);
    m_pager->setFilter(m_spec.filter);
}

void ListWindow::reset(std::optional<std::size_t> current) {
    if (current && *current < m_pager->size()) m_currentPosition = m_pager->rows()[*current].position;
    else if (m_pager->size() > 0) m_currentPosition = m_pager->rows().front().position;
    else m_currentPosition.clear();
    if (m_onReset) m_onReset();
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

std::size_t ListWindow::fetchAfter() {
    ensurePager();
    const std::size_t n = m_pager->fetchAfter();
    if (n == 0 && m_pager->lastError() == ErrorCode::RecordNotFound) refresh();
    return n;
}

std::size_t ListWindow::fetchBefore() {
    ensurePager();
    const std::size_t n = m_pager->fetchBefore();
    if (n == 0 && m_pager->lastError() == ErrorCode::RecordNotFound) refresh();
    return n;
}

void ListWindow::open() {
    applyTab();
    m_pager->loadFirst();
    reset(0);
}

void ListWindow::selectTab(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_spec.tabs.size() || index == m_tab) return;
    m_tab = index;
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
    if (field < 0) return;
    const TableDesc& desc = m_table.desc();
    const auto at = m_pager->loadAt([&](void* record) { setFieldText(desc, field, record, text); });
    // Past the last record the highlight goes to the last one.
    if (at) reset(at);
    else reset(m_pager->size() > 0 ? std::optional<std::size_t>(m_pager->size() - 1) : std::nullopt);
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
    if (m_currentPosition.empty()) {
        m_pager->loadFirst();
        reset(0);
        return;
    }
    reset(m_pager->loadAround(m_currentPosition));
}

void ListWindow::runForm(Request request) {
    ensurePager();
    const auto index = current();
    std::string neighbour;  // where the highlight goes if the record is gone afterwards
    if (request != Request::Insert) {
        if (!index) return;  // nothing highlighted
        if (*index + 1 < m_pager->size()) neighbour = m_pager->rows()[*index + 1].position;
        else if (*index > 0) neighbour = m_pager->rows()[*index - 1].position;
        if (m_pager->loadRecord(*index) != ErrorCode::None) {
            // Another station deleted it meanwhile: show the list as it is now.
            m_currentPosition = neighbour;
            refresh();
            return;
        }
    } else {
        m_table.clear();
    }
    glo.GlobalRequest = request;
    WindowRequest r;
    r.request = request;
    r.table = &m_table;
    const WindowResponse response = m_ui.runWindow(m_spec.formProcedure, r);
    m_lastForm = response.response;
    glo.GlobalResponse = response.response;
    if (response.response == Response::Completed && request != Request::Delete) {
        const std::string position = m_table.position();
        if (!position.empty()) m_currentPosition = position;
    } else if (response.response == Response::Completed && request == Request::Delete) {
        m_currentPosition = neighbour;
    }
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
    if (!m_selecting) return false;
    const auto index = current();
    if (!index) return false;
    if (m_pager->loadRecord(*index) != ErrorCode::None) {
        refresh();
        return false;
    }
    m_response.response = Response::Completed;
    glo.GlobalResponse = Response::Completed;
    m_closed = true;
    return true;
}

void ListWindow::activate() {
    if (m_selecting) select();
    else change();
}

void ListWindow::close() {
    if (m_closed) return;
    m_closed = true;
    glo.GlobalResponse = m_response.response;
}

}  // namespace quay::core
