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

// What a row shows, computed from the record buffer when the row is read.
using RowFormatter = std::function<std::vector<std::string>(const void* record)>;
// A record filter; true keeps the record.
using RecordFilter = std::function<bool(const void* record)>;

class QUAY_EXPORT ListPager {
public:
    static constexpr std::size_t kPageSize = 100;
    // Rows kept at most; the far end is dropped beyond this.
    static constexpr std::size_t kMaxRows = 1000;

    // REQUIRES: `table` is open and outlives the pager.
    ListPager(Table& table, RowFormatter format);
    virtual ~ListPager();

    // The key order, the range on its first component (a field index and value;
    // nullopt for none) and the filter. Takes effect at the next load.
    void setKey(KeyId key) { m_key = key; }
    KeyId key() const { return m_key; }
    void setRange(std::optional<std::pair<int, std::int64_t>> range) { m_range = range; }
    void setFilter(RecordFilter filter) { m_filter = std::move(filter); }

    // Replaces the rows with the first page of the list.
    ErrorCode loadFirst();
    // Replaces the rows with the last page.
    ErrorCode loadLast();
    // Replaces the rows with a page starting at the first record at or after the key
    // values `prepare` writes into the buffer (the buffer is cleared first and the
    // range value written), with up to half a page before it. Returns the index of
    // that record in rows(), or nullopt when no record is at or after it (the rows
    // are then the last page).
    std::optional<std::size_t> loadAt(const std::function<void(void* record)>& prepare);
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
    // The error of the last read that failed (other than the end of the list).
    ErrorCode lastError() const { return m_lastError; }

    // Reads row `index`'s record into the table buffer. RecordNotFound when another
    // station deleted it meanwhile.
    ErrorCode loadRecord(std::size_t index);

    Table& table() { return m_table; }

protected:
    // Sends a read hint to the table ("QUICKSCAN=on"); tests watch the hints.
    virtual void sendHint(const char* hint);

private:
    bool inRange(const void* record) const;
    bool keep(const void* record) const;
    ListRow makeRow();
    // Reads forward/backward from the cursor until n kept rows, the end, or the range left.
    std::size_t readRun(bool forward, std::size_t n, std::vector<ListRow>& out, bool& hitEnd);
    ErrorCode positionAtStart();
    ErrorCode positionAtEnd();

    Table& m_table;
    RowFormatter m_format;
    KeyId m_key{0};
    std::optional<std::pair<int, std::int64_t>> m_range;
    RecordFilter m_filter;
    std::deque<ListRow> m_rows;
    bool m_atStart = true;
    bool m_atEnd = true;
    ErrorCode m_lastError = ErrorCode::None;
};

}  // namespace quay::core
