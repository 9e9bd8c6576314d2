// ListWindow: the logic of every list window ("Vendor List", "Quote List", "Invoice
// Search by Serial Number", ...): tabs that choose the key order, a fixed limit or the
// "Active" box on the key's first component, a locator that positions the list at the
// first record at or after the typed text, and the commands Select, Insert, Change,
// Delete, Close and the list's own (F4 copy, ...). Insert, change and delete run the
// list's form with request 1, 2 or 3 and the list's table handle holding the record
// (or the record a row stands for, formRecord); when the form returns, the list is
// read again around the record the form left current, so an inserted or changed
// record is the highlighted one.
//
// Opened with Request::Select the list answers Completed (GlobalResponse 1) when a
// record was picked, with that record in the table buffer, and Cancelled (2) when
// it was closed without a pick.
//
// Rows: at most ListPager::kMaxRows, read in pages as the user scrolls; the far end
// is dropped beyond that (the observer is told before and after). The highlighted row
// is kept by record position, not by index, so it survives pages being added and
// dropped. A read that fails shows "Record Retrieval Error" for the list's table (and
// says so when the data set is damaged) and closes the window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table.h"
#include "quay/types/picture.h"
#include "quay/ui/list_pager.h"

namespace quay::core {

class ListWindow;

struct ListColumn {
    ListColumn() = default;
    ListColumn(std::string h, int w = 12, bool right = false, bool isMark = false)  // NOLINT: {"Name", 35} reads well
        : heading(std::move(h)), width(w), rightAligned(right), mark(isMark) {}

    std::string heading;  // "Name / Company"
    int width = 12;       // characters
    bool rightAligned = false;
    // A mark column: a non-empty cell shows a tick, an empty one nothing (a PO line's
    // received mark).
    bool mark = false;
};

// A column shown through a display picture: as wide as the picture (or the heading),
// numbers, dates and times read down their right edge.
QUAY_EXPORT ListColumn pictureColumn(std::string heading, std::string_view picture);

// Money where no picture is given: two places, grouped, with the currency sign, the
// same in every list.
QUAY_EXPORT const Picture& moneyPicture();
inline constexpr std::string_view kMoneyPicture = "@n$-15.2";

// A value as its column shows it: under `picture`, without the blanks the picture's
// width pads it with (the column aligns the text).
QUAY_EXPORT std::string cellText(std::string shown);
template <class V>
std::string cellText(const Picture& picture, const V& value) {
    return cellText(picture.format(value));
}

// The index of the field named `name` (without regard to case) in `desc`, for tabs,
// locators and limits; -1 when there is none.
QUAY_EXPORT int listField(const TableDesc& desc, std::string_view name);

struct ListTab {
    ListTab() = default;
    ListTab(std::string c, KeyId k, int locator = -1, std::optional<ListRange> r = std::nullopt)  // NOLINT: brace lists
        : caption(std::move(c)), key(k), locatorField(locator), range(std::move(r)) {}

    std::string caption;  // "by &Vendor Name"
    KeyId key{0};
    // The field typed text is sought in (index in the table's fields), -1 for none.
    // A numeric field takes digits only.
    int locatorField = -1;
    // This tab's own limit on the first component of its key (the open orders of one
    // tab beside all orders on another); the list's fixed limit when unset.
    std::optional<ListRange> range;
};

// A command of the list beyond the form commands: a button, and a function key
// pressed without Ctrl, Alt or Shift.
struct ListCommand {
    std::string caption;  // "F4 - Copy Q&uote"
    int functionKey = 0;  // 4 for F4; 0 for none
    std::function<void(ListWindow&)> run;
};

struct ListSpec {
    std::string procedure;     // the window's name and settings section: "VendorBrowse"
    std::string title;         // the window's caption: "Vendor List"
    std::string heading;       // a title shown above the list, or empty
    WindowName formProcedure;  // the form insert/change/delete run: "VendorForm"
    std::vector<ListColumn> columns;
    RowFormatter format;  // the column texts of a record, then its detail texts
    // Texts of the highlighted record shown above the list, each after its label
    // ("Customer:"); the formatter gives them after the columns' texts.
    std::vector<std::string> detailLabels;
    std::vector<ListTab> tabs;  // at least one
    // A fixed limit on the first component of every tab's key (the orders of one
    // status), or none.
    std::optional<ListRange> limit;
    // The "Active" box: the field it compares (the first component of every tab's
    // key), the value it keeps, its caption and tip; activeField -1 for no box.
    int activeField = -1;
    std::int64_t activeValue = 1;
    std::string activeCaption = "Active";
    std::string activeTip;
    bool activeInitially = true;
    RowFilter filter;  // a further filter, or empty
    bool allowInsert = true;
    bool allowChange = true;
    bool allowDelete = true;
    std::string changeCaption = "&Change";  // "&View" where the form only shows
    // False: the list has no Insert, Change and Delete buttons at all (its own commands
    // stand in their place), rather than showing them disabled.
    bool formButtons = true;
    // Written into the cleared buffer before the insert form runs (a new quote's status).
    RecordSetter prepareInsert;
    // The handle the form runs on when a row stands for a record of another table
    // (a serial number for its invoice): called with the row's record in the list's
    // buffer; null when that record cannot be read. Empty: the list's own handle.
    RecordFunction<Table*> formRecord;
    std::vector<ListCommand> commands;
    // Rows the first read asks for; the view asks for more as it scrolls.
    std::size_t firstPage = ListPager::kPageSize;
    // Double-click and Enter run this command (an index into commands) instead of
    // the change form; -1 for the form.
    int activateCommand = -1;
    // The window runs modally on its caller's thread (a window a list opens for its
    // highlighted record) instead of as a child of the frame.
    bool modal = false;
    // Called once when the window closes, however it is closed (the status of a
    // purchase order following its lines).
    std::function<void(ListWindow&)> onClose;
};

// What the view of a list is told about its rows.
class QUAY_EXPORT ListObserver {
public:
    virtual ~ListObserver();
    // The rows were replaced as a whole (load, refresh, locate, tab).
    virtual void rowsReset() = 0;
    // `count` rows were added at the front or the back.
    virtual void rowsAdded(bool front, std::size_t count) = 0;
    // `count` rows at the front or the back are about to go, then went.
    virtual void rowsAboutToDrop(bool front, std::size_t count) = 0;
    virtual void rowsDropped() = 0;
    // The window closed itself (Close, a pick, a read error).
    virtual void closed() = 0;
};

class QUAY_EXPORT ListWindow {
public:
    static constexpr std::size_t kLocatorLength = 30;

    // REQUIRES: `table` is open and outlives the window; spec.tabs is not empty; its
    // record functions fit the table; not both a limit and an "Active" box.
    ListWindow(UiPort& ui, Table& table, ListSpec spec, const WindowRequest& request);
    virtual ~ListWindow();
    ListWindow(const ListWindow&) = delete;
    ListWindow& operator=(const ListWindow&) = delete;

    const ListSpec& spec() const { return m_spec; }
    bool isSelecting() const { return m_selecting; }
    int tab() const { return m_tab; }
    bool activeOnly() const { return m_activeOnly; }
    ListPager& pager() { return *m_pager; }
    const ListPager& pager() const { return *m_pager; }
    Table& table() { return m_table; }
    UiPort& ui() { return m_ui; }

    // REQUIRES: `observer` outlives the window or is unset (nullptr) before it goes.
    void setObserver(ListObserver* observer) { m_observer = observer; }

    // --- rows and the highlighted row ---
    std::size_t rowCount() const { return m_pager->size(); }
    const ListRow& row(std::size_t i) const { return m_pager->rows()[i]; }
    std::optional<std::size_t> current() const;
    void setCurrent(std::size_t index);
    // Reads the highlighted row's record into the table buffer; false when nothing is
    // highlighted or the record went meanwhile (the list is then read again).
    bool loadCurrent();
    // The highlighted row's record, read afresh into the buffer, as a record of type
    // R; null when nothing is highlighted, it went meanwhile, or the list does not
    // run over R's records.
    template <class R>
    const R* currentRecord() {
        if (m_table.desc().fileName != R::desc().fileName || m_table.desc().recordSize != sizeof(R)) return nullptr;
        return loadCurrent() ? static_cast<const R*>(m_table.buffer()) : nullptr;
    }
    // More rows after the last / before the first (the view asks while scrolling).
    // Returns how many were added; rows beyond the limit at the other end are
    // dropped; a vanished edge row reloads the list.
    std::size_t fetchAfter();
    std::size_t fetchBefore();

    // --- events ---
    void open();                         // reads the first page
    void selectTab(int index);           // the new order, keeping the highlighted record
    void setActiveOnly(bool on);         // the "Active" box
    void locate(std::string_view text);  // positions at the first record at or after text
    void toStart();                      // Home / Ctrl+Home
    void toEnd();                        // End / Ctrl+End
    void refresh();                      // re-read around the highlighted record
    // Reads the list again and highlights the record at `position` (a record another
    // window just wrote).
    void showRecord(const std::string& position);

    // --- the locator: typed text, up to kLocatorLength characters; on a numeric
    // field only digits. Each change positions the list. ---
    bool hasLocator() const;
    const std::string& locatorText() const { return m_locator; }
    void setLocatorText(std::string_view text);
    void typeLocator(char c);  // a printable character; a blank is a blank
    void backspaceLocator();   // nothing when the text is empty
    void clearLocator() { m_locator.clear(); }

    // --- commands ---
    void insert();    // "&Insert", Insert key
    void change();    // "&Change", Enter
    void remove();    // "&Delete", Delete key
    bool select();    // "&Select": true when a record was picked
    void activate();  // double-click, Enter: select when selecting, else change
    // Enter in the locator: opens (selects) the record the locator found.
    void acceptLocator();
    void command(std::size_t index);  // one of spec().commands
    // The list's command bound to function key `n` pressed alone; false when none.
    bool functionKey(int n);
    void close();  // "Close"

    bool isClosed() const { return m_closed; }
    WindowResponse response() const { return m_response; }
    // The response of the last form the list ran.
    Response lastFormResponse() const { return m_lastForm; }

protected:
    // The pager the window reads through; tests wrap it to watch the hints.
    virtual std::unique_ptr<ListPager> makePager(Table& table, RowFormatter format);

private:
    void applyTab();
    void reset(std::optional<std::size_t> current);
    void runForm(Request request);
    void ensurePager();
    // After a read: false (and the window closed, the user told) when it failed.
    bool readSucceeded();
    std::size_t dropOverLimit(bool front);

    UiPort& m_ui;
    Table& m_table;
    ListSpec m_spec;
    bool m_selecting;
    int m_tab = 0;
    bool m_activeOnly;
    std::unique_ptr<ListPager> m_pager;  // never null
    bool m_pagerMade = false;
    std::string m_currentPosition;
    std::string m_locator;
    ListObserver* m_observer = nullptr;
    bool m_closed = false;
    WindowResponse m_response;
    Response m_lastForm = Response::None;
};

}  // namespace quay::core
