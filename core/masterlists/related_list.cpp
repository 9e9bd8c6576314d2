// The owner's records read through a key: position at the owner's key values, read
// forward while they still belong to it. Reads are bracketed by read-ahead hints.
#include "quay/masterlists/related_list.h"

#include <cassert>

#include "quay/app/globals.h"
#include "quay/app/last_error.h"
#include "quay/ui/list_errors.h"

namespace quay::core {

RelatedList::RelatedList(UiPort& ui, Table& table, RelatedListSpec spec)
    : m_ui(ui), m_table(table), m_spec(std::move(spec)) {
    // REQUIRES: the record functions were written for this table's records.
    assert(m_spec.start.fits(table.desc()) && m_spec.belongs.fits(table.desc()) && m_spec.format.fits(table.desc()));
}

ErrorCode RelatedList::load(const std::string& position) {
    m_rows.clear();
    m_current.reset();
    m_table.clear();
    if (m_spec.start) m_spec.start(m_table);
    ErrorCode e = m_table.setAtKey(m_spec.key);
    if (e != ErrorCode::None) {
        saveError(m_table);
        reportReadError(m_ui, m_table.desc().name);
        return e;
    }
    m_table.send("QUICKSCAN=on");
    for (;;) {
        e = m_table.next();
        if (e == ErrorCode::RecordNotAvailable) {
            e = ErrorCode::None;
            break;
        }
        if (e != ErrorCode::None) {
            saveError(m_table);
            break;
        }
        if (m_spec.belongs && !m_spec.belongs(m_table)) break;
        ListRow row;
        row.position = m_table.position();
        if (m_spec.format) row.cells = m_spec.format(m_table);
        if (!position.empty() && row.position == position) m_current = m_rows.size();
        m_rows.push_back(std::move(row));
        if (m_rows.size() >= m_spec.maxRows) break;
    }
    m_table.send("QUICKSCAN=off");
    if (e != ErrorCode::None) reportReadError(m_ui, m_table.desc().name);
    if (!m_current && !m_rows.empty()) m_current = 0;
    return e;
}

void RelatedList::setCurrent(std::size_t index) {
    if (index < m_rows.size()) m_current = index;
}

Response RelatedList::run(Request request, const std::string& owner, std::int32_t number) {
    if (m_spec.formProcedure.empty()) return Response::Cancelled;
    std::string neighbour;
    if (request == Request::Insert) {
        m_table.clear();
    } else {
        if (!m_current) return Response::Cancelled;
        const std::size_t i = *m_current;
        if (i + 1 < m_rows.size())
            neighbour = m_rows[i + 1].position;
        else if (i > 0)
            neighbour = m_rows[i - 1].position;
        if (m_table.reget(m_rows[i].position) != ErrorCode::None) {
            load(neighbour);  // gone meanwhile: show what is there now
            return Response::Cancelled;
        }
    }
    glo.GlobalRequest = request;
    WindowRequest r;
    r.request = request;
    r.table = &m_table;
    r.text = owner;
    r.number = number;
    const WindowResponse response = m_ui.runWindow(m_spec.formProcedure, r);
    glo.GlobalResponse = response.response;
    if (m_onForm) m_onForm(request, response.response);
    std::string highlight = neighbour;
    if (response.response == Response::Completed && request != Request::Delete)
        highlight = m_table.position();
    else if (response.response != Response::Completed && request != Request::Insert && m_current)
        highlight = m_rows[*m_current].position;
    load(highlight);
    return response.response;
}

Response RelatedList::insert(const std::string& owner, std::int32_t number) {
    return run(Request::Insert, owner, number);
}
Response RelatedList::change(const std::string& owner, std::int32_t number) {
    return run(Request::Change, owner, number);
}
Response RelatedList::remove(const std::string& owner, std::int32_t number) {
    return run(Request::Delete, owner, number);
}

}  // namespace quay::core
