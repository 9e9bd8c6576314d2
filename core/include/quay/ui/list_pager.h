// ListPager: the rows a list window holds, read from a table in key order one page
// at a time, never the whole table. The rows form a sliding window over the key
// order: pages are added after the last row or before the first as the user
// scrolls, and rows far from the view are dropped again, so a list over a million
// records costs what a list over a hundred does.
//
// Every page is a keyset read (re-read the edge row, then next or previous), so no
// read holds the data set open and rows added or removed by another station show
// up at the next page. Reads are bracketed by "QUICKSCAN=on" / "QUICKSCAN=off" so
// the store reads ahead in blocks.
//
// The list may be limited by a range on the key's first component (the "Active"
// box: only records whose first key field equals a value) and by a filter on each
// record. A range is sought, not scanned: the first page of "active only" costs the
// same however many inactive records precede it.
//
// The pager uses the table handle's record buffer for its reads; callers that need
// a row's record re-read it with loadRecord().
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "quay/export.h"
#include "quay/store/error_code.h"
#include "quay/store/table.h"

namespace quay::core {

// One row of a list: the record's position and the texts of its columns.
struct ListRow {
    std::string position;
    std::vector<std::string> cells;
};

// A function of one record, written for the record type of the table it reads
// (rowCells<Vendors>(...)) and bound to that table's file and record size. A list
// checks it against the table it runs over, so no list ever reads one table's
// buffer as another table's record.
template <class Result>
class RecordFunction {
public:
    RecordFunction() = default;

    // The function `f(const R&)` over records of type R.
    template <class R, class F>
    static RecordFunction of(F f) {
        RecordFunction fn;
        fn.m_fileName = R::desc().fileName;
        fn.m_recordSize = sizeof(R);
        fn.m_call = [f = std::move(f)](const void* record) -> Result { return f(*static_cast<const R*>(record)); };
        return fn;
    }

    explicit operator bool() const { return static_cast<bool>(m_call); }
    // True when the function reads records of `desc`'s file and layout (an empty
    // function fits every table).
    bool fits(const TableDesc& desc) const {
        return !m_call || (m_fileName == desc.fileName && m_recordSize == desc.recordSize);
    }
    // REQUIRES: *this and fits(table.desc()).
    Result operator()(Table& table) const { return m_call(table.buffer()); }

private:
    std::string m_fileName;
    std::size_t m_recordSize = 0;
    std::function<Result(const void*)> m_call;
};

// Writes into one record of type R (the owner's key values where a list starts,
// the status a new order gets), bound to that table's file and record size.
class RecordSetter {
public:
    RecordSetter() = default;
    template <class R, class F>
    static RecordSetter of(F f) {
        RecordSetter s;
        s.m_fileName = R::desc().fileName;
        s.m_recordSize = sizeof(R);
        s.m_call = [f = std::move(f)](void* record) { f(*static_cast<R*>(record)); };
        return s;
    }
    explicit operator bool() const { return static_cast<bool>(m_call); }
    bool fits(const TableDesc& desc) const {
        return !m_call || (m_fileName == desc.fileName && m_recordSize == desc.recordSize);
    }
    // REQUIRES: *this and fits(table.desc()).
    void operator()(Table& table) const { m_call(table.buffer()); }

private:
    std::string m_fileName;
    std::size_t m_recordSize = 0;
    std::function<void(void*)> m_call;
};

template <class R, class F>
RecordSetter recordSetter(F f) {
    return RecordSetter::of<R>(std::move(f));
}

// What a row shows, computed from the record when the row is read.
using RowFormatter = RecordFunction<std::vector<std::string>>;
// Which records a list keeps; true keeps the record.
using RowFilter = RecordFunction<bool>;

template <class R, class F>
RowFormatter rowCells(F f) {
    return RowFormatter::template of<R>(std::move(f));
}
template <class R, class F>
RowFilter rowsWhere(F f) {
    return RowFilter::template of<R>(std::move(f));
}

// A limit on the first component of the list's key: only records whose field
// `field` holds `value` (a number as decimal text; text compared without regard to
// case, as the keys order it). Sought, never scanned.
struct ListRange {
    int field = -1;
    std::string value;
};

class QUAY_EXPORT ListPager {
public:
    static constexpr std::size_t kPageSize = 100;
    // Rows kept at most; the far end is dropped beyond this.
    static constexpr std::size_t kMaxRows = 1000;

    // REQUIRES: `table` is open and outlives the pager; `format` fits the table.
    ListPager(Table& table, RowFormatter format);
    virtual ~ListPager();

    // The key order, the range on its first component (a field index and value;
    // nullopt for none) and the filter. Takes effect at the next load.
    void setKey(KeyId key) { m_key = key; }
    KeyId key() const { return m_key; }
    void setRange(std::optional<ListRange> range) { m_range = std::move(range); }
    // The filter is asked first; the formatter runs right after it accepted a record,
    // on the same record, so a filter that read joined records may leave them for it.
    void setFilter(RowFilter filter) { m_filter = std::move(filter); }

    // Replaces the rows with the first page of the list.
    ErrorCode loadFirst();
    // Replaces the rows with the last page.
    ErrorCode loadLast();
    // Replaces the rows with a page starting at the first record at or after the key
    // values `prepare` writes into the table's buffer (the buffer is cleared first and
    // the range value written), with up to half a page before it. Returns the index of
    // that record in rows(), or nullopt when no record is at or after it (the rows
    // are then the last page).
    std::optional<std::size_t> loadAt(const std::function<void(Table& table)>& prepare);
    // Replaces the rows with a page around the record at `position` (a record just
    // inserted or changed); its index, or nullopt when it is gone or outside the
    // range and filter (the rows are then the page at where it was in key order).
    std::optional<std::size_t> loadAround(const std::string& position);

    // Reads up to `n` rows after the last / before the first; returns how many were
    // added. At the end / start, atEnd() / atStart() become true.
    std::size_t fetchAfter(std::size_t n = kPageSize);
    std::size_t fetchBefore(std::size_t n = kPageSize);
    // Drops `n` rows at the front / back (the end dropped from is then open again).
    void dropFront(std::size_t n);
    void dropBack(std::size_t n);

    const std::deque<ListRow>& rows() const { return m_rows; }
    std::size_t size() const { return m_rows.size(); }
    bool atStart() const { return m_atStart; }
    bool atEnd() const { return m_atEnd; }
    // The error of the last read that failed (other than the end of the list). Any
    // failure but a vanished record is also saved as the thread's last error, with
    // the engine's text and code, for the message that reports it.
    ErrorCode lastError() const { return m_lastError; }

    // Reads row `index`'s record into the table buffer. RecordNotFound when another
    // station deleted it meanwhile.
    ErrorCode loadRecord(std::size_t index);

    Table& table() { return m_table; }

protected:
    // Sends a read hint to the table ("QUICKSCAN=on"); tests watch the hints.
    virtual void sendHint(const char* hint);

private:
    // Records a failed read (and, but for a vanished record, the engine's own error
    // for the message that reports it).
    ErrorCode fail(ErrorCode ec);
    bool inRange();
    bool keep();
    // Writes the range value (or its successor, for the end) into the cleared buffer.
    bool writeRange(bool successor);
    ListRow makeRow();
    // Reads forward/backward from the cursor until n kept rows, the end, or the range left.
    std::size_t readRun(bool forward, std::size_t n, std::vector<ListRow>& out, bool& hitEnd);
    ErrorCode positionAtStart();
    ErrorCode positionAtEnd();

    Table& m_table;
    RowFormatter m_format;
    KeyId m_key{0};
    std::optional<ListRange> m_range;
    RowFilter m_filter;
    std::deque<ListRow> m_rows;
    bool m_atStart = true;
    bool m_atEnd = true;
    ErrorCode m_lastError = ErrorCode::None;
};

}  // namespace quay::core
