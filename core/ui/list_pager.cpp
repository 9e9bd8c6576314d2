// Paging a list window's rows through a table in key order.
//
// The rows always hold a contiguous stretch of the list's key order: pages are
// read from the edge rows outwards (re-read the edge row by its position, which
// puts the sequence there, then next or previous), so each page costs a few index
// seeks wherever it lies. atStart()/atEnd() say whether the stretch reaches the
// first/last record of the list.
#include "quay/ui/list_pager.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "quay/app/last_error.h"
#include "quay/ui/record_fields.h"

namespace quay::core {

namespace {

// Sends QUICKSCAN=on for the life of one page read and QUICKSCAN=off after it.
class QuickScan {
public:
    explicit QuickScan(std::function<void(const char*)> send) : m_send(std::move(send)) { m_send("QUICKSCAN=on"); }
    ~QuickScan() { m_send("QUICKSCAN=off"); }
    QuickScan(const QuickScan&) = delete;
    QuickScan& operator=(const QuickScan&) = delete;

private:
    std::function<void(const char*)> m_send;
};

}  // namespace

ListPager::ListPager(Table& table, RowFormatter format) : m_table(table), m_format(std::move(format)) {}

ListPager::~ListPager() = default;

void ListPager::sendHint(const char* hint) { m_table.send(hint); }

ErrorCode ListPager::fail(ErrorCode ec) {
    m_lastError = ec;
    // The engine's text and code are kept now: the read hint that follows replaces them.
    if (ec != ErrorCode::RecordNotFound) saveError(m_table);
    return ec;
}

namespace {

bool isText(const TableDesc& desc, int field) {
    const FieldType t = desc.fields[static_cast<std::size_t>(field)].type;
    return t == FieldType::String || t == FieldType::Memo;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool ListPager::inRange() {
    if (!m_range) return true;
    const TableDesc& desc = m_table.desc();
    const std::string shown = fieldText(desc, m_range->field, m_table.buffer());
    return isText(desc, m_range->field) ? equalsNoCase(shown, m_range->value) : shown == m_range->value;
}

bool ListPager::keep() { return !m_filter || m_filter(m_table); }

bool ListPager::writeRange(bool successor) {
    const TableDesc& desc = m_table.desc();
    void* record = m_table.buffer();
    if (!successor) return setFieldText(desc, m_range->field, record, m_range->value);
    if (!isText(desc, m_range->field)) {
        if (!setFieldText(desc, m_range->field, record, m_range->value)) return false;
        return setFieldNumber(desc, m_range->field, record, fieldNumber(desc, m_range->field, record) + 1);
    }
    // The first text after every text equal to the value in the key's case-blind
    // order: the value, folded as the key folds it, with its last character raised.
    std::string next = m_range->value;
    while (!next.empty() && next.back() == ' ') next.pop_back();
    if (next.empty()) return false;
    for (char& c : next) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (static_cast<unsigned char>(next.back()) == 0xff) return false;
    next.back() = static_cast<char>(static_cast<unsigned char>(next.back()) + 1);
    return setFieldText(desc, m_range->field, record, next);
}

ListRow ListPager::makeRow() {
    return ListRow{m_table.position(), m_format ? m_format(m_table) : std::vector<std::string>{}};
}

std::size_t ListPager::readRun(bool forward, std::size_t n, std::vector<ListRow>& out, bool& hitEnd) {
    hitEnd = false;
    const std::size_t before = out.size();
    while (out.size() - before < n) {
        const ErrorCode ec = forward ? m_table.next() : m_table.previous();
        if (ec == ErrorCode::RecordNotAvailable) {
            hitEnd = true;
            break;
        }
        if (ec != ErrorCode::None) {
            fail(ec);
            hitEnd = true;
            break;
        }
        // The range is the key's first component, so the first record outside it
        // ends the list in this direction.
        if (!inRange()) {
            hitEnd = true;
            break;
        }
        if (keep()) out.push_back(makeRow());
    }
    return out.size() - before;
}

ErrorCode ListPager::positionAtStart() {
    if (!m_range) return m_table.set(m_key);
    m_table.clear();
    writeRange(false);
    return m_table.setAtKey(m_key);
}

ErrorCode ListPager::positionAtEnd() {
    if (!m_range) return m_table.setEnd(m_key);
    m_table.clear();
    // Before the first record of the next value is after the last of this one.
    if (!writeRange(true)) return m_table.setEnd(m_key);
    return m_table.setAtKey(m_key);
}

ErrorCode ListPager::loadFirst() {
    QuickScan hint([this](const char* h) { sendHint(h); });
    m_lastError = ErrorCode::None;
    m_rows.clear();
    m_atStart = true;
    m_atEnd = true;
    if (const ErrorCode ec = positionAtStart(); ec != ErrorCode::None) return fail(ec);
    std::vector<ListRow> rows;
    bool hitEnd = false;
    readRun(true, kPageSize, rows, hitEnd);
    m_rows.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    m_atEnd = hitEnd;
    return m_lastError;
}

ErrorCode ListPager::loadLast() {
    QuickScan hint([this](const char* h) { sendHint(h); });
    m_lastError = ErrorCode::None;
    m_rows.clear();
    m_atStart = true;
    m_atEnd = true;
    if (const ErrorCode ec = positionAtEnd(); ec != ErrorCode::None) return fail(ec);
    std::vector<ListRow> rows;
    bool hitEnd = false;
    readRun(false, kPageSize, rows, hitEnd);
    m_rows.assign(std::make_move_iterator(rows.rbegin()), std::make_move_iterator(rows.rend()));
    m_atStart = hitEnd;
    return m_lastError;
}

std::optional<std::size_t> ListPager::loadAt(const std::function<void(Table& table)>& prepare) {
    std::vector<ListRow> rows;
    bool hitEnd = false;
    {
        QuickScan hint([this](const char* h) { sendHint(h); });
        m_lastError = ErrorCode::None;
        m_table.clear();
        if (m_range) writeRange(false);
        if (prepare) prepare(m_table);
        if (const ErrorCode ec = m_table.setAtKey(m_key); ec != ErrorCode::None) {
            fail(ec);
            return std::nullopt;
        }
        readRun(true, kPageSize, rows, hitEnd);
    }
    if (m_lastError != ErrorCode::None) {
        const ErrorCode failed = m_lastError;
        m_rows.clear();
        m_atStart = m_atEnd = true;
        m_lastError = failed;
        return std::nullopt;
    }
    if (rows.empty()) {
        loadLast();
        return std::nullopt;
    }
    m_rows.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    m_atEnd = hitEnd;
    m_atStart = false;
    return fetchBefore(kPageSize / 2);
}

std::optional<std::size_t> ListPager::loadAround(const std::string& position) {
    std::vector<ListRow> rows;
    bool hitEnd = false;
    bool itself = false;
    bool gone = false;
    {
        QuickScan hint([this](const char* h) { sendHint(h); });
        m_lastError = ErrorCode::None;
        ErrorCode ec = m_table.set(m_key);
        if (ec == ErrorCode::None) ec = m_table.reget(position);
        if (ec != ErrorCode::None) {
            itself = false;
            gone = ec == ErrorCode::RecordNotFound;
            if (!gone) fail(ec);
        } else {
            itself = inRange() && keep();
            if (itself) rows.push_back(makeRow());
            readRun(true, kPageSize, rows, hitEnd);
        }
    }
    if (m_lastError != ErrorCode::None) {
        // A read failed: show nothing rather than a stretch with a hole in it.
        const ErrorCode failed = m_lastError;
        m_rows.clear();
        m_atStart = m_atEnd = true;
        m_lastError = failed;
        return std::nullopt;
    }
    if (rows.empty()) {
        if (gone)
            loadFirst();
        else
            loadLast();
        return std::nullopt;
    }
    m_rows.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    m_atEnd = hitEnd;
    m_atStart = false;
    const std::size_t before = fetchBefore(kPageSize / 2);
    if (!itself) return std::nullopt;
    return before;
}

std::size_t ListPager::fetchAfter(std::size_t n) {
    if (m_rows.empty() || m_atEnd) return 0;
    QuickScan hint([this](const char* h) { sendHint(h); });
    m_lastError = ErrorCode::None;
    if (const ErrorCode ec = m_table.set(m_key); ec != ErrorCode::None) {
        fail(ec);
        return 0;
    }
    if (const ErrorCode ec = m_table.reget(m_rows.back().position); ec != ErrorCode::None) {
        fail(ec);  // RecordNotFound: the edge row went meanwhile; the window reloads
        return 0;
    }
    std::vector<ListRow> rows;
    bool hitEnd = false;
    readRun(true, n, rows, hitEnd);
    for (auto& r : rows) m_rows.push_back(std::move(r));
    m_atEnd = hitEnd;
    return rows.size();
}

std::size_t ListPager::fetchBefore(std::size_t n) {
    if (m_rows.empty() || m_atStart) return 0;
    QuickScan hint([this](const char* h) { sendHint(h); });
    m_lastError = ErrorCode::None;
    if (const ErrorCode ec = m_table.set(m_key); ec != ErrorCode::None) {
        fail(ec);
        return 0;
    }
    if (const ErrorCode ec = m_table.reget(m_rows.front().position); ec != ErrorCode::None) {
        fail(ec);
        return 0;
    }
    std::vector<ListRow> rows;
    bool hitEnd = false;
    readRun(false, n, rows, hitEnd);
    for (auto& r : rows) m_rows.push_front(std::move(r));
    m_atStart = hitEnd;
    return rows.size();
}

void ListPager::dropFront(std::size_t n) {
    n = std::min(n, m_rows.size());
    if (n == 0) return;
    m_rows.erase(m_rows.begin(), m_rows.begin() + static_cast<std::ptrdiff_t>(n));
    m_atStart = false;
}

void ListPager::dropBack(std::size_t n) {
    n = std::min(n, m_rows.size());
    if (n == 0) return;
    m_rows.erase(m_rows.end() - static_cast<std::ptrdiff_t>(n), m_rows.end());
    m_atEnd = false;
}

ErrorCode ListPager::loadRecord(std::size_t index) {
    if (index >= m_rows.size()) return ErrorCode::RecordNotAvailable;
    return m_table.reget(m_rows[index].position);
}

}  // namespace quay::core
