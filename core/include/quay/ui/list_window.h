// ListWindow: the logic of every list window ("Vendor List", "Customer List", ...):
// tabs that choose the key order, the "Active" box that limits the list to active
// records, a locator that positions the list at the first record at or after the
// typed text, and the commands Select, Insert, Change, Delete and Close. Insert,
// change and delete run the list's form with request 1, 2 or 3 and the list's table
// handle holding the record; when the form returns, the list is read again around
// the record the form left current, so an inserted or changed record is the
// highlighted one.
//
// Opened with Request::Select the list answers Completed (GlobalResponse 1) when a
// record was picked, with that record in the table buffer, and Cancelled (2) when
// it was closed without a pick.
//
// The highlighted row is kept by record position, not by index, so it survives
// pages being added and dropped.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quay/app/ui_port.h"
#include "quay/export.h"
#include "quay/store/table.h"
#include "quay/ui/list_pager.h"

namespace quay::core {

struct ListColumn {
    std::string heading;    // "Name / Company"
    int width = 12;         // characters
    bool rightAligned = false;
};

struct ListTab {
    std::string caption;    // "by &Vendor Name"
    KeyId key{0};
    int locatorField = -1;  // the field typed text is sought in (index in the table's fields), -1 for none
};

struct ListSpec {
    std::string procedure;      // the window's name and settings section: "VendorBrowse"
    std::string title;          // "Vendor List"
    std::string formProcedure;  // the form insert/change/delete run: "VendorForm"
    std::vector<ListColumn> columns;
    RowFormatter format;        // the column texts of a record, then its detail texts
    // Texts of the highlighted record shown above the list, each after its label
    // ("Customer:"); the formatter gives them after the columns' texts.
    std::vector<std::string> detailLabels;
    std::vector<ListTab> tabs;  // at least one
    // The "Active" box: the field it compares (the first component of every tab's
    // key), the value it keeps, its caption and tip; activeField -1 for no box.
    int activeField = -1;
    std::int64_t activeValue = 1;
    std::string activeCaption = "Active";
    std::string activeTip;
    bool activeInitially = true;
    RecordFilter filter;        // a further filter, or empty
    bool allowInsert = true;
    bool allowChange = true;
    bool allowDelete = true;
};

class QUAY_EXPORT ListWindow {
public:
    // REQUIRES: `table` is open and outlives the window; spec.tabs is not empty.
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

    // Called whenever the rows were replaced as a whole (load, refresh, locate).
    void setResetListener(std::function<void()> listener) { m_onReset = std::move(listener); }

    // --- rows and the highlighted row ---
    std::size_t rowCount() const { return m_pager->size(); }
    const ListRow& row(std::size_t i) const { return m_pager->rows()[i]; }
    std::optional<std::size_t> current() const;
    void setCurrent(std::size_t index);
    // More rows after the last / before the first (the view asks while scrolling).
    // Returns how many were added; a vanished edge row reloads the list.
    std::size_t fetchAfter();
    std::size_t fetchBefore();

    // --- events ---
    void open();                           // reads the first page
    void selectTab(int index);             // the new order, keeping the highlighted record
    void setActiveOnly(bool on);           // the "Active" box
    void locate(std::string_view text);    // the locator
    void toStart();                        // Home / Ctrl+Home
    void toEnd();                          // End / Ctrl+End
    void refresh();                        // re-read around the highlighted record

    // --- commands ---
    void insert();                         // "&Insert", Insert key
    void change();                         // "&Change", Enter
    void remove();                         // "&Delete", Delete key
    bool select();                         // "&Select": true when a record was picked
    void activate();                       // double-click, Enter: select when selecting, else change
    void close();                          // "Close"

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

    UiPort& m_ui;
    Table& m_table;
    ListSpec m_spec;
    bool m_selecting;
    int m_tab = 0;
    bool m_activeOnly;
    std::unique_ptr<ListPager> m_pager;  // never null
    bool m_pagerMade = false;
    std::string m_currentPosition;
    std::function<void()> m_onReset;
    bool m_closed = false;
    WindowResponse m_response;
    Response m_lastForm = Response::None;
};

}  // namespace quay::core
